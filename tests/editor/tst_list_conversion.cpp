#include "editor/list_conversion.h"
#include "editor/markup_commands.h"
#include "support/string_edit.h"

#include <QRandomGenerator>
#include <QTest>

#include <array>
#include <optional>

using namespace vornel;

namespace {

const QString crLf = QStringLiteral("\r\n");
const QString bullet = QStringLiteral("<BR><IMG SRC=\"b.gif\">");

// Runs a list command's edit on the string, as the window assigns it.
void assign(StringEdit &edit, const std::optional<ListEdit> &list)
{
    if (list)
        applyListEdit(edit, *list);
}

QString visible(const QString &s)
{
    QString out;
    for (QChar c : s) {
        if (c == u'\r')
            out += QLatin1String("\\r");
        else if (c == u'\n')
            out += QLatin1String("\\n");
        else
            out += c;
    }
    return out;
}

QString describe(const StringEdit &edit)
{
    return edit.marked();
}

// The list rules written out step by step, the slow way: positions count from 1, the text is
// changed in place, every test looks at the characters with Mid and the Like operator.
namespace literal {

QString mid(const QString &s, qsizetype start, qsizetype length = -1)
{
    if (start > s.size())
        return {};
    return s.mid(start - 1, length);
}

QString left(const QString &s, qsizetype n)
{
    return s.left(n);
}

qsizetype inStr(qsizetype start, const QString &s, QChar what)
{
    if (start > s.size())
        return 0;
    const qsizetype found = s.indexOf(what, start - 1);
    return found < 0 ? 0 : found + 1;
}

// Like, by plain recursion over the pattern text. A malformed bracket matches nothing.
bool likeFrom(const QString &text, qsizetype ti, const QString &pattern, qsizetype pi)
{
    if (pi == pattern.size())
        return ti == text.size();
    const QChar c = pattern[pi];
    if (c == u'*') {
        for (qsizetype k = ti; k <= text.size(); ++k) {
            if (likeFrom(text, k, pattern, pi + 1))
                return true;
        }
        return false;
    }
    if (c == u'[') {
        const qsizetype close = pattern.indexOf(u']', pi + 1);
        if (close < 0)
            return false;
        QString body = pattern.mid(pi + 1, close - pi - 1);
        bool negated = false;
        if (body.startsWith(u'!')) {
            negated = true;
            body.remove(0, 1);
        } else if (body.isEmpty()) {
            return likeFrom(text, ti, pattern, close + 1);
        }
        if (ti == text.size())
            return false;
        bool inClass = false;
        for (qsizetype j = 0; j < body.size(); ++j) {
            if (j + 2 < body.size() && body[j + 1] == u'-') {
                if (body[j + 2] < body[j])
                    return false;
                if (text[ti] >= body[j] && text[ti] <= body[j + 2])
                    inClass = true;
                j += 2;
            } else if (text[ti] == body[j]) {
                inClass = true;
            }
        }
        return inClass != negated && likeFrom(text, ti + 1, pattern, close + 1);
    }
    if (ti == text.size())
        return false;
    if (c == u'?')
        return likeFrom(text, ti + 1, pattern, pi + 1);
    if (c == u'#')
        return text[ti] >= u'0' && text[ti] <= u'9' && likeFrom(text, ti + 1, pattern, pi + 1);
    return text[ti] == c && likeFrom(text, ti + 1, pattern, pi + 1);
}

bool like(const QString &text, const QString &pattern)
{
    return likeFrom(text, 0, pattern, 0);
}

// How often each rule fired, so the random test can show that it reached every one.
enum Rule { A, B, CReplace, CKeep, D0, D1, D2, D3Replace, D3Keep, D4, D5, D6, D7, D8, E, RuleCount };
std::array<int, RuleCount> ruleHits{};

QString markListItems(const QString &marker, QString s)
{
    const QString imageBullet = QStringLiteral("<*><IMG ");
    qsizetype p = 1;
    while (p < s.size()) {
        // An empty marker would match at p forever without moving on.
        if (!marker.isEmpty() && mid(s, p, marker.size()) == marker) { // A
            ++ruleHits[A];
            p = p + marker.size();
        } else if (like(mid(s, p, 4), QStringLiteral("<LI>"))
                   && marker != QLatin1String("<LI>")) { // B
            ++ruleHits[B];
            s = left(s, p - 1) + marker + mid(s, p + 4);
            p = p + marker.size();
        } else if (like(mid(s, p, 9), imageBullet)) { // C
            const qsizetype e = inStr(p + 9, s, u'>');
            const qsizetype b = inStr(p + 9, s, u'<');
            // With no ">" at all (e = 0) there is nothing to replace up to.
            if (e > 0 && (b > e || b == 0)) {
                ++ruleHits[CReplace];
                s = left(s, p - 1) + marker + mid(s, e + 1);
                p = p + marker.size();
            } else {
                ++ruleHits[CKeep];
                p = p + 9;
            }
        } else if (like(mid(s, p, 1), QStringLiteral("\r"))) { // D
            const qsizetype q = p + 2;
            if (!(p + 1 < s.size())) { // D0
                ++ruleHits[D0];
                p = p + 1;
            } else if (like(mid(s, q, 4), QStringLiteral("<LI>"))
                       && marker == QLatin1String("<LI>")) { // D1
                ++ruleHits[D1];
                p = p + 5;
            } else if (like(mid(s, q, 4), QStringLiteral("<LI>"))) { // D2
                ++ruleHits[D2];
                s = left(s, q - 1) + marker + mid(s, q + 4);
                p = p + 1 + marker.size();
            } else if (like(mid(s, q, 9), imageBullet)) { // D3
                const qsizetype e = inStr(p + 10, s, u'>');
                const qsizetype b = inStr(p + 10, s, u'<');
                if (e > 0 && (b > e || b == 0)) {
                    ++ruleHits[D3Replace];
                    s = left(s, q - 1) + marker + mid(s, e + 1);
                    p = p + 1 + marker.size();
                } else {
                    ++ruleHits[D3Keep];
                    p = p + 10;
                }
            } else if (like(mid(s, q, 4), QStringLiteral("<BR>"))) { // D4
                ++ruleHits[D4];
                s = left(s, q - 1) + mid(s, q + 4);
            } else if (like(mid(s, q, 3), QStringLiteral("<P>"))) { // D5
                ++ruleHits[D5];
                s = left(s, q - 1) + mid(s, q + 3);
            } else if (like(mid(s, q, 1), QStringLiteral(" "))) { // D6
                ++ruleHits[D6];
                s = left(s, q - 1) + mid(s, q + 1);
            } else if (!like(mid(s, q, 1), QStringLiteral("\r"))) { // D7
                ++ruleHits[D7];
                s = left(s, q - 1) + marker + mid(s, q);
                p = p + 1 + marker.size();
            } else { // D8
                ++ruleHits[D8];
                p = p + 1;
            }
        } else { // E
            ++ruleHits[E];
            p = p + 1;
        }
    }
    return s;
}

void listFromText(StringEdit &area, const QString &kind, const QString &text)
{
    if (text.isEmpty() || kind.isEmpty())
        return;
    if (kind == QLatin1String("UL") || kind == QLatin1String("MENU")
        || kind == QLatin1String("DIR") || kind == QLatin1String("OL")) {
        area.setSelText(crLf + "<" + kind + ">" + markListItems("<LI>", crLf + text) + crLf
                        + "</" + kind + ">" + crLf);
    } else {
        area.setSelText(markListItems(kind, crLf + text));
    }
}

void insertBlockTag(StringEdit &area, const QString &tag)
{
    QString lb;
    if (area.selStart() <= 1)
        lb = QString();
    else if (mid(area.text(), area.selStart() - 1, 1) == QLatin1String("\r"))
        lb = QString();
    else
        lb = crLf;
    area.setSelText(lb + "<" + tag + ">" + area.selText());
}

void skeleton(StringEdit &area, const QString &kind)
{
    insertBlockTag(area, kind);
    insertBlockTag(area, "LI");
    insertBlockTag(area, "LI");
    insertBlockTag(area, "/" + kind);
}

void listMenu(StringEdit &area, int index)
{
    const QStringList kinds = {"OL", "UL", "DIR", "MENU"};
    switch (index) {
    case 0:
    case 1:
    case 2:
    case 3:
        if (!area.selText().isEmpty())
            listFromText(area, kinds[index], area.selText());
        else
            skeleton(area, kinds[index]);
        break;
    case 4:
        insertBlockTag(area, "LI");
        break;
    case 6:
        insertBlockTag(area, "DL");
        insertBlockTag(area, "DT");
        insertBlockTag(area, "DD");
        insertBlockTag(area, "/DL");
        break;
    case 7:
        insertBlockTag(area, "DT");
        break;
    case 8:
        insertBlockTag(area, "DD");
        break;
    default:
        break;
    }
}

} // namespace literal

const QStringList randomPieces = {
    "\r\n", "\r\n", "\r\n", "\r\n", "\r\n\r\n", " ", " ", "  ", "<BR>", "<BR>", "<br>", "<P>",
    "<p>", "<LI>", "<LI>", "<li>", "<Li>", "<DT>", "<DD>", "<OL>", bullet, bullet,
    "<BR><IMG SRC=\"b.gif\"", "<BR><IMG ALIGN=middle  SRC=\"dot.gif\">", "<P><IMG SRC=\"p.gif\">",
    "<><IMG ", "<BR><IMG <B>", "<BR><IMG SRC=\"b7.gif\">", "<br><img src=\"b.gif\">", "word",
    "a", "x y", "7", "\r", "\n", "<", ">", "*", "?", "#", "[", "]", "<I>", "<LI", "LI>", "\t",
};

const QStringList randomKinds = {
    "OL", "UL", "DIR", "MENU", "<LI>", bullet, bullet, "<BR><IMG SRC=\"b#.gif\">",
    "<BR><IMG SRC=\"b[0-9].gif\">", "<BR><IMG*", "<L?>", "[<]LI>", "<[!A-Z]I>", "x", " ", "*",
    "?", "#", "[abc", "[z-a]", "ol", "", "\r\n", "\r", "<BR>", "<P>", "<>", "x<", "<LI>x",
    bullet + "x",
};

QString randomText(QRandomGenerator &random, int maxPieces)
{
    QString text;
    const int count = random.bounded(maxPieces + 1);
    for (int i = 0; i < count; ++i)
        text += randomPieces[random.bounded(int(randomPieces.size()))];
    return text;
}

constexpr quint32 propertySeed = 20240611;

} // namespace

