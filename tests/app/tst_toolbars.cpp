#include "app/main_window.h"
#include "app/toolbar_button.h"
#include "app/toolbar_tip.h"
#include "app/toolbar_commands.h"
#include "app/toolbars.h"
#include "dialogs/list_assistant.h"
#include "editor/document_window.h"
#include "editor/modal_dialog.h"
#include "editor/text_area.h"
#include "platform/twips.h"
#include "prefs/preferences.h"
#include "support/app_fixture.h"
#include "support/marked_text.h"

#include <QAction>
#include <QDialog>
#include <QSignalSpy>
#include <QLabel>
#include <QMdiArea>
#include <QMouseEvent>
#include <QSvgRenderer>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace vornel;

class TestToolbars : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;

    Toolbars &bars() { return m_app->main()->toolbars(); }
    ToolbarButton *button(const QString &name) { return bars().button(name); }

    static void send(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButtons held)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    void hover(const QString &name) { send(button(name), QEvent::MouseMove, QPoint(3, 3), Qt::NoButton); }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        QVERIFY(m_app->showMain());
        lastImageBullet().clear();
    }
    void cleanup()
    {
        setModalDialogRunner({});
        QVERIFY(m_app->platform().verifyAllUsed());
        m_app.reset();
    }

    // Both rows: left to right, every face drawn, tip and hint readable
    // through accessibility, and the wide buttons as wide as the design says.
    void rowsAreLaidOutAndNamed()
    {
        for (ToolbarRow row : {ToolbarRow::Main, ToolbarRow::Extended}) {
            const QList<ToolbarButton *> buttons = bars().buttons(row);
            QCOMPARE(buttons.size(), row == ToolbarRow::Main ? 21 : 22);
            int left = -1;
            for (ToolbarButton *b : buttons) {
                QVERIFY2(b->x() > left, qPrintable(b->objectName()));
                left = b->x();
                QCOMPARE(b->x(), twipsToPixelsX(b->row().left));
                QCOMPARE(b->accessibleName(), b->row().tip);
                QCOMPARE(b->accessibleDescription(), b->row().hint);
                for (const char *state : {"Up", "Dn"}) {
                    QVERIFY2(QSvgRenderer(QStringLiteral(":/faces/%1%2.svg").arg(b->row().faceName(), state)).isValid(),
                             qPrintable(b->objectName()));
                }
            }
        }
        QCOMPARE(button("BtnSearch")->width(), twipsToPixelsX(375));
        QCOMPARE(button("Command5")->width(), twipsToPixelsX(570));
        QCOMPARE(button("Command3")->accessibleDescription(), QStringLiteral("Insert sequence for the \"&&\" character"));
        QCOMPARE(button("btnH(4)")->x(), twipsToPixelsX(4440 + 3 * 345));
        QCOMPARE(button("btnList(5)")->accessibleName(), QStringLiteral("GIF List "));
    }

    // A click with a document open: the text before and after, with a scripted answer to an
    // input box where one is asked.
    void commands_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("bullet");  // the last image bullet beforehand
        QTest::addColumn<QString>("after");
        const QString dot = QStringLiteral("<BR><IMG SRC=\"d.gif\">");
        QTest::newRow("bold") << "TextB" << "a[b]c" << "" << "" << "a<B>[b]</B>c";
        QTest::newRow("preformatted") << "PreFormat" << "|" << "" << "" << "<PRE>|</PRE>";
        QTest::newRow("rule") << "BtnWhiteSpace(2)" << "ab|" << "" << "" << "ab~<HR>|";
        QTest::newRow("heading") << "btnH(3)" << "ab[t]" << "" << "" << "ab~<H3>t</H3>~|";
        QTest::newRow("greater than") << "Command1" << "[x]" << "" << "" << "&gt;x|";
        QTest::newRow("less than") << "Command2" << "|" << "" << "" << "&lt;|";
        QTest::newRow("delete") << "BtnEdit(3)" << "a[b]c" << "" << "" << "a|c";
        QTest::newRow("anchor") << "btnAnchor(0)" << "[x]" << "top" << "" << "<A NAME=\"top\">[x]";
        QTest::newRow("mailto asks") << "btnAnchor(3)" << "[me]" << "a@b.c" << "" << "<A HREF=\"mailto:a@b.c\">me</A>|";
        QTest::newRow("descriptive list, selection") << "btnList(0)" << "[x]" << "" << "" << "[x]";
        QTest::newRow("descriptive list") << "btnList(0)" << "ab|" << "" << "" << "ab~<DL>~<DT>~<DD>~</DL>|";
        QTest::newRow("descriptive item, selection") << "btnList(1)" << "[x]" << "" << "" << "[x]";
        QTest::newRow("descriptive item") << "btnList(1)" << "ab|" << "" << "" << "ab~<DT>~<DD>|";
        QTest::newRow("ordered list, selection") << "btnList(2)" << "[a~b]" << "" << "" << "~<OL>~<LI>a~<LI>b~</OL>~|";
        QTest::newRow("ordered list") << "btnList(2)" << "ab|" << "" << "" << "ab~<OL>~<LI>~<LI>~</OL>|";
        QTest::newRow("list item") << "btnList(4)" << "ab[x]" << "" << "" << "ab~<LI>x|";
        QTest::newRow("image item, selection") << "btnList(5)" << "[a]" << "" << dot << "~" + dot + "a|";
        QTest::newRow("image item") << "btnList(5)" << "x|" << "" << dot << "x~" + dot + "|";
        QTest::newRow("image item, any case at the caret")
            << "btnList(5)" << "x|" << "" << "<br><img src=x>" << "x~<br><img src=x>|";
    }
    void commands()
    {
        QFETCH(QString, name);
        QFETCH(QString, before);
        QFETCH(QString, answer);
        QFETCH(QString, bullet);
        QFETCH(QString, after);
        lastImageBullet() = bullet;
        DocumentWindow *document = m_app->newDocument();
        setMarked(*document->textArea(), parseMarked(before));
        if (!answer.isEmpty())
            m_app->platform().expectInputBox(answer);
        button(name)->click();
        QCOMPARE(markedText(*document->textArea()), after);
        QCOMPARE(m_app->platform().beepCount(), 0);
    }

    // The image-bullet button asks the image dialog when no bullet fits its rule: "<IMG" in
    // that case with text selected, "IMG" in any case at the caret.
    void imageItemAsksForABullet()
    {
        DocumentWindow *document = m_app->newDocument();
        int asked = 0;
        setModalDialogRunner([&](QDialog &dialog) {
            ++asked;
            dialog.reject();
            return dialog.result();
        });
        lastImageBullet() = QStringLiteral("<br><img src=x>");
        setMarked(*document->textArea(), parseMarked(QStringLiteral("[a]")));
        button(QStringLiteral("btnList(5)"))->click();
        QCOMPARE(asked, 1);
        QCOMPARE(markedText(*document->textArea()), QStringLiteral("[a]"));
        lastImageBullet().clear();
        setMarked(*document->textArea(), parseMarked(QStringLiteral("a|")));
        button(QStringLiteral("btnList(5)"))->click();
        QCOMPARE(asked, 2);
        QCOMPARE(lastImageBullet(), QString());
    }

    void mailtoUsesTheConfiguredAddress()
    {
        prefs().MID = QStringLiteral("ann@example.org");
        DocumentWindow *document = m_app->newDocument();
        setMarked(*document->textArea(), parseMarked(QStringLiteral("[Ann]")));
        button(QStringLiteral("btnAnchor(3)"))->click();
        QCOMPARE(markedText(*document->textArea()), QStringLiteral("<A HREF=\"mailto:ann@example.org\">Ann</A>|"));
        prefs().MID = kPlaceholderMID;
        m_app->platform().expectInputBox(QString(), QStringLiteral("MAILTO Link"), QStringLiteral("User ID to receive mail"));
        button(QStringLiteral("btnAnchor(3)"))->click();
        QCOMPARE(m_app->platform().calls().last().defaultText, QStringLiteral("USERID"));
    }

    // A button with a menu twin runs the twin's very action: the active document's, or the
    // main window's while no document is open for a button that needs none.
    void buttonsRunTheirMenuActions()
    {
        int twins = 0;
        for (ToolbarRow row : {ToolbarRow::Main, ToolbarRow::Extended}) {
            for (const ToolbarButtonRow &entry : toolbarRows(row)) {
                if (entry.action.isEmpty())
                    continue;
                ++twins;
                if (!entry.needsDocument) {
                    QAction *own = bars().menuAction(entry);
                    QVERIFY2(own && m_app->main()->ownActions().action(own->objectName()) == own, qPrintable(entry.name));
                }
            }
        }
        QVERIFY(twins > 0);
        DocumentWindow *document = m_app->newDocument();
        for (ToolbarRow row : {ToolbarRow::Main, ToolbarRow::Extended}) {
            for (const ToolbarButtonRow &entry : toolbarRows(row)) {
                if (!entry.action.isEmpty())
                    QVERIFY2(bars().menuAction(entry) && bars().menuAction(entry) == document->action(entry.action),
                             qPrintable(entry.name));
            }
        }
        QSignalSpy bold(document->action(QStringLiteral("mnuTextStyle(0)")), &QAction::triggered);
        setMarked(*document->textArea(), parseMarked(QStringLiteral("[b]")));
        button(QStringLiteral("TextB"))->click();
        QCOMPARE(bold.size(), 1);
    }

    void withoutADocumentOnlyBeeps()
    {
        const QStringList exempt{"BtnFile(0)", "BtnFile(1)", "BtnFile(3)", "BtnConfigure"};
        int beeps = 0;
        for (ToolbarRow row : {ToolbarRow::Main, ToolbarRow::Extended}) {
            for (ToolbarButton *b : bars().buttons(row)) {
                if (exempt.contains(b->objectName()))
                    continue;
                b->click();
                QCOMPARE(m_app->platform().beepCount(), ++beeps);
            }
        }
        QCOMPARE(m_app->platform().calls().size(), beeps);
        // Erase still asks for the file to delete.
        m_app->platform().expectOpenDialogCancel();
        button(QStringLiteral("BtnFile(3)"))->click();
        QCOMPARE(m_app->platform().beepCount(), beeps);
    }

    void clickGivesTheKeyboardBack()
    {
        DocumentWindow *document = m_app->newDocument();
        m_app->main()->setFocus();
        button(QStringLiteral("TextI"))->click();
        QTRY_VERIFY(document->textArea()->hasFocus());
    }

    // Down face while held inside; dragging off shows the up face and releasing there runs
    // nothing; dragging back shows the down face again.
    void pressingAndDraggingOff()
    {
        DocumentWindow *document = m_app->newDocument();
        ToolbarButton *bold = button(QStringLiteral("TextB"));
        const QPoint inside(5, 5);
        const QPoint outside(bold->width() + 4, 5);
        bars().tip(ToolbarRow::Main).arm(QStringLiteral("Bold "), 10);
        send(bold, QEvent::MouseButtonPress, inside, Qt::LeftButton);
        QVERIFY(bold->showsDownFace());
        QVERIFY(bars().tip(ToolbarRow::Main).pending().isEmpty());
        send(bold, QEvent::MouseMove, outside, Qt::LeftButton);
        QVERIFY(!bold->showsDownFace());
        send(bold, QEvent::MouseMove, inside, Qt::LeftButton);
        QVERIFY(bold->showsDownFace());
        send(bold, QEvent::MouseMove, outside, Qt::LeftButton);
        send(bold, QEvent::MouseButtonRelease, outside, Qt::NoButton);
        QCOMPARE(document->textArea()->text(), QString());

        send(bold, QEvent::MouseButtonPress, inside, Qt::LeftButton);
        send(bold, QEvent::MouseButtonRelease, inside, Qt::NoButton);
        QVERIFY(!bold->showsDownFace());
        QCOMPARE(document->textArea()->text(), QStringLiteral("<B></B>"));
    }

    // The tip timer driven tick by tick.
    void tipComesGoesAndComesAtOnce()
    {
        ToolbarTip &tip = bars().tip(ToolbarRow::Main);
        QCOMPARE(tip.timer()->objectName(), QStringLiteral("Timer1"));
        hover(QStringLiteral("TextB"));
        QCOMPARE(m_app->main()->statusText(), QStringLiteral("Insert BOLD tags around selected text"));
        QCOMPARE(tip.pending(), QStringLiteral("Bold "));
        QVERIFY(tip.timer()->isActive());
        QCOMPARE(tip.timer()->interval(), ToolbarTip::kFirstTipMs);
        tip.tick();
        QVERIFY(tip.box()->isVisible());
        QCOMPARE(tip.box()->text(), QStringLiteral("Bold "));
        QCOMPARE(tip.box()->x(), button("TextB")->mapTo(m_app->main(), QPoint(button("TextB")->width() / 2, 0)).x());
        QCOMPARE(tip.box()->width(), tip.boxWidth(QStringLiteral("Bold ")));
        tip.tick();  // no movement since: the tip goes
        QVERIFY(!tip.box()->isVisible());
        QVERIFY(!tip.timer()->isActive());
        QCOMPARE(tip.timer()->interval(), ToolbarTip::kNextTipMs);
        hover(QStringLiteral("TextI"));
        QCOMPARE(tip.timer()->interval(), ToolbarTip::kNextTipMs);
        tip.tick();
        QVERIFY(tip.box()->isVisible());
        QCOMPARE(tip.box()->text(), QStringLiteral("Italic"));
        QCOMPARE(tip.timer()->interval(), ToolbarTip::kFirstTipMs);
    }

    void tipStaysInsideTheMainWindow()
    {
        ToolbarTip &tip = bars().tip(ToolbarRow::Extended);
        const int width = m_app->main()->width();
        tip.arm(QStringLiteral("Descriptive List Item"), width - 5);
        tip.tick();
        QCOMPARE(tip.box()->geometry().right() + 1, width);
        tip.arm(QStringLiteral("Anchor"), 40);
        tip.tick();
        QCOMPARE(tip.box()->x(), 40);
    }

    void oneTipAtATimeAndWhatHidesThem()
    {
        ToolbarTip &main = bars().tip(ToolbarRow::Main);
        ToolbarTip &aux = bars().tip(ToolbarRow::Extended);
        QCOMPARE(aux.box()->objectName(), QStringLiteral("txtAuxToolTip"));
        hover(QStringLiteral("TextB"));
        main.tick();
        QVERIFY(main.box()->isVisible());
        hover(QStringLiteral("btnH(1)"));  // the other row's tip goes at once
        QVERIFY(!main.box()->isVisible() && !main.timer()->isActive());
        aux.tick();
        QVERIFY(aux.box()->isVisible());
        hover(QStringLiteral("TextB"));
        main.tick();  // a new main tip hides the other
        QVERIFY(!aux.box()->isVisible());

        // Over the row outside the buttons: no hint, no tips.
        QWidget *row = button(QStringLiteral("TextB"))->parentWidget();
        send(row, QEvent::MouseMove, QPoint(2, 2), Qt::NoButton);
        QCOMPARE(m_app->main()->statusText(), QString());
        QVERIFY(!main.box()->isVisible() && main.box()->text().isEmpty());

        // Over the document area.
        hover(QStringLiteral("TextB"));
        main.tick();
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(m_app->main()->mdiArea()->viewport(), &enter);
        QVERIFY(!main.box()->isVisible() && main.pending().isEmpty());
    }
};

QTEST_MAIN(TestToolbars)
#include "tst_toolbars.moc"
