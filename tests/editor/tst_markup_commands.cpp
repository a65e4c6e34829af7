#include "app/main_window.h"
#include "editor/document_table.h"
#include "editor/document_window.h"
#include "editor/text_area.h"
#include "support/app_fixture.h"
#include "support/marked_text.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

#include <memory>

using namespace vornel;

class TestMarkupCommands : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    DocumentWindow *m_document = nullptr;

    void setMarked(const QString &text) { ::setMarked(*m_document->textArea(), parseMarked(text)); }

    QString current() const { return markedText(*m_document->textArea()); }

    QAction *action(const QString &name)
    {
        QAction *found = m_document->action(name);
        if (!found)
            qWarning("no action %s", qPrintable(name));
        return found;
    }

    // Runs a command by the objectName of its menu entry, as choosing it would.
    void trigger(const QString &name)
    {
        QAction *a = action(name);
        QVERIFY2(a, qPrintable(name));
        a->trigger();
    }

    // One row per command: the command's entry, the text before and the text after.
    static void commandColumns()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
    }
    static void row(const char *tag, const char *name, const char *before, const char *after)
    {
        QTest::newRow(tag) << QString::fromLatin1(name) << QString::fromLatin1(before) << QString::fromLatin1(after);
    }
    void runCommandRow()
    {
        QFETCH(QString, name);
        QFETCH(QString, before);
        QFETCH(QString, after);
        setMarked(before);
        trigger(name);
        QCOMPARE(current(), after);
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        QVERIFY(m_app->isValid());
        QVERIFY(m_app->showMain());
        m_document = m_app->newDocument();
        m_document->textArea()->setFocus();
    }

    void cleanup()
    {
        m_document = nullptr;
        m_app.reset();
    }

    void textStyleCommands_data()
    {
        commandColumns();
        row("bold", "mnuTextStyle(0)", "x[abc]y", "x<B>[abc]</B>y");
        row("bold caret", "mnuTextStyle(0)", "ab|", "ab<B>|</B>");
        row("italic", "mnuTextStyle(1)", "[abc]", "<I>[abc]</I>");
        row("strike", "mnuTextStyle(2)", "[abc]", "<STRIKE>[abc]</STRIKE>");
        row("typewriter", "mnuTextStyle(3)", "[abc]", "<TT>[abc]</TT>");
        row("underline", "mnuTextStyle(4)", "[abc]", "<U>[abc]</U>");
        row("preformatted", "mnuTextStyle(5)", "[a~b]", "<PRE>[a~b]</PRE>");
        row("pref no tags", "mnuTextStyle(6)", "[abc]", "<XMP>[abc]</XMP>");
        row("plaintext mid-line", "mnuTextStyle(7)", "ab[cd]", "ab~<PLAINTEXT>cd|");
        row("plaintext line start", "mnuTextStyle(7)", "ab~[cd]", "ab~<PLAINTEXT>cd|");
        row("plaintext at start", "mnuTextStyle(7)", "|", "<PLAINTEXT>|");
        row("separator", "mnuTextStyle(8)", "a[b]c", "a[b]c");
        row("address", "mnuTextStyle(9)", "[abc]", "<ADDRESS>[abc]</ADDRESS>");
        row("block quote", "mnuTextStyle(10)", "[abc]", "<BLOCKQUOTE>[abc]</BLOCKQUOTE>");
        row("citation", "mnuTextStyle(11)", "[abc]", "<CITE>[abc]</CITE>");
        row("code", "mnuTextStyle(12)", "[abc]", "<CODE>[abc]</CODE>");
        row("definition", "mnuTextStyle(13)", "[abc]", "<DFN>[abc]</DFN>");
        row("emphasized", "mnuTextStyle(14)", "[abc]", "<EM>[abc]</EM>");
        row("keyboard", "mnuTextStyle(15)", "[abc]", "<KBD>[abc]</KBD>");
        row("keyword", "mnuTextStyle(16)", "[abc]", "<KEY>[abc]</KEY>");
        row("listing", "mnuTextStyle(17)", "[abc]", "<LISTING>[abc]</LISTING>");
        row("sample", "mnuTextStyle(18)", "[abc]", "<SAMP>[abc]</SAMP>");
        row("strong", "mnuTextStyle(19)", "[abc]", "<STRONG>[abc]</STRONG>");
        row("variable", "mnuTextStyle(20)", "[abc]", "<VAR>[abc]</VAR>");
    }
    void textStyleCommands() { runCommandRow(); }

    void boldTwiceNests()
    {
        setMarked(QStringLiteral("[abc]"));
        trigger(QStringLiteral("mnuTextStyle(0)"));
        trigger(QStringLiteral("mnuTextStyle(0)"));
        QCOMPARE(current(), QStringLiteral("<B><B>[abc]</B></B>"));
    }

    void shortcutsReachTheEntries_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("after");
        QTest::newRow("Ctrl+B") << int(Qt::Key_B) << "<B>[w]</B>";
        QTest::newRow("Ctrl+I") << int(Qt::Key_I) << "<I>[w]</I>";
        QTest::newRow("Ctrl+K") << int(Qt::Key_K) << "<STRIKE>[w]</STRIKE>";
        QTest::newRow("Ctrl+T") << int(Qt::Key_T) << "<TT>[w]</TT>";
        QTest::newRow("Ctrl+U") << int(Qt::Key_U) << "<U>[w]</U>";
        QTest::newRow("Ctrl+F") << int(Qt::Key_F) << "<PRE>[w]</PRE>";
    }
    void shortcutsReachTheEntries()
    {
        QFETCH(int, key);
        QFETCH(QString, after);
        setMarked(QStringLiteral("[w]"));
        QTest::keyClick(m_document->textArea(), Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(current(), after);
        QVERIFY(m_document->isChanged());
    }

    void shortcutsActOnTheFocusedDocument()
    {
        DocumentWindow *first = m_document;
        first->textArea()->setText(QStringLiteral("one"));
        DocumentWindow *second = m_app->newDocument();
        second->textArea()->setFocus();
        second->textArea()->setText(QStringLiteral("two"));
        second->textArea()->setSelStart(0);
        second->textArea()->setSelLength(3);
        QTest::keyClick(second->textArea(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(second->textArea()->text(), QStringLiteral("<B>two</B>"));
        QCOMPARE(first->textArea()->text(), QStringLiteral("one"));
    }

    // Choosing an entry that opens a submenu inserts nothing.
    void submenuEntriesInsertNothing_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("start table") << "mnutable(2)";
        QTest::newRow("table heading") << "mnutable(3)";
        QTest::newRow("cell entry") << "mnutable(5)";
    }
    void submenuEntriesInsertNothing()
    {
        QFETCH(QString, entry);
        QAction *a = action(entry);
        QVERIFY(a && a->menu());
        setMarked(QStringLiteral("a[b]c"));
        a->trigger();
        QCOMPARE(current(), QStringLiteral("a[b]c"));
    }

    void justifyCommands_data()
    {
        commandColumns();
        row("separator 0", "mnuJustify(0)", "a[b]c", "a[b]c");
        row("right", "mnuJustify(1)", "x[abc]y", "x<RIGHT>[abc]</RIGHT>y");
        row("center", "mnuJustify(2)", "[abc]", "<CENTER>[abc]</CENTER>");
        row("center caret", "mnuJustify(2)", "ab|cd", "ab<CENTER>|</CENTER>cd");
        row("subscript", "mnuJustify(3)", "[abc]", "<SUB>[abc]</SUB>");
        row("superscript", "mnuJustify(4)", "[abc]", "<SUP>[abc]</SUP>");
        row("separator 5", "mnuJustify(5)", "a[b]c", "a[b]c");
    }
    void justifyCommands() { runCommandRow(); }

    void tableCommands_data()
    {
        commandColumns();
        row("border caret", "mnuTableBorder(0)", "|", "<TABLE BORDER>~~</TABLE>|");
        row("border selection", "mnuTableBorder(0)", "a[xy]b", "a<TABLE BORDER>xy~~</TABLE>|b");
        row("no border", "mnuTableBorder(1)", "[xy]", "<TABLE>xy~~</TABLE>|");
        row("heading centered", "mnuHeadingXTRA(0)", "[Name]", "<TH ALIGN=\"CENTER\">Name</TH>|");
        row("heading left", "mnuHeadingXTRA(1)", "[Name]", "<TH ALIGN=\"LEFT\">Name</TH>|");
        row("heading right", "mnuHeadingXTRA(2)", "[Name]", "<TH ALIGN=\"RIGHT\">Name</TH>|");
        row("heading no wrap", "mnuHeadingXTRA(3)", "a|b", "a<TH NOWRAP></TH>|b");
        row("cell centered", "mnuCellXTRA(0)", "[x]", "<TD ALIGN=\"CENTER\">x</TD>|");
        row("cell left", "mnuCellXTRA(1)", "[x]", "<TD ALIGN=\"LEFT\">x</TD>|");
        row("cell right", "mnuCellXTRA(2)", "[x]", "<TD ALIGN=\"RIGHT\">x</TD>|");
        row("cell no wrap", "mnuCellXTRA(3)", "|", "<TD NOWRAP></TD>|");
        row("new row mid-line", "mnutable(4)", "ab|", "ab~<TR>|");
        row("new row line start", "mnutable(4)", "ab~|", "ab~<TR>|");
        row("new row keeps selection text", "mnutable(4)", "ab~[cd]", "ab~<TR>cd|");
    }
    void tableCommands() { runCommandRow(); }

    void tableCommandIsOneUndoStep()
    {
        setMarked(QStringLiteral("a[xy]b"));
        trigger(QStringLiteral("mnuCellXTRA(0)"));
        QVERIFY(m_document->textArea()->canUndo());
        m_document->textArea()->undo();
        QCOMPARE(m_document->textArea()->text(), QStringLiteral("axyb"));
    }

    void noteOnTables()
    {
        m_app->platform().expectMessageBox(
            MsgResult::Ok, QStringLiteral("HTML 3.0 Tags"),
            QStringLiteral("Tables are part of the 3.0 spcification, so all browsers do not support tables. If a "
                           "viewer is unable to interpret the table markups, surfers may see something like:\r\n\r\n"
                           "Heading1 Heading2 Row1Cell1 Row1Cell2 Row2Cell1 Row2Cell2 Row3Cell1 Row3Cell2\r\n\r\n"
                           "All of the cell entries will run together."));
        setMarked(QStringLiteral("a[b]c"));
        trigger(QStringLiteral("mnutable(0)"));
        QCOMPARE(current(), QStringLiteral("a[b]c"));
        const QList<PlatformCall> boxes = m_app->platform().callsOf(PlatformCall::Kind::MessageBox);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().icon, MsgIcon::Information);
        QCOMPARE(boxes.first().buttons, MsgButtons::Ok);
    }

    void buildTableOnlyTellsWhatItWillBe()
    {
        m_app->platform().expectMessageBox(MsgResult::Ok, std::nullopt,
                                        QStringLiteral("popup box to build entire table"));
        setMarked(QStringLiteral("a[b]c"));
        trigger(QStringLiteral("mnutable(1)"));
        QCOMPARE(current(), QStringLiteral("a[b]c"));
    }

    void listCommands_data()
    {
        commandColumns();
        // Nothing selected: skeletons and block tags.
        row("ordered skeleton mid-line", "mnuList(0)", "ab|", "ab~<OL>~<LI>~<LI>~</OL>|");
        row("ordered skeleton at start", "mnuList(0)", "|", "<OL>~<LI>~<LI>~</OL>|");
        row("bulleted skeleton", "mnuList(1)", "ab~|", "ab~<UL>~<LI>~<LI>~</UL>|");
        row("skeleton after a longer line", "mnuList(1)", "first~second~|x", "first~second~<UL>~<LI>~<LI>~</UL>|x");
        row("skeleton in a longer line", "mnuList(0)", "first~second|x", "first~second~<OL>~<LI>~<LI>~</OL>|x");
        row("directory skeleton", "mnuList(2)", "|x", "<DIR>~<LI>~<LI>~</DIR>|x");
        row("menu skeleton", "mnuList(3)", "|", "<MENU>~<LI>~<LI>~</MENU>|");
        row("list item at line start", "mnuList(4)", "a~|", "a~<LI>|");
        row("list item mid-line", "mnuList(4)", "ab|", "ab~<LI>|");
        row("separator", "mnuList(5)", "a|b", "a|b");
        row("descriptive at line start", "mnuList(6)", "a~|", "a~<DL>~<DT>~<DD>~</DL>|");
        row("descriptive mid-line", "mnuList(6)", "ab|", "ab~<DL>~<DT>~<DD>~</DL>|");
        row("data term", "mnuList(7)", "ab|", "ab~<DT>|");
        row("data definition", "mnuList(8)", "|", "<DD>|");
        // A selection becomes a list.
        row("ordered", "mnuList(0)", "[a~b]", "~<OL>~<LI>a~<LI>b~</OL>~|");
        row("bulleted keeps empty lines", "mnuList(1)", "[a~~b]", "~<UL>~<LI>a~~<LI>b~</UL>~|");
        row("directory", "mnuList(2)", "x[a]y", "x~<DIR>~<LI>a~</DIR>~|y");
        row("menu", "mnuList(3)", "[a~b]", "~<MENU>~<LI>a~<LI>b~</MENU>~|");
        row("tidies line starts", "mnuList(0)", "[  a~<BR>b]", "~<OL>~<LI>a~<LI>b~</OL>~|");
        row("keeps an item", "mnuList(0)", "[<LI>x]", "~<OL>~<LI>x~</OL>~|");
        row("no marker after a final break", "mnuList(1)", "[a~]", "~<UL>~<LI>a~~</UL>~|");
        // The other entries ignore the selection's lines.
        row("list item with selection", "mnuList(4)", "a~[b]", "a~<LI>b|");
        row("descriptive with selection", "mnuList(6)", "ab[c]", "ab~<DL>c~<DT>~<DD>~</DL>|");
        // Right after the first character a block tag starts no new line.
        row("list item after one character", "mnuList(4)", "a|", "a<LI>|");
        row("separator with selection", "mnuList(5)", "a[b]", "a[b]");
    }
    void listCommands() { runCommandRow(); }

    void listConversionIsOneUndoStep()
    {
        setMarked(QStringLiteral("x[a~b]y"));
        trigger(QStringLiteral("mnuList(0)"));
        QVERIFY(m_document->isChanged());
        m_document->textArea()->undo();
        QCOMPARE(m_document->textArea()->text(), QStringLiteral("xa\r\nby"));
        QVERIFY(!m_document->textArea()->canUndo());
    }

    void longSelectionBecomesAList()
    {
        // Long enough for the conversion to let the window process its events on the way.
        constexpr int lines = 60000;
        QStringList source;
        for (int i = 0; i < lines; ++i)
            source << QStringLiteral(" item %1").arg(i);
        const QString text = source.join(QStringLiteral("\r\n"));
        TextArea *area = m_document->textArea();
        area->setText(QStringLiteral("<P>") + text);
        area->setSelStart(3);
        area->setSelLength(int(text.size()));
        trigger(QStringLiteral("mnuList(1)"));

        const QString result = area->text();
        QVERIFY(result.startsWith(QStringLiteral("<P>\r\n<UL>\r\n<LI>item 0\r\n<LI>item 1\r\n")));
        QVERIFY(result.endsWith(QStringLiteral("\r\n<LI>item %1\r\n</UL>\r\n").arg(lines - 1)));
        QCOMPARE(result.count(QStringLiteral("\r\n<LI>item ")), lines);
        QCOMPARE(area->selStart(), area->length());
        QCOMPARE(area->selLength(), 0);
        area->undo();
        QCOMPARE(area->text(), QStringLiteral("<P>") + text);
    }
};

QTEST_MAIN(TestMarkupCommands)
#include "tst_markup_commands.moc"