class TestListConversion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void likeMatch_data();
    void likeMatch();
    void markListItemsCases_data();
    void markListItemsCases();
    void listFromTextCases_data();
    void listFromTextCases();
    void listMenuCommand_data();
    void listMenuCommand();
    void yieldRunsDuringLongConversion();
    void yieldWaitsForItsInterval();
    void conversionKeepsItsOwnCopy();
    void likeMatchAgreesWithLiteralRule();
    void markListItemsAgreesWithLiteralRule();
    void listFromTextAgreesWithLiteralRule();
    void listMenuAgreesWithLiteralRule();
};

void TestListConversion::likeMatch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");

    QTest::newRow("equal") << "<LI>" << "<LI>" << true;
    QTest::newRow("case counts") << "<li>" << "<LI>" << false;
    QTest::newRow("shorter text") << "<LI" << "<LI>" << false;
    QTest::newRow("longer text") << "<LI>x" << "<LI>" << false;
    QTest::newRow("empty both") << "" << "" << true;
    QTest::newRow("empty pattern") << "a" << "" << false;
    QTest::newRow("star alone, empty text") << "" << "*" << true;
    QTest::newRow("image bullet start") << "<BR><IMG " << "<*><IMG " << true;
    QTest::newRow("star empty run") << "<><IMG " << "<*><IMG " << true;
    QTest::newRow("star crosses brackets") << "<><><IMG " << "<*><IMG " << true;
    QTest::newRow("must end in blank") << "<P><IMG S" << "<*><IMG " << false;
    QTest::newRow("star backtracks") << "aXbYb" << "a*b" << true;
    QTest::newRow("two stars") << "abbbc" << "a*b*c" << true;
    QTest::newRow("star then missing") << "abbb" << "a*b*c" << false;
    QTest::newRow("question one") << "b7" << "b?" << true;
    QTest::newRow("question needs one") << "b" << "b?" << false;
    QTest::newRow("hash digit") << "b7.gif" << "b#.gif" << true;
    QTest::newRow("hash not letter") << "bx.gif" << "b#.gif" << false;
    QTest::newRow("class in") << "b" << "[abc]" << true;
    QTest::newRow("class out") << "d" << "[abc]" << false;
    QTest::newRow("negated in") << "d" << "[!abc]" << true;
    QTest::newRow("negated out") << "a" << "[!abc]" << false;
    QTest::newRow("range in") << "m" << "[a-z]" << true;
    QTest::newRow("range is case-sensitive") << "M" << "[a-z]" << false;
    QTest::newRow("wildcard inside class is plain") << "*" << "[*]" << true;
    QTest::newRow("wildcard inside class is not wild") << "x" << "[*]" << false;
    QTest::newRow("bracket inside class") << "[" << "[[]" << true;
    QTest::newRow("dash at end is plain") << "-" << "[a-]" << true;
    QTest::newRow("dash at start is plain") << "-" << "[-a]" << true;
    QTest::newRow("empty class is empty text") << "ab" << "a[]b" << true;
    QTest::newRow("negated empty class is any one") << "x" << "[!]" << true;
    QTest::newRow("closing bracket alone is plain") << "]" << "]" << true;
    QTest::newRow("bang outside class is plain") << "!" << "!" << true;
    QTest::newRow("unclosed bracket matches nothing") << "[abc" << "[abc" << false;
    QTest::newRow("unclosed bracket after star") << "abc" << "*[" << false;
    QTest::newRow("downward range matches nothing") << "b" << "[z-a]" << false;
}

