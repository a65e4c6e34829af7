#include "app/main_window.h"
#include "platform/version.h"
#include "search/search_state.h"
#include "search/text_search.h"
#include "support/marked_text.h"
#include "support/scripted_platform.h"
#include "support/string_edit.h"

#include <QRandomGenerator>
#include <QtTest>

#include <memory>

using namespace vornel;

namespace {

const QString kTitle = kProductName;

QString notFound(const QString &what)
{
    return QStringLiteral("Cannot find \"") + what + QLatin1Char('"');
}

} // namespace

class TestTextSearch : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScopedPlatform> m_platform;
    SearchState m_state;

    ScriptedPlatform &platform() { return **m_platform; }

    SearchState &searching(const QString &what, int direction = 1, int matchCase = 0)
    {
        m_state.SearchText = what;
        m_state.SearchDirection = direction;
        m_state.MatchCase = matchCase;
        return m_state;
    }

    SearchState &replacing(const QString &what, const QString &with, int matchCase = 1)
    {
        m_state.SearchText = what;
        m_state.ReplaceText = with;
        m_state.MatchCase = matchCase;
        return m_state;
    }

private Q_SLOTS:
    void init()
    {
        m_platform = std::make_unique<ScopedPlatform>();
        m_state = SearchState();
    }
    void cleanup() { m_platform.reset(); }

    void upperCaseKeepsEveryPosition_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("upper");
        QTest::newRow("ascii") << "Table <td>" << "TABLE <TD>";
        QTest::newRow("sharp s stays") << QString::fromUtf8("straße") << QString::fromUtf8("STRAßE");
        QTest::newRow("latin-1 and beyond") << QString::fromUtf8("éÿœı") << QString::fromUtf8("ÉŸŒI");
        QTest::newRow("ligature stays") << QString::fromUtf8("ﬁx") << QString::fromUtf8("ﬁX");
        QTest::newRow("astral pair") << QString::fromUtf8("\U00010428a") << QString::fromUtf8("\U00010400A");
        QTest::newRow("lone surrogates") << QString(QChar(0xD801)) + "b" + QChar(0xDC28)
                                         << QString(QChar(0xD801)) + "B" + QChar(0xDC28);
        QTest::newRow("line ends and marks") << QString::fromUtf8("a\r\nb\u2400") << QString::fromUtf8("A\r\nB\u2400");
    }
    void upperCaseKeepsEveryPosition()
    {
        QFETCH(QString, text);
        QFETCH(QString, upper);
        QCOMPARE(upperCaseSameLength(text), upper);
    }

    void upperCaseNeverChangesLength()
    {
        // Every character of the basic plane, and a sample of the others.
        QString all;
        for (char32_t c = 0; c < 0x10000; ++c)
            all.append(QChar(char16_t(c)));
        for (char32_t c = 0x10000; c < 0x1F000; c += 7)
            all.append(QString::fromUcs4(&c, 1));
        QCOMPARE(upperCaseSameLength(all).size(), all.size());
        QCOMPARE(searchForm(all, true), all);
    }

    void findAtTheEdges_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("down");
        QTest::addColumn<int>("up");
        // In "abcab".
        QTest::newRow("from the start") << "ab" << 0 << 0 << 0;
        QTest::newRow("between") << "ab" << 2 << 3 << 0;
        QTest::newRow("at the last") << "ab" << 3 << 3 << 3;
        QTest::newRow("at the end") << "ab" << 5 << -1 << 3;
        QTest::newRow("past the end") << "ab" << 9 << -1 << 3;
        QTest::newRow("one character past the end") << "b" << 9 << -1 << 4;
        QTest::newRow("before the start") << "ab" << -1 << -1 << -1;
        QTest::newRow("longer than the text") << "abcabc" << 0 << -1 << -1;
        QTest::newRow("empty") << "" << 1 << -1 << -1;
    }
    void findAtTheEdges()
    {
        QFETCH(QString, pattern);
        QFETCH(int, from);
        QFETCH(int, down);
        QFETCH(int, up);
        const QString subject = QStringLiteral("abcab");
        QCOMPARE(vornel::findDown(subject, pattern, from), down);
        QCOMPARE(vornel::findUp(subject, pattern, from), up);
    }

    void findDownSkipsOnlyAfterItsOwnFind()
    {
        // aa in aaa: the second search starts one past the first occurrence, so it overlaps.
        StringEdit target(QStringLiteral("|aaa"));
        m_state.NewSearch = true;
        searching(QStringLiteral("aa"));
        QVERIFY(findStep(target, m_state));
        QCOMPARE(target.marked(), QStringLiteral("[aa]a"));
        QCOMPARE(m_state.LastSearchPos, 0);
        QVERIFY(!m_state.NewSearch);
        QVERIFY(findStep(target, m_state));
        QCOMPARE(target.marked(), QStringLiteral("a[aa]"));
        QCOMPARE(m_state.LastSearchPos, 1);
        // No wrap-around: the end says so and keeps the selection.
        platform().expectMessageBox(MsgResult::Ok, kTitle, notFound(QStringLiteral("aa")));
        QVERIFY(!findStep(target, m_state));
        QCOMPARE(target.marked(), QStringLiteral("a[aa]"));
        QCOMPARE(m_state.LastSearchPos, 1);
    }

    void findDownStartsAtAMovedCaret()
    {
        StringEdit target(QStringLiteral("ab ab |ab"));
        m_state.LastSearchPos = 0;
        searching(QStringLiteral("ab"));
        QVERIFY(findStep(target, m_state));
        QCOMPARE(target.marked(), QStringLiteral("ab ab [ab]"));
    }

    void newSearchStartsAtTheCaretEvenUnmoved()
    {
        StringEdit target(QStringLiteral("ab |ab"));
        m_state.LastSearchPos = 3;
        searching(QStringLiteral("ab"));
        m_state.NewSearch = true;
        QVERIFY(findStep(target, m_state));
        QCOMPARE(target.marked(), QStringLiteral("ab [ab]"));
        // Without it the same caret counts as the last find, and the search moves on.
        StringEdit unmoved(QStringLiteral("ab |ab"));
        platform().expectMessageBox(MsgResult::Ok, kTitle, notFound(QStringLiteral("ab")));
        QVERIFY(!findStep(unmoved, m_state));
    }

    void findUp_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("lastSearchPos");
        QTest::addColumn<QString>("after");   // empty: not found
        QTest::newRow("from the end") << "abab|" << "ab" << -1 << "ab[ab]";
        QTest::newRow("not the character just before the caret") << "ab|" << "b" << -1 << "";
        QTest::newRow("the one before that") << "xb b|" << "b" << -1 << "x[b] b";
        QTest::newRow("at the start of the text") << "|abc" << "a" << -1 << "";
        QTest::newRow("one character in") << "a|bc" << "a" << -1 << "";
        QTest::newRow("may run on past the caret") << "abc|d" << "bcd" << -1 << "a[bcd]";
        QTest::newRow("after its own find, the one just before") << "a[aa]" << "aa" << 1 << "[aa]a";
        QTest::newRow("after its own find at the start") << "[aa]a" << "aa" << 0 << "";
        QTest::newRow("a moved selection is no find") << "a[aa]" << "aa" << 0 << "";
    }
    void findUp()
    {
        QFETCH(QString, before);
        QFETCH(QString, what);
        QFETCH(int, lastSearchPos);
        QFETCH(QString, after);
        StringEdit target(before);
        m_state.LastSearchPos = lastSearchPos;
        searching(what, 0);
        if (after.isEmpty()) {
            platform().expectMessageBox(MsgResult::Ok, kTitle, notFound(what));
            QVERIFY(!findStep(target, m_state));
            QCOMPARE(target.marked(), before);
        } else {
            QVERIFY(findStep(target, m_state));
            QCOMPARE(target.marked(), after);
        }
        QCOMPARE(m_state.LastSearchPos, target.selStart());
    }

    void matchCase_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("what");
        QTest::addColumn<int>("matchCase");
        QTest::addColumn<QString>("after");
        QTest::newRow("any case") << "<|Table>" << "TABLE" << 0 << "<[Table]>";
        QTest::newRow("exact case misses") << "<|Table>" << "TABLE" << 1 << "";
        QTest::newRow("exact case") << "|TABLE Table" << "Table" << 1 << "TABLE [Table]";
        QTest::newRow("positions after a sharp s") << QString::fromUtf8("|Straße Table")
                                                    << "table" << 0 << QString::fromUtf8("Straße [Table]");
        QTest::newRow("found text as typed, not as matched") << "|<p>" << "P>" << 0 << "<[p>]";
    }
    void matchCase()
    {
        QFETCH(QString, before);
        QFETCH(QString, what);
        QFETCH(int, matchCase);
        QFETCH(QString, after);
        StringEdit target(before);
        m_state.NewSearch = true;
        searching(what, 1, matchCase);
        if (after.isEmpty()) {
            // The message quotes the text as typed.
            platform().expectMessageBox(MsgResult::Ok, kTitle, notFound(what));
            QVERIFY(!findStep(target, m_state));
        } else {
            QVERIFY(findStep(target, m_state));
            QCOMPARE(target.marked(), after);
        }
    }

    void findWorksPastSixteenBits()
    {
        const QString filler(70000, QLatin1Char('x'));
        StringEdit target(QLatin1Char('|') + filler + QStringLiteral("<b><b>"));
        m_state.NewSearch = true;
        searching(QStringLiteral("<b>"));
        QVERIFY(findStep(target, m_state));
        QCOMPARE(target.selStart(), 70000);
        QCOMPARE(m_state.LastSearchPos, 70000);
        QVERIFY(findStep(target, m_state));
        QCOMPARE(target.selStart(), 70003);
        m_state.SearchDirection = 0;
        QVERIFY(findStep(target, m_state));
        QCOMPARE(target.selStart(), 70000);
    }

    void emptySearchTextIsNeverSearched()
    {
        StringEdit target(QStringLiteral("ab|c"));
        m_state.LastSearchPos = 7;
        QVERIFY(!findStep(target, m_state));
        replaceRun(target, ReplaceMode::ReplaceAll, m_state);
        QCOMPARE(target.marked(), QStringLiteral("ab|c"));
        QCOMPARE(m_state.LastSearchPos, 7);
        QVERIFY(platform().calls().isEmpty());
    }

    void replaceAll_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("with");
        QTest::addColumn<QString>("after");
        QTest::newRow("longer") << "|a-a-a" << "a" << "bb" << "bb-bb-bb|";
        QTest::newRow("shorter") << "|<B>x</B> <B>" << "<B>" << "<b>" << "<b>x</B> <b>|";
        QTest::newRow("empty replacement deletes") << "|a-a-a" << "a" << "" << "--|";
        QTest::newRow("replacement holds the find text") << "|a a" << "a" << "aa" << "aa aa|";
        QTest::newRow("overlapping occurrences") << "|aaa" << "aa" << "b" << "b|a";
        QTest::newRow("overlapping, four") << "|aaaa" << "aa" << "b" << "bb|";
        QTest::newRow("across line ends") << "|a\r\nb a\r\nb" << "\r\nb" << "<BR>" << "a<BR> a<BR>|";
        QTest::newRow("selection replaced from its start") << "x[xx]x" << "x" << "y" << "xyyy|";
    }
    void replaceAll()
    {
        QFETCH(QString, before);
        QFETCH(QString, what);
        QFETCH(QString, with);
        QFETCH(QString, after);
        StringEdit target(before);
        replacing(what, with);
        if (target.selStart() > 0)
            platform().expectMessageBox(MsgResult::No, QStringLiteral("End of file reached"),
                                        QStringLiteral("Continue from beginning of file?"));
        platform().expectMessageBox(MsgResult::Ok, QStringLiteral("Replace"), QStringLiteral("Done!"));
        replaceRun(target, ReplaceMode::ReplaceAll, m_state);
        QCOMPARE(target.marked(), after);
        QCOMPARE(m_state.LastSearchPos, target.selStart());
        // All in one change, inside one run.
        QCOMPARE(target.undoSteps, 1);
        QCOMPARE(target.depth, 0);
    }

    void replaceAllIgnoringCase()
    {
        StringEdit target(QString::fromUtf8("|Straße TABLE table"));
        replacing(QStringLiteral("Table"), QStringLiteral("X"), 0);
        platform().expectMessageBox(MsgResult::Ok, QStringLiteral("Replace"), QStringLiteral("Done!"));
        replaceRun(target, ReplaceMode::ReplaceAll, m_state);
        QCOMPARE(target.marked(), QString::fromUtf8("Straße X X|"));
    }

    void secondPass_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("what");
        QTest::addColumn<bool>("continueFromStart");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("after");
        QTest::newRow("yes") << "x1 |x2 x3" << "x" << true << "Done!" << "y|1 y2 y3";
        QTest::newRow("no") << "x1 |x2 x3" << "x" << false << "Done!" << "x1 y2 y|3";
        QTest::newRow("no, nothing after the caret") << "x1 x2|" << "x" << false << "Cannot find \"x\"" << "x1 x2|";
        QTest::newRow("yes, found only before") << "x1 x2|" << "x" << true << "Done!" << "y1 y|2";
        QTest::newRow("nothing anywhere") << "ab|c" << "x" << true << "Cannot find \"x\"" << "ab|c";
        // Only occurrences that begin before the starting point come round again.
        QTest::newRow("one begins at the start point") << "x|x" << "x" << true << "Done!" << "y|y";
        QTest::newRow("one straddles the start point") << "a|bc" << "ab" << true << "Done!" << "y|c";
        // One that would overlap a replacement of the first pass no longer exists.
        QTest::newRow("overlapping the first pass") << "a|aa" << "aa" << true << "Done!" << "ay|";
    }
    void secondPass()
    {
        QFETCH(QString, before);
        QFETCH(QString, what);
        QFETCH(bool, continueFromStart);
        QFETCH(QString, message);
        QFETCH(QString, after);
        StringEdit target(before);
        replacing(what, QStringLiteral("y"));
        platform().expectMessageBox(continueFromStart ? MsgResult::Yes : MsgResult::No,
                                    QStringLiteral("End of file reached"),
                                    QStringLiteral("Continue from beginning of file?"));
        platform().expectMessageBox(MsgResult::Ok, QStringLiteral("Replace"), message);
        replaceRun(target, ReplaceMode::ReplaceAll, m_state);
        QCOMPARE(target.marked(), after);
        QCOMPARE(platform().callsOf(PlatformCall::Kind::MessageBox).first().icon, MsgIcon::Question);
    }

    void verifyAsksAboutEachOccurrenceWhereItNowIs()
    {
        StringEdit target(QStringLiteral("|ab ab ab"));
        replacing(QStringLiteral("ab"), QStringLiteral("xyz"));
        for (const MsgResult answer : {MsgResult::Yes, MsgResult::No, MsgResult::Yes})
            platform().expectMessageBox(answer, QStringLiteral("Verify"), QStringLiteral("Replace Selected Text?"));
        platform().expectMessageBox(MsgResult::Ok, QStringLiteral("Replace"), QStringLiteral("Done!"));
        replaceRun(target, ReplaceMode::ConfirmEach, m_state);
        QCOMPARE(target.selections, (QStringList{"ab@0", "ab@4", "ab@7"}));
        QCOMPARE(target.marked(), QStringLiteral("xyz ab xyz|"));
        QCOMPARE(platform().callsOf(PlatformCall::Kind::MessageBox).first().buttons, MsgButtons::YesNoCancel);
    }

    void verifyAfterNoStillVisitsTheOverlappingOccurrence()
    {
        StringEdit target(QStringLiteral("|aaa"));
        replacing(QStringLiteral("aa"), QStringLiteral("b"));
        platform().expectMessageBox(MsgResult::No, QStringLiteral("Verify"));
        platform().expectMessageBox(MsgResult::Yes, QStringLiteral("Verify"));
        platform().expectMessageBox(MsgResult::Ok, QStringLiteral("Replace"), QStringLiteral("Done!"));
        replaceRun(target, ReplaceMode::ConfirmEach, m_state);
        QCOMPARE(target.selections, (QStringList{"aa@0", "aa@1"}));
        QCOMPARE(target.marked(), QStringLiteral("ab|"));
    }

    void verifyAnsweredNoEverywhereStillSaysDone()
    {
        StringEdit target(QStringLiteral("|a a"));
        replacing(QStringLiteral("a"), QStringLiteral("b"));
        platform().expectMessageBox(MsgResult::No, QStringLiteral("Verify"));
        platform().expectMessageBox(MsgResult::No, QStringLiteral("Verify"));
        platform().expectMessageBox(MsgResult::Ok, QStringLiteral("Replace"), QStringLiteral("Done!"));
        replaceRun(target, ReplaceMode::ConfirmEach, m_state);
        QCOMPARE(target.marked(), QStringLiteral("a [a]"));
        QCOMPARE(m_state.LastSearchPos, 2);
    }

    void cancelInVerifyStopsAtOnce()
    {
        StringEdit target(QStringLiteral("a |a a a"));
        replacing(QStringLiteral("a"), QStringLiteral("b"));
        m_state.LastSearchPos = 5;
        platform().expectMessageBox(MsgResult::Yes, QStringLiteral("Verify"));
        platform().expectMessageBox(MsgResult::Cancel, QStringLiteral("Verify"));
        // No question about the beginning, no "Done!".
        replaceRun(target, ReplaceMode::ConfirmEach, m_state);
        QCOMPARE(target.marked(), QStringLiteral("a b [a] a"));
        QCOMPARE(m_state.LastSearchPos, 5);
        QCOMPARE(target.depth, 0);
    }

    void replaceAllAgreesWithALeftToRightReplace()
    {
        // From any starting point, with the second pass: the text up to where the first pass
        // began replacing, and the rest, each replaced left to right without overlaps.
        QRandomGenerator random(20261208);
        const QString alphabet = QStringLiteral("aAb\r\n");
        for (int round = 0; round < 3000; ++round) {
            QString text;
            const int length = random.bounded(0, 24);
            for (int i = 0; i < length; ++i)
                text.append(alphabet[random.bounded(int(alphabet.size()))]);
            QString what;
            for (int i = random.bounded(1, 4); i > 0; --i)
                what.append(alphabet[random.bounded(int(alphabet.size()))]);
            QString with;
            for (int i = random.bounded(0, 4); i > 0; --i)
                with.append(alphabet[random.bounded(int(alphabet.size()))]);
            const int start = random.bounded(0, int(text.size()) + 1);
            const int matchCase = random.bounded(2);
            const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;

            const qsizetype next = text.indexOf(what, start, cs);
            const qsizetype split = std::min<qsizetype>({start + what.size() - 1, next < 0 ? text.size() : next, text.size()});
            const QString expected = text.left(split).replace(what, with, cs) + text.mid(split).replace(what, with, cs);
            const bool anyFound = text.contains(what, cs);

            StringEdit target(text.left(start) + QLatin1Char('|') + text.mid(start));
            replacing(what, with, matchCase);
            ScopedPlatform answers;
            if (start > 0)
                answers->expectMessageBox(MsgResult::Yes, QStringLiteral("End of file reached"));
            answers->expectMessageBox(MsgResult::Ok, QStringLiteral("Replace"),
                                      anyFound ? QStringLiteral("Done!") : notFound(what));
            replaceRun(target, ReplaceMode::ReplaceAll, m_state);
            if (target.text() != expected) {
                qWarning() << "text" << text << "start" << start << "find" << what << "with" << with << "case" << matchCase;
                QCOMPARE(target.text(), expected);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestTextSearch)
#include "tst_text_search.moc"
