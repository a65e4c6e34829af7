#include "app/main_window.h"
#include "documents/recent_files.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "platform/version.h"
#include "prefs/preferences.h"
#include "support/app_fixture.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using namespace vornel;

class TestDocumentWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;

    DocumentWindow *newDocument()
    {
        DocumentWindow *document = m_app->newDocument();
        document->textArea()->setFocus();
        return document;
    }

    void setText(DocumentWindow *document, const QString &text, int start, int length = 0)
    {
        document->textArea()->setText(text);
        document->textArea()->setSelStart(start);
        document->textArea()->setSelLength(length);
    }

    QStringList topCaptions() const
    {
        QStringList captions;
        for (QAction *a : m_app->main()->menuBar()->actions())
            captions << a->text();
        return captions;
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        QVERIFY(m_app->showMain());
    }

    void cleanup() { m_app.reset(); }

    void menuEntries_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<bool>("visible");
        const auto row = [](const char *name, const char *caption, QKeySequence key = {}, bool visible = true) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption) << key << visible;
        };
        row("mnuUndo", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z), false);
        row("mnuECut", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X));
        row("mnuECopy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
        row("mnuEPaste", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
        row("mnuEDelete", "De&lete", QKeySequence(Qt::Key_Delete));
        row("mnuESelectAll", "Select &All");
        row("mnuDoc(0)", "HT&ML");
        row("mnuDoc(1)", "&Head");
        row("mnuDoc(2)", "&Isindex");
        row("mnuDoc(3)", "&Title");
        row("mnuDoc(4)", "&Body");
        row("mnuHead(1)", "Heading &1    Ctrl+1");
        row("mnuHead(6)", "Heading &6    Ctrl+6");
        row("mnuExtend", "&Extended Characters");
        row("mnuOToolbar", "Extended &Toolbar");
        row("mnuArrange(0)", "&Cascade");
        row("mnuArrange(1)", "Tile &Horizontally");
        row("mnuArrange(2)", "Tile &Vertically");
        row("mnuArrange(3)", "&Arrange Icons");
    }
    void menuEntries()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        QFETCH(bool, visible);
        DocumentWindow *document = newDocument();
        QAction *action = document->action(name);
        QVERIFY2(action, qPrintable(name));
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), shortcut);
        QCOMPARE(action->isVisible(), visible);
    }

    // The File and Help menus are the main window's own, entry for entry; only these names
    // differ, and what needs a document works only in a document window.
    void fileAndHelpMenusMatchTheMainWindows()
    {
        const QHash<QString, QString> renamed = {
            {"mnuFClose", "mnuClose"},   {"mnuFSave", "mnuSave"},       {"mnuFSaveAs", "mnuSaveAs"},
            {"mnuFileGet", "mnuGetFile"}, {"mnuFileDel", "mnuDeleteFile"}, {"mnuSupport", "mnuTechSupport"},
        };
        const QStringList needDocument = {"mnuFClose", "mnuFSave", "mnuFSaveAs", "mnuFileGet", "mnuPrint"};
        DocumentWindow *document = newDocument();
        for (const QString &menuName : {QStringLiteral("mnuFile"), QStringLiteral("mnuHelp")}) {
            const QList<QAction *> ours = document->menu(menuName)->actions();
            const QList<QAction *> main = m_app->main()->findChild<QMenu *>(menuName)->actions();
            QCOMPARE(ours.size(), main.size());
            for (int i = 0; i < int(ours.size()); ++i) {
                const QString name = ours[i]->objectName();
                QCOMPARE(main[i]->objectName(), renamed.value(name, name));
                QCOMPARE(main[i]->text(), ours[i]->text());
                QCOMPARE(main[i]->shortcut(), ours[i]->shortcut());
                QCOMPARE(main[i]->isVisible(), ours[i]->isVisible());
                QCOMPARE(main[i]->isSeparator(), ours[i]->isSeparator());
                // A hidden entry is never enabled.
                QCOMPARE(ours[i]->isEnabled(), ours[i]->isVisible());
                QCOMPARE(main[i]->isEnabled(), main[i]->isVisible() && !needDocument.contains(name));
            }
        }
    }

    void menuBarFollowsTheActiveDocument()
    {
        const QStringList own = topCaptions();
        QCOMPARE(own, (QStringList{"&File", "&Window", "&Help"}));
        DocumentWindow *document = newDocument();
        QCOMPARE(topCaptions().mid(0, 4), (QStringList{"&File", "&Edit", "&Document", "&Styles"}));
        QCOMPARE(topCaptions().last(), QStringLiteral("&Help"));
        QCOMPARE(m_app->main()->statusText(), QStringLiteral("Edit Untitled:1"));
        document->parentWidget()->close();
        QTRY_COMPARE(topCaptions(), own);
        QVERIFY(!documentTable().anyOpen());
    }

    void recentEntriesStartHidden()
    {
        DocumentWindow *document = newDocument();
        QCOMPARE(recentFileEntries(document->actions()).size(), 9);
        for (QAction *a : recentFileEntries(document->actions()))
            QVERIFY(!a->isVisible());
        QCOMPARE(recentFileEntries(document->actions())[3]->text(), QStringLiteral("RecentFile3"));
    }

    void documentMenuWritesBlockTags()
    {
        DocumentWindow *document = newDocument();
        setText(document, QStringLiteral("My page"), 0, 7);
        document->action(QStringLiteral("mnuDoc(3)"))->trigger();
        QCOMPARE(document->textArea()->text(), QStringLiteral("<TITLE>My page</TITLE>"));
        setText(document, QStringLiteral("ab My page"), 3, 7);
        document->action(QStringLiteral("mnuDoc(3)"))->trigger();
        QCOMPARE(document->textArea()->text(), QStringLiteral("ab \r\n<TITLE>My page</TITLE>\r\n"));
        setText(document, QStringLiteral("xy"), 2);
        document->action(QStringLiteral("mnuDoc(2)"))->trigger();
        QCOMPARE(document->textArea()->text(), QStringLiteral("xy\r\n<ISINDEX>"));
    }

    void enterKey_data()
    {
        QTest::addColumn<int>("enterBR");
        QTest::addColumn<QString>("expected");
        QTest::newRow("line break only") << 0 << "abc\r\n";
        QTest::newRow("with BR") << 1 << "abc<BR>\r\n";
    }
    void enterKey()
    {
        QFETCH(int, enterBR);
        QFETCH(QString, expected);
        prefs().EnterBR = qint16(enterBR);
        DocumentWindow *document = newDocument();
        setText(document, QStringLiteral("abc"), 3);
        QTest::keyClick(document->textArea(), Qt::Key_Return);
        QCOMPARE(document->textArea()->text(), expected);
        QCOMPARE(document->textArea()->selStart(), expected.size());
    }

    void headingKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Ctrl+3") << int(Qt::Key_3) << int(Qt::ControlModifier) << "ab\r\n<H3>x</H3>\r\n";
        QTest::newRow("Ctrl+1") << int(Qt::Key_1) << int(Qt::ControlModifier) << "ab\r\n<H1>x</H1>\r\n";
        QTest::newRow("Ctrl+Shift+1") << int(Qt::Key_1) << int(Qt::ControlModifier | Qt::ShiftModifier) << "abx";
        QTest::newRow("Ctrl+7") << int(Qt::Key_7) << int(Qt::ControlModifier) << "abx";
        QTest::newRow("keypad Ctrl+2") << int(Qt::Key_2) << int(Qt::ControlModifier | Qt::KeypadModifier) << "abx";
    }
    void headingKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, expected);
        DocumentWindow *document = newDocument();
        setText(document, QStringLiteral("abx"), 2, 1);
        QTest::keyClick(document->textArea(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(document->textArea()->text(), expected);
    }

    void editDelete()
    {
        DocumentWindow *document = newDocument();
        setText(document, QStringLiteral("ab\r\ncd"), 2);
        document->action(QStringLiteral("mnuEDelete"))->trigger();
        QCOMPARE(document->textArea()->text(), QStringLiteral("abcd"));
        setText(document, QStringLiteral("abcd"), 4);
        document->action(QStringLiteral("mnuEDelete"))->trigger();
        QCOMPARE(document->textArea()->text(), QStringLiteral("abcd"));
        setText(document, QStringLiteral("abcd"), 1, 2);
        document->action(QStringLiteral("mnuEDelete"))->trigger();
        QCOMPARE(document->textArea()->text(), QStringLiteral("ad"));
        // A lone CR is a line end of its own: the character after it stays.
        setText(document, QStringLiteral("a\rb"), 1);
        document->action(QStringLiteral("mnuEDelete"))->trigger();
        QCOMPARE(document->textArea()->text(), QStringLiteral("ab"));
        // A lone LF is one character.
        setText(document, QStringLiteral("a\nb"), 1);
        document->action(QStringLiteral("mnuEDelete"))->trigger();
        QCOMPARE(document->textArea()->text(), QStringLiteral("ab"));
    }

    void editClipboardAndSelectAll()
    {
        DocumentWindow *document = newDocument();
        m_app->platform().setClipboardText(QStringLiteral("keep"));
        setText(document, QStringLiteral("one\r\ntwo"), 2);
        document->action(QStringLiteral("mnuECut"))->trigger();
        document->action(QStringLiteral("mnuECopy"))->trigger();
        QCOMPARE(m_app->platform().clipboardText(), QStringLiteral("keep"));
        document->action(QStringLiteral("mnuESelectAll"))->trigger();
        QCOMPARE(document->textArea()->selLength(), 8);
        document->action(QStringLiteral("mnuECut"))->trigger();
        QCOMPARE(m_app->platform().clipboardText(), QStringLiteral("one\r\ntwo"));
        QCOMPARE(document->textArea()->length(), 0);
        document->action(QStringLiteral("mnuEPaste"))->trigger();
        document->action(QStringLiteral("mnuEPaste"))->trigger();
        QCOMPARE(document->textArea()->text(), QStringLiteral("one\r\ntwoone\r\ntwo"));
    }

    void menuShortcutsWinOverTheTextArea()
    {
        DocumentWindow *document = newDocument();
        setText(document, QStringLiteral("abc"), 1);
        // Ctrl+A is Save As, not Select All.
        m_app->platform().expectSaveDialogCancel();
        QTest::keyClick(document->textArea(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(document->textArea()->selLength(), 0);
        QCOMPARE(m_app->platform().callsOf(PlatformCall::Kind::SaveDialog).size(), 1);
        // Ctrl+Z still undoes in the text area although its menu entry is hidden.
        QTest::keyClicks(document->textArea(), QStringLiteral("xy"));
        QCOMPARE(document->textArea()->text(), QStringLiteral("axybc"));
        QTest::keyClick(document->textArea(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(document->textArea()->text(), QStringLiteral("abc"));
    }

    void everyChangeMarksTheSlot()
    {
        DocumentWindow *document = newDocument();
        QVERIFY(!document->isChanged());
        QTest::keyClicks(document->textArea(), QStringLiteral("a"));
        QVERIFY(document->isChanged());
    }

    void closeQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("no") << int(MsgResult::No) << true;
        QTest::newRow("cancel") << int(MsgResult::Cancel) << false;
    }
    void closeQuestion()
    {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        DocumentWindow *document = newDocument();
        const int slot = document->slot();
        QTest::keyClicks(document->textArea(), QStringLiteral("a"));
        m_app->platform().expectMessageBox(MsgResult(answer), kProductName,
                                        QStringLiteral("Do you want to save changes to the file [Untitled:1]?"));
        QPointer<QWidget> window = document->parentWidget();
        window->close();
        QTRY_COMPARE(window.isNull(), closes);
        QCOMPARE(documentTable().isFree(slot), closes);
        const PlatformCall call = m_app->platform().callsOf(PlatformCall::Kind::MessageBox).first();
        QCOMPARE(call.buttons, MsgButtons::YesNoCancel);
        QCOMPARE(call.icon, MsgIcon::Question);
    }

    void aSlotTakenBeforeTheClosedWindowIsDeletedStaysTaken()
    {
        DocumentWindow *first = newDocument();
        QPointer<QWidget> window = first->parentWidget();
        QVERIFY(window->close());
        // The closed window is deleted later; the new one takes its slot meanwhile.
        DocumentWindow *second = newDocument();
        QCOMPARE(second->slot(), 1);
        QTRY_VERIFY(window.isNull());
        QVERIFY(!documentTable().isFree(1));
        QVERIFY(documentTable().anyOpen());
    }

    void yesOnAnUntitledDocumentAsksForAName()
    {
        DocumentWindow *document = newDocument();
        QTest::keyClicks(document->textArea(), QStringLiteral("a"));
        m_app->platform().expectMessageBox(MsgResult::Yes);
        m_app->platform().expectSaveDialogCancel();
        QPointer<QWidget> window = document->parentWidget();
        QVERIFY(!window->close());
        QVERIFY(!window.isNull());
        QVERIFY(document->isChanged());
    }

    void exitCancelledByADocumentKeepsEverything()
    {
        DocumentWindow *first = newDocument();
        newDocument();
        QTest::keyClicks(first->textArea(), QStringLiteral("a"));
        m_app->platform().expectMessageBox(MsgResult::Cancel);
        QVERIFY(!m_app->main()->close());
        QCOMPARE(m_app->main()->documents().size(), 2);
        QVERIFY(m_app->main()->isVisible());
    }

    void focusAppliesThePreferences()
    {
        prefs().Font = QStringLiteral("DejaVu Sans Mono");
        prefs().Size = 14;
        prefs().Bold = 0;
        prefs().Italic = -1;
        prefs().FColor = 0x0000FF;   // red, as 0x00BBGGRR
        prefs().BColor = 0xFFFFFF;
        DocumentWindow *document = newDocument();
        document->textArea()->clearFocus();
        document->textArea()->setFocus();
        QTRY_VERIFY(document->textArea()->font().italic());
        QCOMPARE(document->textArea()->font().pointSize(), 14);
        QVERIFY(!document->textArea()->font().bold());
        QCOMPARE(document->textArea()->font().family(), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(document->textArea()->palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(document->textArea()->palette().color(QPalette::Base), QColor(Qt::white));
    }

    void windowListAndArrangement()
    {
        DocumentWindow *first = newDocument();
        DocumentWindow *second = newDocument();
        QMenu *window = second->menu(QStringLiteral("mnuWindow"));
        QVERIFY(window);
        m_app->main()->fillWindowList(window);
        QStringList entries;
        QAction *firstEntry = nullptr;
        for (QAction *a : window->actions()) {
            if (a->property("windowListEntry").toBool()) {
                entries << a->text() + (a->isChecked() ? QStringLiteral("*") : QString());
                if (!firstEntry)
                    firstEntry = a;
            }
        }
        QCOMPARE(entries, (QStringList{"&1 Untitled:1", "&2 Untitled:2*"}));
        firstEntry->trigger();
        QCOMPARE(m_app->main()->activeDocument(), first);
        m_app->main()->tile(Qt::Vertical);
        const QList<QMdiSubWindow *> subs = m_app->main()->mdiArea()->subWindowList();
        QCOMPARE(subs[0]->geometry().top(), subs[1]->geometry().top());
        QVERIFY(subs[0]->geometry().right() < subs[1]->geometry().left());
        m_app->main()->tile(Qt::Horizontal);
        QCOMPARE(subs[0]->geometry().left(), subs[1]->geometry().left());
        QVERIFY(subs[0]->geometry().bottom() < subs[1]->geometry().top());
    }
};

QTEST_MAIN(TestDocumentWindow)
#include "tst_document_window.moc"