void TestListConversion::likeMatch()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(vornel::likeMatch(text, pattern), matches);
    QCOMPARE(literal::like(text, pattern), matches);
}

void TestListConversion::markListItemsCases_data()
{
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("s");
    QTest::addColumn<QString>("expected");

    const QString li = QStringLiteral("<LI>");

    QTest::newRow("A marker already there mid-line") << li << "\r\na<LI>b" << "\r\n<LI>a<LI>b";
    QTest::newRow("A bullet already there mid-line")
        << bullet << "\r\nx " + bullet + " y" << "\r\n" + bullet + "x " + bullet + " y";
    // A marker's "#", "?" and "[" are text: another bullet they would match as a pattern is
    // replaced like any other.
    QTest::newRow("A marker is no pattern: #")
        << "<BR><IMG SRC=\"b#.gif\">" << "\r\nx <BR><IMG SRC=\"b7.gif\"> y"
        << "\r\n<BR><IMG SRC=\"b#.gif\">x <BR><IMG SRC=\"b#.gif\"> y";
    QTest::newRow("A marker is no pattern: ? and [")
        << "<BR><IMG SRC=\"d[1].gif?v=2#top\">" << "\r\nx <BR><IMG SRC=\"d1.gifXv=27top\"> y"
        << "\r\n<BR><IMG SRC=\"d[1].gif?v=2#top\">x <BR><IMG SRC=\"d[1].gif?v=2#top\"> y";
    QTest::newRow("A marker with wildcards already there stays")
        << "<BR><IMG SRC=\"d[1].gif?v=2#top\">" << "\r\nx<BR><IMG SRC=\"d[1].gif?v=2#top\">"
        << "\r\n<BR><IMG SRC=\"d[1].gif?v=2#top\">x<BR><IMG SRC=\"d[1].gif?v=2#top\">";
    QTest::newRow("B <LI> mid-line gives way to a bullet")
        << bullet << "\r\na<LI>b" << "\r\n" + bullet + "a" + bullet + "b";
    QTest::newRow("C image bullet mid-line replaced")
        << li << "\r\nx " + bullet + " y" << "\r\n<LI>x <LI> y";
    QTest::newRow("C other bullet replaced by the marker")
        << bullet << "\r\nx <BR><IMG SRC=\"b7.gif\"> y"
        << "\r\n" + bullet + "x " + bullet + " y";
    QTest::newRow("C a tag opens before it closes") << li << "\r\nx <BR><IMG <B>"
                                                    << "\r\n<LI>x <BR><IMG <B>";
    QTest::newRow("C never closes") << li << "\r\nx <BR><IMG SRC" << "\r\n<LI>x <BR><IMG SRC";
    QTest::newRow("C never closes, a tag opens later")
        << li << "\r\nx <BR><IMG SRC <B" << "\r\n<LI>x <BR><IMG SRC <B";
    QTest::newRow("C needs a two-letter tag") << li << "\r\nx <P><IMG SRC=\"p.gif\">"
                                              << "\r\n<LI>x <P><IMG SRC=\"p.gif\">";
    QTest::newRow("D0 line break ends the text") << li << "\r\na\r\n" << "\r\n<LI>a\r\n";
    QTest::newRow("D0 line break alone") << li << "\r\n" << "\r\n";
    QTest::newRow("D1 <LI> stays") << li << "\r\n<LI>x" << "\r\n<LI>x";
    QTest::newRow("D2 <LI> gives way to a bullet") << bullet << "\r\n<LI>x" << "\r\n" + bullet + "x";
    QTest::newRow("D3 image bullet at a line start")
        << li << "\r\n<BR><IMG ALIGN=middle  SRC=\"dot.gif\">item" << "\r\n<LI>item";
    QTest::newRow("D3 same bullet again") << bullet << "\r\n" + bullet + "item"
                                          << "\r\n" + bullet + "item";
    QTest::newRow("D3 never closes: line left as it is")
        << li << "\r\n<BR><IMG SRC" << "\r\n<BR><IMG SRC";
    QTest::newRow("D3 never closes, a tag opens later")
        << li << "\r\n<BR><IMG SRC <B" << "\r\n<BR><IMG SRC <B";
    QTest::newRow("D3 tag opens first, the next bullet is replaced")
        << li << "\r\n<BR><IMG " + bullet << "\r\n<BR><IMG <LI>";
    QTest::newRow("D4 D5 D6 tidy the line start") << li << "\r\n<BR><BR>  <P>a" << "\r\n<LI>a";
    QTest::newRow("D6 then D4") << li << "\r\n <BR>b" << "\r\n<LI>b";
    QTest::newRow("D4 at the end") << li << "\r\n<BR>" << "\r\n";
    QTest::newRow("D6 blanks at the end") << li << "\r\n  " << "\r\n";
    QTest::newRow("D6 blank-only line becomes empty") << li << "\r\n   \r\nb" << "\r\n\r\n<LI>b";
    QTest::newRow("D7 every line") << li << "\r\na\r\nb" << "\r\n<LI>a\r\n<LI>b";
    QTest::newRow("D7 leaves p on the marker's last character")
        << "x<" << "\r\nLI>y" << "\r\nxx<y";
    QTest::newRow("D8 empty line") << li << "\r\na\r\n\r\nb" << "\r\n<LI>a\r\n\r\n<LI>b";
    QTest::newRow("no leading break: first line untouched") << li << "  a\r\nb" << "  a\r\n<LI>b";
    QTest::newRow("lone LF is no line start") << li << "\r\na\nb" << "\r\n<LI>a\nb";
    QTest::newRow("lone CR: the line starts two characters on")
        << li << "\r\na\rbc" << "\r\n<LI>a\rb<LI>c";
    QTest::newRow("lone CR at the end") << li << "\r\na\r" << "\r\n<LI>a\r";
    QTest::newRow("lower-case tags are not tidied") << li << "\r\n<br><li>a" << "\r\n<LI><br><li>a";
    QTest::newRow("tab is not a blank") << li << "\r\n\ta" << "\r\n<LI>\ta";
    QTest::newRow("marker with an open bracket") << "[x" << "\r\na[x\r\nb" << "\r\n[xa[x\r\n[xb";
    QTest::newRow("empty marker ends") << "" << "\r\n  <BR><LI>a" << "\r\na";
    QTest::newRow("star marker is a star") << "*" << "\r\n  <BR>a*" << "\r\n*a*";
    QTest::newRow("empty text") << li << "" << "";
}

