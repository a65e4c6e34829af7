#include "app/main_window.h"
#include "dialogs/template_chooser.h"
#include "documents/new_document.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/modal_dialog.h"
#include "editor/text_area.h"
#include "platform/version.h"
#include "prefs/preferences.h"
#include "support/app_fixture.h"
#include "support/test_files.h"
#include "support/hover.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace vornel;

namespace {

QStringList entries(const QListWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

void select(TemplateChooser &chooser, const QString &name)
{
    const QList<QListWidgetItem *> found = chooser.list1()->findItems(name, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(name));
    found.first()->setSelected(true);
}

} // namespace

class TestTemplateChooser : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<TemporaryProgramFolder> m_templates;

    QString folder() const { return m_templates->path(); }
    void addTemplate(const QString &name, const QByteArray &bytes)
    {
        QVERIFY(writeFile(m_templates->filePath(name), bytes));
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        m_templates = std::make_unique<TemporaryProgramFolder>();
        QVERIFY(m_app->isValid() && m_templates->isValid());
        QVERIFY(m_app->showMain());
    }

    void cleanup()
    {
        setModalDialogRunner({});
        m_app.reset();
        m_templates.reset();
    }

    void layout()
    {
        prefs().Template = QStringLiteral("Vornel Default");
        TemplateChooser chooser({folder()}, *m_app->main());
        QCOMPARE(chooser.objectName(), QStringLiteral("frmTemplate"));
        QCOMPARE(chooser.windowTitle(), QStringLiteral("Use Template for new Document"));
        QCOMPARE(chooser.list1()->objectName(), QStringLiteral("List1"));
        QCOMPARE(chooser.message()->objectName(), QStringLiteral("Message"));
        QCOMPARE(chooser.message()->text(), QStringLiteral("Vornel Default"));
        auto *frame = qobject_cast<QGroupBox *>(chooser.message()->parentWidget());
        QVERIFY(frame);
        QCOMPARE(frame->title(), QStringLiteral("Current Default"));
        const QStringList captions = {"Set As Default", "Cancel", "Help", "OK"};
        for (int i = 0; i < 4; ++i) {
            QPushButton *button = chooser.command1(i);
            QVERIFY(button);
            QCOMPARE(button->objectName(), QStringLiteral("Command1(%1)").arg(i));
            QCOMPARE(button->text(), captions[i]);
        }
        QCOMPARE(chooser.command1(4), nullptr);
    }

    void centredInTheMainWindow()
    {
        TemplateChooser chooser({folder()}, *m_app->main());
        QCOMPARE(chooser.x(), (m_app->main()->width() - chooser.width()) / 2);
        QCOMPARE(chooser.y(), (m_app->main()->height() - chooser.height()) / 2);
    }

    void listsTheBuiltInTemplateAndTheFiles()
    {
        addTemplate(QStringLiteral("b.htt"), "b");
        addTemplate(QStringLiteral("A.htt"), "a");
        addTemplate(QStringLiteral("c.HTT"), "c");
        addTemplate(QStringLiteral("notes.txt"), "n");
        addTemplate(QStringLiteral("page.htt.bak"), "p");
        QVERIFY(QDir(folder()).mkdir(QStringLiteral("folder.htt")));
        TemplateChooser chooser({folder()}, *m_app->main());
        QCOMPARE(entries(chooser.list1()), (QStringList{"Vornel Default", "A.htt", "b.htt", "c.HTT"}));
        QVERIFY(chooser.list1()->selectedItems().isEmpty());
    }

    void listsTheTemplatesOfEveryFolderOnce()
    {
        addTemplate(QStringLiteral("b.htt"), "b");
        QTemporaryDir shipped;
        QVERIFY(writeFile(shipped.filePath(QStringLiteral("a.htt")), "a"));
        QVERIFY(writeFile(shipped.filePath(QStringLiteral("b.htt")), "other b"));
        TemplateChooser chooser({folder(), shipped.path()}, *m_app->main());
        QCOMPARE(entries(chooser.list1()), (QStringList{"Vornel Default", "a.htt", "b.htt"}));
    }

    void withoutTemplatesOnlyTheBuiltIn_data()
    {
        QTest::addColumn<bool>("folderExists");
        QTest::newRow("empty folder") << true;
        QTest::newRow("missing folder") << false;
    }
    void withoutTemplatesOnlyTheBuiltIn()
    {
        QFETCH(bool, folderExists);
        const QString where = folderExists ? folder() : m_templates->filePath(QStringLiteral("missing"));
        TemplateChooser chooser({where}, *m_app->main());
        QCOMPARE(entries(chooser.list1()), QStringList{"Vornel Default"});
    }

