#include "app/main_window.h"
#include "dialogs/form_field_dialogs.h"
#include "dialogs/history_combo_box.h"
#include "editor/document_window.h"
#include "editor/modal_dialog.h"
#include "editor/text_area.h"
#include "support/app_fixture.h"
#include "support/marked_text.h"
#include "support/test_files.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace vornel;

class TestFormCommands : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<TemporaryProgramFolder> m_folder;
    DocumentWindow *m_document = nullptr;

    QString run(const QString &name, const QString &before)
    {
        setMarked(*m_document->textArea(), parseMarked(before));
        m_document->action(name)->trigger();
        return markedText(*m_document->textArea());
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        m_folder = std::make_unique<TemporaryProgramFolder>();
        QVERIFY(m_app->showMain());
        m_document = m_app->newDocument();
    }
    void cleanup()
    {
        setModalDialogRunner({});
        QVERIFY(m_app->platform().verifyAllUsed());
        m_document = nullptr;
        m_app.reset();
        m_folder.reset();
    }

    void menuSitsBetweenInsertAndSpecial()
    {
        QStringList tops;
        for (QMenu *menu : m_document->findChildren<QMenu *>(Qt::FindDirectChildrenOnly))
            tops << menu->objectName();
        QCOMPARE(tops.mid(tops.indexOf("mnuInsert"), 3), (QStringList{"mnuInsert", "mnuForms", "mnuSpecial"}));
        QCOMPARE(m_document->menu(QStringLiteral("mnuForms"))->title(), QStringLiteral("F&orms"));
        QAction *heading = m_document->action(QStringLiteral("mnuFormAction(0)"));
        QVERIFY(heading && !heading->isEnabled() && heading->text() == QStringLiteral("Action:"));
        QVERIFY(m_document->action(QStringLiteral("mnuFormAction(1)"))->isSeparator());
        QCOMPARE(m_document->action(QStringLiteral("mnuForm(4)"))->text(), QStringLiteral("&Text Area..."));
        QCOMPARE(m_document->action(QStringLiteral("mnuFormInput(5)"))->text(), QStringLiteral("R&eset..."));
    }

    // The form element; the program is typed into the history input, which offers no Browse.
    void formElement_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("answer");  // empty: Cancel
        QTest::addColumn<QString>("after");
        QTest::newRow("post at the start") << "mnuFormAction(2)" << "|" << "prog.cgi"
                                           << "<FORM ACTION=\"prog.cgi\" METHOD=POST>~~</FORM>~|";
        QTest::newRow("get in mid-line keeps the selection")
            << "mnuFormAction(3)" << "ab[c]" << "/cgi-bin/q?a=1&b=\"2\""
            << "ab~<FORM ACTION=\"/cgi-bin/q?a=1&b=\"2\"\" METHOD=GET>c~~</FORM>~|";
        QTest::newRow("get cancelled") << "mnuFormAction(3)" << "ab[c]" << "" << "ab[c]";
    }
    void formElement()
    {
        QFETCH(QString, name);
        QFETCH(QString, before);
        QFETCH(QString, answer);
        QFETCH(QString, after);
        bool browseEnabled = true;
        QString caption;
        setModalDialogRunner([&](QDialog &dialog) {
            caption = dialog.windowTitle();
            browseEnabled = dialog.findChild<QPushButton *>(QStringLiteral("cmdBrowse"))->isEnabled();
            QTest::keyClicks(dialog.findChild<HistoryComboBox *>()->lineEdit(), answer);
            dialog.findChild<QPushButton *>(answer.isEmpty() ? QStringLiteral("cmdCancel") : QStringLiteral("cmdOK"))->click();
            return dialog.result();
        });
        QCOMPARE(run(name, before), after);
        QCOMPARE(caption, QStringLiteral("Form processing program"));
        QVERIFY(!browseEnabled);
        if (!answer.isEmpty())
            QCOMPARE(readFile(m_folder->filePath(QStringLiteral("url-list.qvl"))), (answer + "\r\n").toUtf8());
    }

    void laterLinkOffersBrowseAgain()
    {
        bool browseEnabled = false;
        setModalDialogRunner([&](QDialog &dialog) {
            browseEnabled = dialog.findChild<QPushButton *>(QStringLiteral("cmdBrowse"))->isEnabled();
            dialog.reject();
            return dialog.result();
        });
        run(QStringLiteral("mnuFormAction(2)"), QStringLiteral("|"));
        QVERIFY(!browseEnabled);
        run(QStringLiteral("mnuInsert(7)"), QStringLiteral("|"));
        QVERIFY(browseEnabled);
    }

    // Each field entry opens its dialog, told which field to write.
    void fieldEntries_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("field");  // the input field type, or what marks the select tag
        const char *types[] = {"TEXT", "PASSWORD", "CHECKBOX", "RADIO", "SUBMIT", "RESET", "IMAGE", "HIDDEN"};
        for (int i = 0; i < 8; ++i)
            QTest::addRow("input %s", types[i]) << QStringLiteral("mnuFormInput(%1)").arg(i) << "frmInputField" << types[i];
        QTest::newRow("single select") << "mnuFormSelect(0)" << "frmSelect" << "";
        QTest::newRow("multiple select") << "mnuFormSelect(1)" << "frmSelect" << " MULTIPLE ";
        QTest::newRow("text area") << "mnuForm(4)" << "frmTextArea" << "";
    }
    void fieldEntries()
    {
        QFETCH(QString, name);
        QFETCH(QString, dialog);
        QFETCH(QString, field);
        QString shown;
        QString told;
        setModalDialogRunner([&](QDialog &opened) {
            shown = opened.objectName();
            if (auto *input = qobject_cast<FormFieldDialog *>(&opened))
                told = input->fieldType();
            else if (auto *select = qobject_cast<FormSelectDialog *>(&opened))
                told = select->tag().contains(QStringLiteral(" MULTIPLE ")) ? QStringLiteral(" MULTIPLE ") : QString();
            opened.reject();
            return opened.result();
        });
        QCOMPARE(run(name, QStringLiteral("a[b]")), QStringLiteral("a[b]"));
        QCOMPARE(shown, dialog);
        QCOMPARE(told, field);
    }

    void option_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("after");
        QTest::newRow("not selected, mid-line") << "mnuFormOption(1)" << "ab|y" << "Red" << "ab~<OPTION>Red|y";
        QTest::newRow("selected by default at a line start") << "mnuFormOption(0)" << "a~|" << "Blue & \"Green\""
                                                              << "a~<OPTION SELECTED>Blue & \"Green\"|";
        QTest::newRow("cancel writes the tag alone") << "mnuFormOption(1)" << "ab|" << "" << "ab~<OPTION>|";
        QTest::newRow("answer replaces the selection") << "mnuFormOption(1)" << "ab[Red]" << "Red" << "ab~<OPTION>Red|";
        QTest::newRow("cancel keeps the selection behind the tag")
            << "mnuFormOption(0)" << "ab[Red]" << "" << "ab~<OPTION SELECTED>Red|";
    }
    void option()
    {
        QFETCH(QString, name);
        QFETCH(QString, before);
        QFETCH(QString, answer);
        QFETCH(QString, after);
        m_app->platform().expectInputBox(answer, QStringLiteral("Form Option Text"),
                                         QStringLiteral("Enter text to describe this option"));
        QCOMPARE(run(name, before), after);
        const Marked start = parseMarked(before);
        QCOMPARE(m_app->platform().callsOf(PlatformCall::Kind::InputBox).last().defaultText,
                 start.text.mid(start.start, start.length));
        m_document->textArea()->undo();
        QCOMPARE(m_document->textArea()->text(), start.text);
    }
};

QTEST_MAIN(TestFormCommands)
#include "tst_form_commands.moc"