void TestListConversion::markListItemsCases()
{
    QFETCH(QString, marker);
    QFETCH(QString, s);
    QFETCH(QString, expected);
    QCOMPARE(markListItems(marker, s), expected);
    QCOMPARE(literal::markListItems(marker, s), expected);
}

void TestListConversion::listFromTextCases_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("replaces");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ordered") << "OL" << "a\r\nb" << true
                             << "\r\n<OL>\r\n<LI>a\r\n<LI>b\r\n</OL>\r\n";
    QTest::newRow("bulleted keeps empty line")
        << "UL" << "a\r\n\r\nb" << true << "\r\n<UL>\r\n<LI>a\r\n\r\n<LI>b\r\n</UL>\r\n";
    QTest::newRow("blanks and <BR> go") << "OL" << "  a\r\n<BR>b" << true
                                        << "\r\n<OL>\r\n<LI>a\r\n<LI>b\r\n</OL>\r\n";
    QTest::newRow("existing <LI> stays") << "OL" << "<LI>x" << true
                                         << "\r\n<OL>\r\n<LI>x\r\n</OL>\r\n";
    QTest::newRow("final line break gets no marker")
        << "DIR" << "a\r\n" << true << "\r\n<DIR>\r\n<LI>a\r\n\r\n</DIR>\r\n";
    QTest::newRow("menu") << "MENU" << "a" << true << "\r\n<MENU>\r\n<LI>a\r\n</MENU>\r\n";
    QTest::newRow("image bullet, no list tags") << bullet << "a\r\nb" << true
                                                << "\r\n" + bullet + "a\r\n" + bullet + "b";
    QTest::newRow("bullet list turned ordered")
        << "OL" << bullet + "a\r\n" + bullet + "b" << true
        << "\r\n<OL>\r\n<LI>a\r\n<LI>b\r\n</OL>\r\n";
    QTest::newRow("lower-case kind is a marker") << "ol" << "a" << true << "\r\nola";
    QTest::newRow("empty text") << "OL" << "" << false << "";
    QTest::newRow("empty kind") << "" << "a\r\nb" << false << "";
}

