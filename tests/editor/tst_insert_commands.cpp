#include "app/main_window.h"
#include "editor/document_window.h"
#include "editor/insert_commands.h"
#include "editor/modal_dialog.h"
#include "editor/text_area.h"
#include "prefs/preferences.h"
#include "support/app_fixture.h"
#include "support/marked_text.h"
#include "support/test_files.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

using namespace vornel;

class TestInsertCommands : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    DocumentWindow *m_document = nullptr;

    // Sets the text, runs the entry as choosing it would and gives back the text with its
    // selection written in.
    QString run(const QString &name, const QString &before)
    {
        setMarked(*m_document->textArea(), parseMarked(before));
        QAction *entry = m_document->action(name);
        if (!entry)
            return QStringLiteral("no entry ") + name;
        entry->trigger();
        return markedText(*m_document->textArea());
    }

    QStringList names(const QString &menu) const
    {
        QStringList list;
        for (const QAction *a : m_document->menu(menu)->actions())
            list << a->objectName();
        return list;
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        QVERIFY(m_app->showMain());
        m_document = m_app->newDocument();
    }

    void cleanup()
    {
        QVERIFY(m_app->platform().verifyAllUsed());
        m_document = nullptr;
        m_app.reset();
    }

    void menusHoldTheEntriesInOrder()
    {
        QStringList insert{QString()};
        for (int i = 0; i <= 15; ++i)
            insert << QStringLiteral("mnuInsert(%1)").arg(i);
        insert << QString() << "MnuAscii" << "mnuComment";
        QCOMPARE(names(QStringLiteral("mnuInsert")), insert);
        QVERIFY(!m_document->action("mnuInsert(9)")->isVisible());
        QVERIFY(m_document->action("mnuInsert(3)")->isSeparator() && m_document->action("mnuInsert(10)")->isSeparator());
        QCOMPARE(names(QStringLiteral("mnuSpecial")).mid(0, 6),
                 (QStringList{"mnuSpecial(0)", "mnuSpecial(1)", "mnuSpecial(2)", "mnuDateTime", "mnuGoHome", "mnuJustify(0)"}));
        QCOMPARE(m_document->action("mnuInsert(14)")->text(), QStringLiteral("&\" Double Quotes"));
    }

    void elements_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        const auto row = [](const char *tag, const char *name, const char *before, const char *after) {
            QTest::newRow(tag) << QString::fromLatin1(name) << QString::fromLatin1(before) << QString::fromLatin1(after);
        };
        row("new line at a line's end", "mnuInsert(0)", "abc|", "abc~<BR>|");
        row("new line in an empty text", "mnuInsert(0)", "|", "<BR>|");
        row("paragraph keeps the selected text", "mnuInsert(1)", "[abc]", "<P>abc|");
        row("rule", "mnuInsert(2)", "x~|", "x~<HR>|");
        row("isindex", "mnuInsert(9)", "a|", "a<ISINDEX>|");
        row("ampersand", "mnuInsert(11)", "[abc]", "&amp;abc|");
        row("less than", "mnuInsert(12)", "|", "&lt;|");
        row("greater than", "mnuInsert(13)", "|", "&gt;|");
        row("double quotes", "mnuInsert(14)", "|", "&quot;|");
        row("non-breaking space", "mnuInsert(15)", "a|b", "a&nbsp;|b");
        row("registered", "mnuSpecial(0)", "|", "&reg;|");
        row("trademark", "mnuSpecial(1)", "[TM]", "&trade;TM|");
        row("copyright", "mnuSpecial(2)", "|", "&copy;|");
    }
    void elements()
    {
        QFETCH(QString, name);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QCOMPARE(run(name, before), after);
    }

    void prompted_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("after");
        const auto row = [](const char *tag, const char *name, const char *before, const char *title, const char *answer,
                            const char *after) {
            QTest::newRow(tag) << QString::fromLatin1(name) << QString::fromLatin1(before) << QString::fromLatin1(title)
                               << QString::fromUtf8(answer) << QString::fromUtf8(after);
        };
        row("anchor", "mnuInsert(5)", "[Start]", "Anchor at this Location", "top", "<A NAME=\"top\">[Start]");
        row("anchor cancelled", "mnuInsert(5)", "[Start]", "Anchor at this Location", "", "[Start]");
        row("jump", "mnuInsert(6)", "[Back]", "Jump to an Anchor", "top", "<A HREF=\"#top\">Back</A>|");
        row("jump without selection", "mnuInsert(6)", "|", "Jump to an Anchor", "top", "<A HREF=\"#top\"></A>|");
        row("mailto", "mnuInsert(8)", "[me]", "MAILTO Link", "a&b@x.org", "<A HREF=\"mailto:a&b@x.org\">me</A>|");
        row("mailto cancelled", "mnuInsert(8)", "[me]", "MAILTO Link", "", "[me]");
        row("comment", "mnuComment", "ab|", "Insert Comment", "hidden comment", "ab~<!-- hidden comment -->|");
        row("comment replaces the selection", "mnuComment", "x~[old]y", "Insert Comment", "new \"<é>\"",
            "x~<!-- new \"<é>\" -->|y");
        row("comment cancelled keeps the selection", "mnuComment", "[old]", "Insert Comment", "", "[old]");
    }
    void prompted()
    {
        QFETCH(QString, name);
        QFETCH(QString, before);
        QFETCH(QString, title);
        QFETCH(QString, answer);
        QFETCH(QString, after);
        m_app->platform().expectInputBox(answer, title);
        QCOMPARE(run(name, before), after);
    }

    void promptsOfferTheirDefaults()
    {
        prefs().MID = QStringLiteral("me@example.org");
        m_app->platform().expectInputBox(QString(), QStringLiteral("MAILTO Link"), QStringLiteral("User ID to receive mail"));
        m_app->platform().expectInputBox(QString(), QStringLiteral("Insert Comment"), QStringLiteral("Enter comment text"));
        m_app->platform().expectInputBox(QString(), QStringLiteral("Insert Comment"));
        m_app->platform().expectInputBox(QString(), QStringLiteral("Anchor at this Location"),
                                         QStringLiteral("Enter the reference name"));
        run(QStringLiteral("mnuInsert(8)"), QStringLiteral("|"));
        run(QStringLiteral("mnuComment"), QStringLiteral("|"));
        run(QStringLiteral("mnuComment"), QStringLiteral("[sel]"));
        run(QStringLiteral("mnuInsert(5)"), QStringLiteral("|"));
        QStringList defaults;
        for (const PlatformCall &call : m_app->platform().callsOf(PlatformCall::Kind::InputBox))
            defaults << call.defaultText;
        QCOMPARE(defaults, (QStringList{"me@example.org", "hidden comment", "sel", "Name"}));
    }

    void characterCodes_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("code");   // 0: refused
        const auto row = [](const char *answer, int code) { QTest::newRow(answer) << QString::fromLatin1(answer) << code; };
        row("65", 65);
        row("1", 1);
        row("255", 255);
        row(" 65", 65);
        row("65abc", 65);
        row("1.5", 2);
        row("2.5", 2);
        row("254.6", 255);
        row("0", 0);
        row("256", 0);
        row("255.5", 0);
        row("abc", 0);
        row("-3", 0);
        row("32768", 0);
        row("1e999", 0);
        row("2e1", 20);
        row("1234567890123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890", 0);
    }
    void characterCodes()
    {
        QFETCH(QString, answer);
        QFETCH(int, code);
        QCOMPARE(characterCode(answer).value_or(0), code);
    }

    void asciiAsksAgainUntilACodeIsGiven()
    {
        const QStringList refused = {"0", "256", "abc", "1e999", "99999999999999999999"};
        for (const QString &answer : refused) {
            m_app->platform().expectInputBox(answer, QStringLiteral("Insert Ascii Code"),
                                             QStringLiteral("Enter the ASCII Code, between 1 and 255"));
            m_app->platform().expectMessageBox(MsgResult::Ok, QStringLiteral("Invalid ASCII Code"),
                                               QStringLiteral("ASCII code must be between 1 and 255"));
        }
        m_app->platform().expectInputBox(QStringLiteral("65"));
        QCOMPARE(run(QStringLiteral("MnuAscii"), QStringLiteral("[x]")), QStringLiteral("&#65;x|"));
        for (const PlatformCall &call : m_app->platform().callsOf(PlatformCall::Kind::InputBox))
            QCOMPARE(call.defaultText, QString());

        m_app->platform().expectInputBox(QString());
        QCOMPARE(run(QStringLiteral("MnuAscii"), QStringLiteral("[x]")), QStringLiteral("[x]"));
    }

    void homePageLink_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");   // empty: refused with a message
        QTest::newRow("text") << "index.htm" << "" << "Home" << "<A HREF=\"index.htm\">Home</A>[sel]";
        QTest::newRow("picture and text") << "/" << "<IMG SRC=\"h.gif\">" << "Home"
                                          << "<A HREF=\"/\"><IMG SRC=\"h.gif\">Home</A>[sel]";
        QTest::newRow("no page") << "" << "" << "Home" << "";
        QTest::newRow("no picture, no text") << "index.htm" << "" << "" << "";
    }
    void homePageLink()
    {
        QFETCH(QString, page);
        QFETCH(QString, picture);
        QFETCH(QString, text);
        QFETCH(QString, after);
        prefs().HomePage = page;
        prefs().HomeGif = picture;
        prefs().HomeText = text;
        if (after.isEmpty()) {
            m_app->platform().expectMessageBox(MsgResult::Ok, QStringLiteral("Not Enough Information Available"),
                                               QStringLiteral("All Home Page information has not been configured. "
                                                              "Configure your Home Page references in the \"Location "
                                                              "of Files\" dialog."));
        }
        QCOMPARE(run(QStringLiteral("mnuGoHome"), QStringLiteral("[sel]")), after.isEmpty() ? QStringLiteral("[sel]") : after);
    }

    // Entries that open one of the program's dialogs: it is filled in as a user would and
    // closed with OK or Cancel; what it gives goes in, and a typed address joins its history.
    void dialogEntries_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");    // into the dialog's history box; empty: none there
        QTest::addColumn<QString>("check");    // a check box ticked before closing
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("after");    // a pattern of the whole marked text
        QTest::addColumn<QString>("history");  // the history file afterwards, when one is written
        QTest::newRow("image") << "mnuInsert(4)" << "pic.gif" << "" << true
                               << QRegularExpression::escape("ab<IMG ALIGN=bottom  SRC=\"pic.gif\">[sel]") << "gif-list.qvl";
        QTest::newRow("image cancelled") << "mnuInsert(4)" << "pic.gif" << "" << false << "ab\\[sel\\]" << "gif-list.qvl";
        QTest::newRow("link to a URL") << "mnuInsert(7)" << "http://x.org/?a=1&b=\"2\"" << "" << true
                                       << QRegularExpression::escape("ab<A HREF=\"http://x.org/?a=1&b=\"2\"\">sel</A>|")
                                       << "url-list.qvl";
        QTest::newRow("link cancelled") << "mnuInsert(7)" << "x.htm" << "" << false << "ab\\[sel\\]" << "";
        QTest::newRow("date stamp") << "mnuDateTime" << "" << "chkLastUp" << true
                                    << "ab~<!-- Last Updated \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d -->sel\\|" << "";
    }
    void dialogEntries()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, check);
        QFETCH(bool, ok);
        QFETCH(QString, after);
        QFETCH(QString, history);
        TemporaryProgramFolder folder;
        QLocale::setDefault(QLocale::c());
        QString shown;
        setModalDialogRunner([&](QDialog &dialog) {
            shown = dialog.objectName();
            if (!typed.isEmpty())
                QTest::keyClicks(dialog.findChild<QComboBox *>(QStringLiteral("LIBListBox"))->lineEdit(), typed);
            if (!check.isEmpty()) {
                dialog.findChild<QRadioButton *>(QStringLiteral("FormatOption(0)"))->click();
                dialog.findChild<QCheckBox *>(QStringLiteral("chkComment"))->setChecked(true);
                dialog.findChild<QCheckBox *>(check)->setChecked(true);
            }
            dialog.findChild<QPushButton *>(ok ? QStringLiteral("cmdOK") : QStringLiteral("cmdCancel"))->click();
            return dialog.result();
        });
        const QString result = run(name, QStringLiteral("ab[sel]"));
        setModalDialogRunner({});
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(after)).match(result).hasMatch(), qPrintable(result));
        QVERIFY(!shown.isEmpty());
        if (!history.isEmpty())
            QCOMPARE(readFile(folder.filePath(history)), (typed + "\r\n").toUtf8());
    }

    void linksAreOneUndoStep()
    {
        m_app->platform().expectInputBox(QStringLiteral("top"));
        run(QStringLiteral("mnuInsert(6)"), QStringLiteral("a[b]c"));
        m_document->textArea()->undo();
        QCOMPARE(m_document->textArea()->text(), QStringLiteral("abc"));
    }
};

QTEST_MAIN(TestInsertCommands)
#include "tst_insert_commands.moc"
