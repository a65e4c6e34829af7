#include "app/main_window.h"
#include "editor/document_window.h"
#include "editor/modal_dialog.h"
#include "editor/status_hints.h"
#include "editor/text_area.h"
#include "platform/version.h"
#include "search/find_dialog.h"
#include "search/replace_dialog.h"
#include "search/search_commands.h"
#include "search/search_state.h"
#include "search/text_search.h"
#include "support/app_fixture.h"
#include "support/marked_text.h"
#include "support/hover.h"
#include "support/string_edit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QtTest>

#include <functional>
#include <memory>

using namespace vornel;

namespace {

QString notFound(const QString &what)
{
    return QStringLiteral("Cannot find \"") + what + QLatin1Char('"');
}

} // namespace

class TestSearchCommands : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    int m_dialogsShown = 0;

    DocumentWindow *document(const QString &marked)
    {
        DocumentWindow *window = m_app->newDocument();
        window->textArea()->setFocus();
        setMarked(*window->textArea(), parseMarked(marked));
        return window;
    }

    // Answers the next dialogs a command shows with play, which acts on the dialog as a user
    // would and returns when it has closed it (or leaves it open to be rejected).
    template <typename Dialog>
    void answerWith(std::function<void(Dialog &)> play)
    {
        setModalDialogRunner([this, play](QDialog &shown) {
            ++m_dialogsShown;
            auto *dialog = qobject_cast<Dialog *>(&shown);
            if (!dialog) {
                qWarning() << "unexpected dialog" << shown.objectName();
                return int(QDialog::Rejected);
            }
            dialog->show();
            play(*dialog);
            if (dialog->isVisible())
                dialog->reject();
            return dialog->result();
        });
    }