    void setAsDefaultNeedsASelection()
    {
        prefs().Template = QStringLiteral("Vornel Default");
        addTemplate(QStringLiteral("a.htt"), "a");
        TemplateChooser chooser({folder()}, *m_app->main());
        chooser.command1(0)->click();
        QCOMPARE(prefs().Template, QStringLiteral("Vornel Default"));
        QCOMPARE(chooser.message()->text(), QStringLiteral("Vornel Default"));
    }

    void setAsDefaultIsKeptAfterCancel()
    {
        prefs().Template = QStringLiteral("Vornel Default");
        addTemplate(QStringLiteral("a.htt"), "a");
        TemplateChooser chooser({folder()}, *m_app->main());
        chooser.show();
        select(chooser, QStringLiteral("a.htt"));
        chooser.command1(0)->click();
        QCOMPARE(prefs().Template, QStringLiteral("a.htt"));
        QCOMPARE(chooser.message()->text(), QStringLiteral("a.htt"));
        QVERIFY(chooser.isVisible());
        chooser.command1(1)->click();
        QVERIFY(!chooser.isVisible());
        QCOMPARE(chooser.result(), int(QDialog::Rejected));
        QCOMPARE(prefs().Template, QStringLiteral("a.htt"));
        QVERIFY(m_app->main()->documents().isEmpty());
    }

    void help()
    {
        m_app->platform().expectMessageBox(
            MsgResult::Ok, QStringLiteral("Document Templates"),
            QStringLiteral("Your new document can be based on any of the templates you have saved in the program "
                           "directory as .HTT files.  If no default template is configured, the Vornel default will "
                           "be used.\n\r\n\rYou can define your default template by selecting the filename and "
                           "clicking \"Set As Default\""));
        TemplateChooser chooser({folder()}, *m_app->main());
        chooser.command1(2)->click();
        QVERIFY(m_app->main()->documents().isEmpty());
    }

    void okUsesTheSelectedTemplate()
    {
        prefs().Template = QStringLiteral("Vornel Default");
        addTemplate(QStringLiteral("a.htt"), QByteArray("first\0line\r\n", 12));
        TemplateChooser chooser({folder()}, *m_app->main());
        chooser.show();
        select(chooser, QStringLiteral("a.htt"));
        chooser.command1(3)->click();
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QVERIFY(!chooser.isVisible());
        QCOMPARE(m_app->main()->documents().size(), 1);
        QCOMPARE(m_app->main()->activeDocument()->textArea()->toBytes(), QByteArray("first\0line\r\n", 12));
        // Choosing a template for once does not make it the default.
        QCOMPARE(prefs().Template, QStringLiteral("Vornel Default"));
    }

    void okWithoutASelectionUsesTheDefault()
    {
        addTemplate(QStringLiteral("a.htt"), "from a");
        addTemplate(QStringLiteral("b.htt"), "from b");
        prefs().Template = QStringLiteral("b.htt");
        TemplateChooser chooser({folder()}, *m_app->main());
        chooser.command1(3)->click();
        QCOMPARE(m_app->main()->documents().size(), 1);
        QCOMPARE(m_app->main()->activeDocument()->textArea()->text(), QStringLiteral("from b"));
    }

    void okWithTheBuiltInAsksForTheTitle()
    {
        m_app->platform().expectInputBox(QStringLiteral("Home"), QStringLiteral("Create New Document"));
        TemplateChooser chooser({folder()}, *m_app->main());
        select(chooser, QStringLiteral("Vornel Default"));
        chooser.command1(3)->click();
        QCOMPARE(m_app->main()->documents().size(), 1);
        QCOMPARE(m_app->main()->activeDocument()->textArea()->text(), defaultTemplateText(QStringLiteral("Home")));
    }

    void cancelledTitleStillClosesTheChooser()
    {
        m_app->platform().expectInputBox(QString());
        TemplateChooser chooser({folder()}, *m_app->main());
        chooser.show();
        select(chooser, QStringLiteral("Vornel Default"));
        chooser.command1(3)->click();
        QVERIFY(!chooser.isVisible());
        QVERIFY(m_app->main()->documents().isEmpty());
    }