void TestListConversion::listFromTextCases()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(bool, replaces);
    QFETCH(QString, expected);

    const auto edit = listFromText(kind, text);
    QCOMPARE(edit.has_value(), replaces);
    if (edit) {
        QCOMPARE(edit->text, expected);
        QCOMPARE(edit->caretOffset, expected.size());
    }
}

void TestListConversion::listMenuCommand_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("document");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");

    const QString olSkeleton = QStringLiteral("<OL>\r\n<LI>\r\n<LI>\r\n</OL>");
    QTest::newRow("ordered skeleton mid-line")
        << 0 << "abc" << 3 << 0 << "abc\r\n" + olSkeleton << int(5 + olSkeleton.size());
    QTest::newRow("ordered skeleton at a line start")
        << 0 << "abc\r\n" << 5 << 0 << "abc\r\n" + olSkeleton << int(5 + olSkeleton.size());
    QTest::newRow("ordered skeleton before text") << 0 << "abc\r\nxyz" << 5 << 0
                                                  << "abc\r\n" + olSkeleton + "xyz"
                                                  << int(5 + olSkeleton.size());
    QTest::newRow("bulleted skeleton in empty document")
        << 1 << "" << 0 << 0 << "<UL>\r\n<LI>\r\n<LI>\r\n</UL>" << 23;
    QTest::newRow("directory skeleton")
        << 2 << "" << 0 << 0 << "<DIR>\r\n<LI>\r\n<LI>\r\n</DIR>" << 25;
    QTest::newRow("menu skeleton") << 3 << "" << 0 << 0 << "<MENU>\r\n<LI>\r\n<LI>\r\n</MENU>" << 27;
    QTest::newRow("ordered list from selection")
        << 0 << "x\r\na\r\nby" << 3 << 4 << "x\r\n\r\n<OL>\r\n<LI>a\r\n<LI>b\r\n</OL>\r\ny" << 32;
    QTest::newRow("menu list from selection")
        << 3 << "a" << 0 << 1 << "\r\n<MENU>\r\n<LI>a\r\n</MENU>\r\n" << 26;
    QTest::newRow("add list item at a line start") << 4 << "x\r\n" << 3 << 0 << "x\r\n<LI>" << 7;
    QTest::newRow("add list item before selection")
        << 4 << "xya" << 2 << 1 << "xy\r\n<LI>a" << 9;
    QTest::newRow("caret at 1 needs no line break") << 8 << "a" << 1 << 0 << "a<DD>" << 5;
    QTest::newRow("after a lone LF a line break goes in") << 7 << "a\n" << 2 << 0 << "a\n\r\n<DT>"
                                                          << 8;
    QTest::newRow("descriptive list at a line start")
        << 6 << "" << 0 << 0 << "<DL>\r\n<DT>\r\n<DD>\r\n</DL>" << 23;
    QTest::newRow("descriptive list keeps the selection after <DL>")
        << 6 << "t\r\n" << 0 << 3 << "<DL>t\r\n<DT>\r\n<DD>\r\n</DL>" << 24;
    QTest::newRow("separator does nothing") << 5 << "abc" << 1 << 1 << "abc" << 1;
    QTest::newRow("index past the menu does nothing") << 9 << "abc" << 1 << 0 << "abc" << 1;
}