private Q_SLOTS:
    void init()
    {
        resetSearchState();
        m_dialogsShown = 0;
        m_app = std::make_unique<AppFixture>();
        m_app->main()->resize(900, 700);
        QVERIFY(m_app->showMain());
    }

    void cleanup()
    {
        setModalDialogRunner({});
        m_app.reset();
        resetSearchState();
    }

    void editMenuEntriesFollowSelectAll()
    {
        DocumentWindow *window = document(QStringLiteral("|"));
        const QList<QAction *> actions = window->menu(QStringLiteral("mnuEdit"))->actions();
        qsizetype at = -1;
        for (qsizetype i = 0; i < actions.size(); ++i) {
            if (actions[i]->objectName() == QStringLiteral("mnuESelectAll"))
                at = i;
        }
        QVERIFY(at >= 0);
        QCOMPARE(actions.size(), at + 6);
        QVERIFY(actions[at + 1]->isSeparator());
        const QStringList names = {"mnuSFind", "mnuSFindNext(0)", "mnuSFindNext(1)", "mnuSReplace"};
        const QStringList captions = {"&Find...", "Find &Next", "Find Pre&vious", "&Replace..."};
        const QList<QKeySequence> keys = {QKeySequence(), QKeySequence(Qt::Key_F3),
                                          QKeySequence(Qt::SHIFT | Qt::Key_F3), QKeySequence()};
        for (int i = 0; i < 4; ++i) {
            QAction *action = actions[at + 2 + i];
            QCOMPARE(action->objectName(), names[i]);
            QCOMPARE(action->text(), captions[i]);
            QCOMPARE(action->shortcut(), keys[i]);
        }
    }

    void findDialogLoadsFromTheSelection()
    {
        DocumentWindow *window = document(QStringLiteral("one [two] three"));
        searchState().SearchText = QStringLiteral("older");
        searchState().SearchDirection = 0;
        answerWith<FindDialog>([this](FindDialog &find) {
            QCOMPARE(find.windowTitle(), QStringLiteral("Find"));
            QCOMPARE(find.text1()->text(), QStringLiteral("two"));
            // Ready to be typed over.
            QCOMPARE(find.focusWidget(), find.text1());
            QCOMPARE(find.text1()->selectedText(), QStringLiteral("two"));
            QVERIFY(find.cmdFind()->isEnabled());
            QCOMPARE(find.cmdFind()->text(), QStringLiteral("Fi&nd"));
            QVERIFY(find.cmdFind()->isDefault());
            QVERIFY(find.optDirection(1)->isChecked());
            QVERIFY(!find.chkCase()->isChecked());
            QCOMPARE(searchState().SearchDirection, 1);
            QVERIFY(searchState().NewSearch);
            // Centred over the main window.
            const QRect main = m_app->main()->frameGeometry();
            QCOMPARE(find.x(), main.left() + main.width() / 2 - find.width() / 2);
            QCOMPARE(find.y(), main.top() + main.height() / 2 - find.height() / 2);
        });
        window->action(QStringLiteral("mnuSFind"))->trigger();
        QCOMPARE(m_dialogsShown, 1);
        // Closing keeps the text for Find Next.
        QCOMPARE(searchState().SearchText, QStringLiteral("two"));
    }

    void findDialogLoadsTheLastSearchText()
    {
        DocumentWindow *window = document(QStringLiteral("ab|c"));
        answerWith<FindDialog>([](FindDialog &find) {
            QCOMPARE(find.text1()->text(), QString());
            QVERIFY(!find.cmdFind()->isEnabled());
            QTest::keyClicks(find.text1(), QStringLiteral("b"));
            QVERIFY(find.cmdFind()->isEnabled());
            QTest::keyClick(find.text1(), Qt::Key_Backspace);
            QVERIFY(!find.cmdFind()->isEnabled());
            QTest::keyClicks(find.text1(), QStringLiteral("bc"));
        });
        window->action(QStringLiteral("mnuSFind"))->trigger();
        answerWith<FindDialog>([](FindDialog &find) { QCOMPARE(find.text1()->text(), QStringLiteral("bc")); });
        window->action(QStringLiteral("mnuSFind"))->trigger();
        QCOMPARE(m_dialogsShown, 2);
    }

    void findDialogFindsOnAndStaysOpen()
    {
        DocumentWindow *window = document(QStringLiteral("|one two one two"));
        TextArea *text = window->textArea();
        answerWith<FindDialog>([this, text](FindDialog &find) {
            QTest::keyClicks(find.text1(), QStringLiteral("two"));
            // Enter presses the default button.
            QTest::keyClick(find.text1(), Qt::Key_Return);
            QCOMPARE(markedText(*text), QStringLiteral("one [two] one two"));
            QCOMPARE(find.cmdFind()->text(), QStringLiteral("&Next"));
            QVERIFY(find.isVisible());
            find.cmdFind()->click();
            QCOMPARE(markedText(*text), QStringLiteral("one two one [two]"));
            m_app->platform().expectMessageBox(MsgResult::Ok, kProductName, notFound(QStringLiteral("two")));
            find.cmdFind()->click();
            QCOMPARE(markedText(*text), QStringLiteral("one two one [two]"));
            // Upward from there.
            find.optDirection(0)->click();
            QCOMPARE(searchState().SearchDirection, 0);
            find.cmdFind()->click();
            QCOMPARE(markedText(*text), QStringLiteral("one [two] one two"));
            QTest::keyClick(&find, Qt::Key_Escape);
            QVERIFY(!find.isVisible());
        });
        window->action(QStringLiteral("mnuSFind"))->trigger();
        QCOMPARE(m_dialogsShown, 1);
        QCOMPARE(searchState().LastSearchPos, 4);
    }

    void caseBoxAndCancelKeepTheirChoice()
    {
        DocumentWindow *window = document(QStringLiteral("|Table"));
        answerWith<FindDialog>([](FindDialog &find) {
            find.chkCase()->click();
            QCOMPARE(searchState().MatchCase, 1);
            find.text1()->setText(QStringLiteral("TABLE"));
            find.cmdcancel()->click();
        });
        window->action(QStringLiteral("mnuSFind"))->trigger();
        QCOMPARE(searchState().SearchText, QStringLiteral("TABLE"));
        QCOMPARE(searchState().MatchCase, 1);
        // The next dialog shows the case rule the search will follow.
        answerWith<ReplaceDialog>([](ReplaceDialog &replace) {
            QVERIFY(replace.chkCase()->isChecked());
            replace.chkCase()->click();
            QCOMPARE(searchState().MatchCase, 0);
            replace.cmdcancel()->click();
        });
        window->action(QStringLiteral("mnuSReplace"))->trigger();
        QCOMPARE(searchState().MatchCase, 0);
        QCOMPARE(m_dialogsShown, 2);
    }

    void findNextAndPreviousFromTheKeyboard()
    {
        DocumentWindow *window = document(QStringLiteral("|ab ab ab"));
        searchState().SearchText = QStringLiteral("AB");
        searchState().LastSearchPos = -1;
        TextArea *text = window->textArea();
        QTest::keyClick(text, Qt::Key_F3);
        QCOMPARE(markedText(*text), QStringLiteral("[ab] ab ab"));
        QTest::keyClick(text, Qt::Key_F3);
        QCOMPARE(markedText(*text), QStringLiteral("ab [ab] ab"));
        QCOMPARE(searchState().SearchDirection, 1);
        QTest::keyClick(text, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(markedText(*text), QStringLiteral("[ab] ab ab"));
        QCOMPARE(searchState().SearchDirection, 0);
        m_app->platform().expectMessageBox(MsgResult::Ok, kProductName, notFound(QStringLiteral("AB")));
        QTest::keyClick(text, Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(markedText(*text), QStringLiteral("[ab] ab ab"));
        QCOMPARE(m_dialogsShown, 0);
    }

    void findNextWithNothingToFindOpensTheDialog()
    {
        DocumentWindow *window = document(QStringLiteral("x|y"));
        answerWith<FindDialog>([](FindDialog &find) { QVERIFY(!find.cmdFind()->isEnabled()); });
        window->action(QStringLiteral("mnuSFindNext(1)"))->trigger();
        QCOMPARE(m_dialogsShown, 1);
        QTest::keyClick(window->textArea(), Qt::Key_F3);
        QCOMPARE(m_dialogsShown, 2);
        QCOMPARE(markedText(*window->textArea()), QStringLiteral("x|y"));
    }

    void replaceDialogLoads()
    {
        DocumentWindow *window = document(QStringLiteral("a [b] c"));
        answerWith<ReplaceDialog>([this](ReplaceDialog &replace) {
            QCOMPARE(replace.windowTitle(), QStringLiteral("Replace"));
            QCOMPARE(replace.text1(0)->text(), QStringLiteral("b"));
            QCOMPARE(replace.text1(1)->text(), QString());
            QCOMPARE(replace.focusWidget(), replace.text1(0));
            QCOMPARE(replace.text1(0)->selectedText(), QStringLiteral("b"));
            QCOMPARE(replace.cmdReplace(0)->text(), QStringLiteral("&Verify"));
            QCOMPARE(replace.cmdReplace(1)->text(), QStringLiteral("Replace &All"));
            for (int i = 0; i < 2; ++i)
                QVERIFY(replace.cmdReplace(i)->isEnabled());
            // Only the find text decides.
            replace.text1(0)->clear();
            QTest::keyClicks(replace.text1(1), QStringLiteral("z"));
            for (int i = 0; i < 2; ++i)
                QVERIFY(!replace.cmdReplace(i)->isEnabled());
            // Enter alone starts nothing.
            QTest::keyClick(replace.text1(1), Qt::Key_Return);
            QVERIFY(replace.isVisible());
            const MainWindow *main = m_app->main();
            QCOMPARE(replace.pos(), QPoint((main->width() - replace.width()) / 2, (main->height() - replace.height()) / 2));
            replace.text1(0)->setText(QStringLiteral("q"));
            QTest::keyClick(&replace, Qt::Key_Escape);
        });
        window->action(QStringLiteral("mnuSReplace"))->trigger();
        QCOMPARE(searchState().SearchText, QStringLiteral("q"));
        // Cancel runs nothing and keeps the replacement as it was.
        QCOMPARE(searchState().ReplaceText, QString());
        QCOMPARE(window->textArea()->text(), QStringLiteral("a b c"));
    }

    void replaceAllIsOneUndoStep()
    {
        DocumentWindow *window = document(QStringLiteral("|<b>x</b>\r\n<b>y</b>"));
        answerWith<ReplaceDialog>([this](ReplaceDialog &replace) {
            replace.text1(0)->setText(QStringLiteral("b>"));
            replace.text1(1)->setText(QStringLiteral("STRONG>"));
            // The run comes after the dialog has gone.
            replace.cmdReplace(1)->click();
            QVERIFY(!replace.isVisible());
            m_app->platform().expectMessageBox(MsgResult::Ok, QStringLiteral("Replace"), QStringLiteral("Done!"));
        });
        window->action(QStringLiteral("mnuSReplace"))->trigger();
        TextArea *text = window->textArea();
        QCOMPARE(markedText(*text), QStringLiteral("<STRONG>x</STRONG>~<STRONG>y</STRONG>|"));
        QCOMPARE(searchState().SearchText, QStringLiteral("b>"));
        QCOMPARE(searchState().ReplaceText, QStringLiteral("STRONG>"));
        QCOMPARE(searchState().LastSearchPos, text->selStart());
        text->undo();
        QCOMPARE(text->text(), QStringLiteral("<b>x</b>\r\n<b>y</b>"));
        QVERIFY(!text->canUndo());
    }

    void verifyInTheDocument()
    {
        DocumentWindow *window = document(QStringLiteral("x1 |x2 x3"));
        TextArea *text = window->textArea();
        answerWith<ReplaceDialog>([this](ReplaceDialog &replace) {
            replace.text1(0)->setText(QStringLiteral("x"));
            replace.text1(1)->setText(QStringLiteral("yy"));
            replace.cmdReplace(0)->click();
            ScriptedPlatform &platform = m_app->platform();
            platform.expectMessageBox(MsgResult::No, QStringLiteral("Verify"), QStringLiteral("Replace Selected Text?"));
            platform.expectMessageBox(MsgResult::Yes, QStringLiteral("Verify"));
            platform.expectMessageBox(MsgResult::Yes, QStringLiteral("End of file reached"));
            platform.expectMessageBox(MsgResult::Yes, QStringLiteral("Verify"));
            platform.expectMessageBox(MsgResult::Ok, QStringLiteral("Replace"), QStringLiteral("Done!"));
        });
        window->action(QStringLiteral("mnuSReplace"))->trigger();
        QCOMPARE(markedText(*text), QStringLiteral("yy|1 x2 yy3"));
        // The whole run is undone at once.
        text->undo();
        QCOMPARE(text->text(), QStringLiteral("x1 x2 x3"));
    }

    void searchesPastSixteenBitsInTheTextArea()
    {
        QString body;
        for (int i = 0; i < 3000; ++i)
            body += QStringLiteral("line %1 of text\r\n").arg(i, 4, 10, QLatin1Char('0'));
        DocumentWindow *window = document(QLatin1Char('|') + body + QStringLiteral("<HR>"));
        TextArea *text = window->textArea();
        QVERIFY(text->length() > 40000);
        searchState().SearchText = QStringLiteral("<hr>");
        searchState().LastSearchPos = -1;
        window->action(QStringLiteral("mnuSFindNext(0)"))->trigger();
        QCOMPARE(text->selStart(), int(body.size()));
        QCOMPARE(text->selText(), QStringLiteral("<HR>"));
        searchState().SearchText = QStringLiteral("line 2999");
        window->action(QStringLiteral("mnuSFindNext(1)"))->trigger();
        QCOMPARE(text->selStart(), int(body.size()) - 19);
    }

    void textAreaSearchAgreesWithThePlainText()
    {
        // Line ends of every kind, control characters and undefined bytes show differently
        // on screen; the occurrences and their positions must not.
        const QStringList pieces = {"a", "A", "b", "\r\n", "\r", "\n", QString(QChar(1)), QString(QChar(0x81)),
                                    QString::fromUtf8("ß"), "<", QString(QChar(0x7F))};
        QRandomGenerator random(8122026);
        TextArea area;
        for (int round = 0; round < 300; ++round) {
            QString text;
            for (int i = random.bounded(0, 30); i > 0; --i)
                text += pieces[random.bounded(int(pieces.size()))];
            QString what;
            for (int i = random.bounded(1, 3); i > 0; --i)
                what += pieces[random.bounded(int(pieces.size()))];
            area.setText(text);
            QCOMPARE(area.text(), text);
            // The text area searches its screen text; the plain string the plain way.
            const StringEdit plain(text, 0, 0);
            for (int from = 0; from <= text.size(); ++from) {
                for (const bool matchCase : {false, true}) {
                    for (const bool down : {false, true}) {
                        const int expected = plain.findText(what, matchCase, from, down);
                        if (area.findText(what, matchCase, from, down) != expected) {
                            qWarning() << "text" << text << "find" << what << "from" << from << "case" << matchCase
                                       << "down" << down;
                            QCOMPARE(area.findText(what, matchCase, from, down), expected);
                        }
                    }
                }
            }
        }
    }

    void searchButton()
    {
        // With no document, only a beep.
        answerWith<FindDialog>([](FindDialog &) {});
        searchButtonClick(*m_app->main());
        QCOMPARE(m_app->platform().beepCount(), 1);
        QCOMPARE(m_dialogsShown, 0);

        document(QStringLiteral("|a"));
        DocumentWindow *active = document(QStringLiteral("[bc]d"));
        searchState().NewSearch = false;
        answerWith<FindDialog>([active](FindDialog &find) {
            QCOMPARE(find.text1()->text(), QStringLiteral("bc"));
            QVERIFY(searchState().NewSearch);
            find.cmdFind()->click();
            QCOMPARE(markedText(*active->textArea()), QStringLiteral("[bc]d"));
        });
        QCOMPARE(m_app->main()->activeDocument(), active);
        searchButtonClick(*m_app->main());
        QCOMPARE(m_dialogsShown, 1);
        QCOMPARE(m_app->platform().beepCount(), 1);
    }

    void statusHints_data()
    {
        QTest::addColumn<bool>("replaceDialog");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("find: background") << false << "" << "Find text sequence in current document";
        QTest::newRow("find: Text1") << false << "Text1" << "Search Text";
        QTest::newRow("find: chkCase") << false << "chkCase" << "Case sensitive search";
        QTest::newRow("find: up") << false << "optDirection(0)" << "Search up to the start to the file";
        QTest::newRow("find: down") << false << "optDirection(1)" << "Search toward the end of the file";
        QTest::newRow("find: cmdFind") << false << "cmdFind" << "Find next occurance of requested text sequence";
        QTest::newRow("find: cmdcancel") << false << "cmdcancel" << "Close this window, aborting search";
        QTest::newRow("replace: background") << true << "" << "Find and replace text sequence in current document";
        QTest::newRow("replace: Text1(0)") << true << "Text1(0)" << "Search text";
        QTest::newRow("replace: Text1(1)") << true << "Text1(1)" << "Replacement text";
        QTest::newRow("replace: chkCase") << true << "chkCase" << "Case sensitive search";
        QTest::newRow("replace: all") << true << "cmdReplace(1)" << "Replace all occurances found, without stopping";
        QTest::newRow("replace: verify") << true << "cmdReplace(0)" << "Ask for confirmation before replacing each occurance";
        QTest::newRow("replace: cmdcancel") << true << "cmdcancel" << "Close this window, aborting search";
    }
    void statusHints()
    {
        QFETCH(bool, replaceDialog);
        QFETCH(QString, control);
        QFETCH(QString, hint);
        DocumentWindow *window = document(QStringLiteral("|"));
        std::unique_ptr<QDialog> dialog;
        if (replaceDialog)
            dialog = std::make_unique<ReplaceDialog>(*m_app->main());
        else
            dialog = std::make_unique<FindDialog>(window->textArea(), *m_app->main());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        m_app->main()->setStatusText(QString());
        if (control.isEmpty()) {
            hover(dialog.get(), QPoint(2, 2));
        } else {
            auto *widget = dialog->findChild<QWidget *>(control);
            QVERIFY(widget);
            hover(widget);
        }
        QCOMPARE(m_app->main()->statusText(), hint);
    }
};

QTEST_MAIN(TestSearchCommands)
#include "tst_search_commands.moc"