    void defaultNamingNoFileFailsWhenUsed()
    {
        prefs().Template = QStringLiteral("deleted.htt");
        m_app->platform().expectMessageBox(MsgResult::Ok, kProductName,
                                           QStringLiteral("Can't open template file: deleted.htt\n\nNo such file or directory"));
        TemplateChooser chooser({folder()}, *m_app->main());
        QCOMPARE(chooser.message()->text(), QStringLiteral("deleted.htt"));
        chooser.command1(3)->click();
        QVERIFY(m_app->main()->documents().isEmpty());
        QVERIFY(!documentTable().anyOpen());
    }

    void doubleClickActsAsOk()
    {
        addTemplate(QStringLiteral("a.htt"), "double");
        TemplateChooser chooser({folder()}, *m_app->main());
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QListWidget *list = chooser.list1();
        QListWidgetItem *item = list->findItems(QStringLiteral("a.htt"), Qt::MatchExactly).first();
        const QPoint at = list->visualItemRect(item).center();
        // What the window system delivers for a double click: a click, then the double click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        QTRY_VERIFY(!chooser.isVisible());
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QCOMPARE(m_app->main()->documents().size(), 1);
        QCOMPARE(m_app->main()->activeDocument()->textArea()->text(), QStringLiteral("double"));
    }

    void hints_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("hint");
        QTest::newRow("set as default") << 0 << "Define default template for \"New\" button on main toolbar";
        QTest::newRow("cancel") << 1 << "Close this window, aborting action";
        QTest::newRow("help") << 2 << "Information about using templates";
        QTest::newRow("ok") << 3 << "Close this window and use selected template";
        QTest::newRow("list") << -1 << "Availible templates";
        QTest::newRow("background") << -2 << "Use Template for new Document";
    }
    void hints()
    {
        QFETCH(int, button);
        QFETCH(QString, hint);
        TemplateChooser chooser({folder()}, *m_app->main());
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        m_app->main()->setStatusText(QString());
        QWidget *target = button >= 0 ? static_cast<QWidget *>(chooser.command1(button))
                                      : button == -1 ? chooser.list1()->viewport() : &chooser;
        const QPoint at = button == -2 ? QPoint(2, 2) : target->rect().center();
        hover(target, at);
        QCOMPARE(m_app->main()->statusText(), hint);
        // Closing the chooser takes its hint away; another text stays.
        chooser.reject();
        QCOMPARE(m_app->main()->statusText(), QString());
        m_app->main()->setStatusText(QStringLiteral("Edit PAGE.HTM"));
        chooser.show();
        chooser.reject();
        QCOMPARE(m_app->main()->statusText(), QStringLiteral("Edit PAGE.HTM"));
    }

    void newInBothMenuBarsOpensTheChooser()
    {
        addTemplate(QStringLiteral("a.htt"), "via the menu");
        int shown = 0;
        setModalDialogRunner([&shown](QDialog &dialog) {
            ++shown;
            auto *chooser = qobject_cast<TemplateChooser *>(&dialog);
            if (!chooser)
                return int(QDialog::Rejected);
            select(*chooser, QStringLiteral("a.htt"));
            chooser->command1(3)->click();
            return chooser->result();
        });
        // The main window's own menu bar, with no document open.
        m_app->main()->action(QStringLiteral("mnuFNew"))->trigger();
        QCOMPARE(shown, 1);
        QCOMPARE(m_app->main()->documents().size(), 1);
        DocumentWindow *first = m_app->main()->activeDocument();
        QCOMPARE(first->textArea()->text(), QStringLiteral("via the menu"));
        // The document window's File > New.
        first->action(QStringLiteral("mnuFNew"))->trigger();
        QCOMPARE(shown, 2);
        QCOMPARE(m_app->main()->documents().size(), 2);
        QCOMPARE(m_app->main()->activeDocument()->caption(), QStringLiteral("Untitled:2"));
    }

    void cancelInTheChooserCreatesNothing()
    {
        setModalDialogRunner([](QDialog &dialog) {
            auto *chooser = qobject_cast<TemplateChooser *>(&dialog);
            if (chooser)
                chooser->command1(1)->click();
            return dialog.result();
        });
        newCommand(*m_app->main());
        QVERIFY(m_app->main()->documents().isEmpty());
        QVERIFY(!documentTable().anyOpen());
    }
};

QTEST_MAIN(TestTemplateChooser)
#include "tst_template_chooser.moc"