void TestListConversion::listMenuCommand()
{
    QFETCH(int, index);
    QFETCH(QString, document);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, expected);
    QFETCH(int, caret);

    StringEdit area(document, selStart, selLength);
    assign(area, listCommandEdit(area, index));
    QCOMPARE(area.text(), expected);
    QCOMPARE(area.selStart(), caret);
    if (index != 5 && index != 9)
        QCOMPARE(area.selLength(), 0);
}

void TestListConversion::yieldRunsDuringLongConversion()
{
    QString text;
    QString expected = crLf;
    for (int i = 0; i < 2000; ++i) {
        text += QStringLiteral("  line %1\r\n").arg(i);
        expected += QStringLiteral("<LI>line %1\r\n").arg(i);
    }
    int calls = 0;
    const ListYield yield{[&calls] { ++calls; }, 0};
    QCOMPARE(markListItems("<LI>", crLf + text, yield), expected);
    QVERIFY(calls > 0);
    QVERIFY(calls <= 2000);
}

void TestListConversion::yieldWaitsForItsInterval()
{
    QString text;
    for (int i = 0; i < 2000; ++i)
        text += QStringLiteral("line\r\n");
    int calls = 0;
    const ListYield yield{[&calls] { ++calls; }, 3600 * 1000};
    const auto edit = listFromText("UL", text, yield);
    QVERIFY(edit.has_value());
    QCOMPARE(edit->text.count(QStringLiteral("<LI>")), 2000);
    QCOMPARE(calls, 0);
}

