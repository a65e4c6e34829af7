#include "app/main_window.h"
#include "dialogs/history_combo_box.h"
#include "dialogs/list_input_box.h"
#include "editor/modal_dialog.h"
#include "editor/status_hints.h"
#include "prefs/preferences.h"
#include "support/app_fixture.h"
#include "support/test_files.h"
#include "support/hover.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <memory>

using namespace vornel;

namespace {

const QByteArray kHistory = "a.htm\r\nb.htm\r\nc.htm\r\n";

// Acts on the box as a user would, one named step at a time; "pick" chooses the second entry.
void play(ListInputBox &box, const QStringList &steps)
{
    for (const QString &step : steps) {
        if (step == u"type") {
            QTest::keyClicks(box.list()->lineEdit(), QStringLiteral("new.htm"));
        } else if (step == u"pick") {
            QTest::keyClick(box.list(), Qt::Key_Down);
            QTest::keyClick(box.list(), Qt::Key_Down);
        } else if (step == u"enter") {
            QTest::keyClick(box.list(), Qt::Key_Return);
        } else if (step == u"escape") {
            QTest::keyClick(&box, Qt::Key_Escape);
        } else {
            const QString name = QStringLiteral("cmd") + step;
            auto *button = box.findChild<QPushButton *>(name, Qt::FindDirectChildrenOnly);
            QVERIFY2(button, qPrintable(name));
            button->click();
        }
    }
}

} // namespace

class TestListInputBox : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<TemporaryProgramFolder> m_folder;

    QString historyPath() const { return m_folder->filePath(QStringLiteral("url-list.qvl")); }

    QString ask(const QStringList &steps, bool browseEnabled = true)
    {
        setModalDialogRunner([&steps, browseEnabled](QDialog &dialog) {
            auto *box = qobject_cast<ListInputBox *>(&dialog);
            if (!box)
                return int(QDialog::Rejected);
            [&] { QCOMPARE(box->browseButton()->isEnabled(), browseEnabled); }();
            // Enter reaches the default button of a dialog on screen only.
            box->show();
            play(*box, steps);
            return dialog.result();
        });
        return listInputBox(*m_app->main(), QStringLiteral("Prompt"), QStringLiteral("url-list.qvl"),
                            QStringLiteral("Caption"), browseEnabled);
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        m_folder = std::make_unique<TemporaryProgramFolder>();
        QVERIFY(m_app->isValid() && m_folder->isValid());
        QVERIFY(writeFile(historyPath(), kHistory));
    }
    void cleanup()
    {
        setModalDialogRunner({});
        m_app.reset();
        m_folder.reset();
    }

    void layoutAndPlacement()
    {
        ListInputBox box(*m_app->main());
        QCOMPARE(box.label1()->objectName(), QStringLiteral("Label1"));
        QVERIFY(box.okButton()->isDefault());
        box.prepare(QStringLiteral("Prompt"), historyPath(), QStringLiteral("Caption"));
        QCOMPARE(box.label1()->text(), QStringLiteral("Prompt"));
        QCOMPARE(box.windowTitle(), QStringLiteral("Caption"));
        QCOMPARE(box.list()->count(), 3);
        QCOMPARE(box.list()->currentText(), QString());
        const QPoint screenCentre = m_app->main()->screen()->geometry().center();
        QVERIFY(qAbs(box.x() + box.width() / 2 - screenCentre.x()) <= 1);
        QVERIFY(qAbs(box.y() + box.height() / 2 - screenCentre.y()) <= 1);
    }

    void resultAndHistory_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QByteArray>("history");
        QTest::newRow("typed") << QStringList{"type", "OK"} << "new.htm" << kHistory + "new.htm\r\n";
        QTest::newRow("typed, Enter") << QStringList{"type", "enter"} << "new.htm" << kHistory + "new.htm\r\n";
        QTest::newRow("picked") << QStringList{"pick", "OK"} << "b.htm" << kHistory;
        QTest::newRow("typed, Cancel") << QStringList{"type", "Cancel"} << "" << kHistory;
        QTest::newRow("typed, Escape") << QStringList{"type", "escape"} << "" << kHistory;
        QTest::newRow("removed, typed") << QStringList{"pick", "Remove", "type", "OK"} << "new.htm"
                                        << QByteArray("a.htm\r\nc.htm\r\n");
        QTest::newRow("removed, Cancel") << QStringList{"pick", "Remove", "Cancel"} << "" << kHistory;
    }
    void resultAndHistory()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, result);
        QFETCH(QByteArray, history);
        QCOMPARE(ask(steps), result);
        QCOMPARE(readFile(historyPath()), history);
    }

    void browseUsesTheCallersDialog_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::newRow("chosen") << true;
        QTest::newRow("cancelled") << false;
    }
    void browseUsesTheCallersDialog()
    {
        QFETCH(bool, chosen);
        prefs().WebPath = QStringLiteral("docs");
        m_app->main()->commonDialog().dialogTitle = QStringLiteral("Jump");
        m_app->main()->commonDialog().filter = QStringLiteral("HTML|*.htm");
        if (chosen)
            m_app->platform().expectOpenDialog(QStringLiteral("/home/me/site/page.htm"));
        else
            m_app->platform().expectOpenDialogCancel();
        const QString result = ask({"type", "Browse", "OK"});
        QCOMPARE(result, chosen ? QStringLiteral("docs/page.htm") : QStringLiteral("new.htm"));
        QCOMPARE(readFile(historyPath()), kHistory + result.toLatin1() + "\r\n");
        const PlatformCall shown = m_app->platform().calls().value(0);
        QCOMPARE(shown.title, QStringLiteral("Jump"));
        QCOMPARE(shown.dialog.filter, QStringLiteral("HTML|*.htm"));
        QCOMPARE(shown.dialog.filterIndex, 1);
    }

    void browseCanBeDisabled()
    {
        QCOMPARE(ask({"Cancel"}, false), QString());
        QCOMPARE(ask({"Cancel"}, true), QString());
    }

    void controls_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hint");
        QTest::newRow("OK") << "cmdOK" << "OK" << "Close this window and use selection";
        QTest::newRow("Cancel") << "cmdCancel" << "Cancel" << "Close this window, aborting action";
        QTest::newRow("Remove") << "cmdRemove" << "Remove From List" << "Remove selected item from drop-down list";
        QTest::newRow("Browse") << "cmdBrowse" << "Browse..." << "Locate a new selection on the available file system";
        QTest::newRow("drop-down") << "LIBListBox" << "" << "Select from list of previous selections";
        QTest::newRow("background") << "frmListInputBox" << "ListInputBox" << "Select from list or enter a new selection";
    }
    void controls()
    {
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(QString, hint);
        ListInputBox box(*m_app->main());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QWidget *target = box.findChild<QWidget *>(control);
        target = target ? target : &box;
        QCOMPARE(target == &box ? box.windowTitle() : target->property("text").toString(), text);
        if (auto *list = qobject_cast<HistoryComboBox *>(target))
            target = list->lineEdit();
        const QPoint at = target == &box ? QPoint(2, 2) : target->rect().center();
        hover(target, at);
        QCOMPARE(m_app->main()->statusText(), hint);
    }
};

QTEST_MAIN(TestListInputBox)
#include "tst_list_input_box.moc"