void TestListConversion::conversionKeepsItsOwnCopy()
{
    QString marker = bullet;
    QString text = crLf;
    QString expected = crLf;
    for (int i = 0; i < 500; ++i) {
        text += QStringLiteral("<LI>item\r\n");
        expected += bullet + QStringLiteral("item\r\n");
    }
    // The window's event processing may edit the document (and the kind) meanwhile.
    const ListYield yield{[&] {
                              text = QStringLiteral("changed");
                              marker = QStringLiteral("?");
                          },
                          0};
    QCOMPARE(markListItems(marker, text, yield), expected);
    QCOMPARE(text, QStringLiteral("changed"));
}

void TestListConversion::likeMatchAgreesWithLiteralRule()
{
    const QString patternChars = QStringLiteral("ab1*?#[]!-");
    const QString textChars = QStringLiteral("ab1-![]");
    QRandomGenerator random(propertySeed + 3);
    auto randomString = [&random](const QString &chars, int maxLength) {
        QString result;
        const int length = random.bounded(maxLength + 1);
        for (int i = 0; i < length; ++i)
            result += chars[random.bounded(int(chars.size()))];
        return result;
    };
    int matches = 0;
    for (int i = 0; i < 5000; ++i) {
        const QString pattern = randomString(patternChars, 8);
        const QString text = randomString(textChars, 8);
        matches += literal::like(text, pattern) ? 1 : 0;
        if (vornel::likeMatch(text, pattern) != literal::like(text, pattern)) {
            QFAIL(qPrintable(QStringLiteral("seed %1, case %2: '%3' Like '%4': fast %5")
                                 .arg(propertySeed + 3)
                                 .arg(i)
                                 .arg(text, pattern)
                                 .arg(vornel::likeMatch(text, pattern))));
        }
    }
    // The pieces must give both answers often enough for the comparison to mean something.
    QVERIFY2(matches > 100 && matches < 4900, qPrintable(QString::number(matches)));
}

void TestListConversion::markListItemsAgreesWithLiteralRule()
{
    literal::ruleHits.fill(0);
    QRandomGenerator random(propertySeed);
    for (int i = 0; i < 1500; ++i) {
        // "<LI>" is what the four list kinds use, so it comes up often.
        const QString marker = random.bounded(3) == 0
            ? QStringLiteral("<LI>")
            : randomKinds[random.bounded(int(randomKinds.size()))];
        const int maxPieces = i % 50 == 0 ? 400 : 40;
        // Mostly the way listFromText calls it, sometimes without the leading line break.
        const QString s = (random.bounded(4) ? crLf : QString()) + randomText(random, maxPieces);
        const QString fast = markListItems(marker, s);
        const QString slow = literal::markListItems(marker, s);
        if (fast != slow) {
            QFAIL(qPrintable(QStringLiteral("seed %1, case %2: marker '%3', s '%4'\n"
                                            "  fast    '%5'\n  literal '%6'")
                                 .arg(propertySeed)
                                 .arg(i)
                                 .arg(visible(marker), visible(s), visible(fast),
                                      visible(slow))));
        }
    }
    for (int rule = 0; rule < literal::RuleCount; ++rule)
        QVERIFY2(literal::ruleHits[rule] >= 20, qPrintable(QStringLiteral("rule %1 fired only %2 times")
                                                          .arg(rule)
                                                          .arg(literal::ruleHits[rule])));
}

void TestListConversion::listFromTextAgreesWithLiteralRule()
{
    QRandomGenerator random(propertySeed + 1);
    for (int i = 0; i < 1500; ++i) {
        const QString kind = randomKinds[random.bounded(int(randomKinds.size()))];
        const QString before = randomText(random, 4);
        const QString selected = randomText(random, i % 50 == 0 ? 400 : 40);
        const QString after = randomText(random, 4);
        const StringEdit start(before + selected + after, int(before.size()), int(selected.size()));

        StringEdit slow = start;
        literal::listFromText(slow, kind, slow.selText());
        StringEdit fast = start;
        assign(fast, listConversionEdit(fast, kind));
        if (fast.marked() != slow.marked()) {
            QFAIL(qPrintable(QStringLiteral("seed %1, case %2: kind '%3', start %4\n"
                                            "  fast    %5\n  literal %6")
                                 .arg(propertySeed + 1)
                                 .arg(i)
                                 .arg(visible(kind), describe(start), describe(fast),
                                      describe(slow))));
        }
    }
}

void TestListConversion::listMenuAgreesWithLiteralRule()
{
    QRandomGenerator random(propertySeed + 2);
    for (int i = 0; i < 1000; ++i) {
        const int index = random.bounded(10);
        const QString before = randomText(random, 6);
        const QString selected = random.bounded(2) ? randomText(random, 20) : QString();
        const QString after = randomText(random, 4);
        const StringEdit start(before + selected + after, int(before.size()), int(selected.size()));

        StringEdit slow = start;
        literal::listMenu(slow, index);
        StringEdit fast = start;
        assign(fast, listCommandEdit(fast, index));
        if (fast.marked() != slow.marked()) {
            QFAIL(qPrintable(QStringLiteral("seed %1, case %2: mnuList(%3), start %4\n"
                                            "  fast    %5\n  literal %6")
                                 .arg(propertySeed + 2)
                                 .arg(i)
                                 .arg(index)
                                 .arg(describe(start), describe(fast), describe(slow))));
        }
    }
}

QTEST_GUILESS_MAIN(TestListConversion)
#include "tst_list_conversion.moc"
