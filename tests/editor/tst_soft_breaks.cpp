#include "editor/soft_breaks.h"
#include "editor/text_area.h"
#include "editor/text_codec.h"
#include "editor/text_document.h"
#include "search/text_search.h"

#include <QRandomGenerator>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextDocument>
#include <QtTest>

using namespace vornel;

namespace {

constexpr int kLimit = 16;
constexpr char16_t kParagraph = 0x2029;
constexpr char16_t kLine = 0x2028;

// Long runs without line ends, with and without places to break after.
const QStringList kPieces = {
    QStringLiteral("<P>"), QStringLiteral("abcdefg"), QStringLiteral("xyz"), QStringLiteral(" "),
    QStringLiteral("hijklmnopqrstuvwxyz0123456789"), QStringLiteral("</A>"), QStringLiteral("\t"),
    QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r"),
};

// A UTF-8 text may also hold a lookalike (U+2028, held as a stand-in on screen). Short lines
// come as often as long ones when asked for, so that lines can be grouped.
QString randomText(QRandomGenerator &rng, int pieces, bool utf8 = false, bool shortLines = false)
{
    QString text;
    for (int i = 0; i < pieces; ++i) {
        const int pick = int(rng.bounded(int(kPieces.size()) + 20));
        // Line ends rarely, so that most lines are many times the limit.
        text += pick < int(kPieces.size()) ? kPieces[pick] : kPieces[pick % 7];
        if (shortLines && pick % 3 == 0)
            text += kPieces[7 + pick % 3];
        if (utf8 && pick % 5 == 0)
            text += pick % 2 ? QStringLiteral("\u00E9") : QStringLiteral("\u2028");
    }
    return text;
}

// The text of the first count display characters of a slice.
QString textBefore(const TextSlice &slice, qsizetype count)
{
    TextSlice part;
    part.doc = slice.doc.left(count);
    part.ends.assign(slice.ends.begin(), slice.ends.begin() + part.doc.count(QChar(kParagraph)));
    for (const TextSlice::Lookalike &l : slice.lookalikes) {
        if (l.pos < count)
            part.lookalikes.push_back(l);
    }
    return codec::textOfSlice(part);
}

// The plain string's own undo history, to hold the text's against.
struct StringHistory {
    std::vector<QString> undone;
    std::vector<QString> redone;

    // After a command: a change is one more step and what was undone is gone; false when
    // nothing the string can tell changed, and the histories start afresh.
    bool record(const QString &before, const QString &now)
    {
        redone.clear();
        if (now == before) {
            undone.clear();
            return false;
        }
        undone.push_back(before);
        return true;
    }
    void undo(QString &model) { step(undone, redone, model); }
    void redo(QString &model) { step(redone, undone, model); }

private:
    static void step(std::vector<QString> &from, std::vector<QString> &to, QString &model)
    {
        to.push_back(model);
        model = from.back();
        from.pop_back();
    }
};

// Where Replace All replaces "xyz".
QList<int> startsOfXyz(const QString &model)
{
    QList<int> starts;
    for (qsizetype i = model.indexOf(QStringLiteral("xyz")); i >= 0; i = model.indexOf(QStringLiteral("xyz"), i + 3))
        starts.append(int(i));
    return starts;
}

} // namespace

class TestSoftBreaks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_area = new TextArea;
        m_area->setSoftBreakLimit(kLimit);
        m_area->resize(900, 400);
        m_area->show();
    }
    void cleanup() { delete m_area; }

    void rebrokenKeepsTheTextAndBreaksWhereWrappingWould()
    {
        QRandomGenerator rng(15);
        for (int round = 0; round < 300; ++round) {
            // UTF-8 slices may carry lookalikes (here U+2028), which must move with the text.
            const QString text = randomText(rng, 1 + int(rng.bounded(60))) + (round % 3 ? QString() : QStringLiteral("\u2028\U0001F600"));
            const TextSlice slice = codec::sliceOfText(text, round % 2 ? Encoding::Utf8 : Encoding::Windows1252);
            std::vector<qsizetype> marks;
            for (int i = 0; i < 4; ++i)
                marks.push_back(rng.bounded(int(slice.doc.size()) + 1));
            std::vector<qsizetype> moved = marks;
            const TextSlice broken = softbreak::rebroken(slice, &moved, kLimit);
            const QString where = QStringLiteral("round %1: %2").arg(round).arg(text);

            QCOMPARE(codec::textOfSlice(broken), codec::textOfSlice(slice));
            for (std::size_t i = 0; i < marks.size(); ++i) {
                QVERIFY2(textBefore(broken, moved[i]) == textBefore(slice, marks[i]), qPrintable(where));
                // A mark where a break now stands stays before it.
                QVERIFY2(moved[i] == 0 || broken.doc[moved[i] - 1] != QChar(kParagraph)
                             || broken.ends[std::size_t(broken.doc.left(moved[i]).count(QChar(kParagraph)) - 1)] != LineEnd::Soft,
                         qPrintable(where));
            }
            // Paragraphs: soft ones between half and one and a half limits, ending after the
            // last ">" or blank of the second half of the limit when there is one; lines
            // within twice the limit untouched.
            qsizetype start = 0;
            std::size_t end = 0;
            LineEnd before = LineEnd::CrLf;
            for (qsizetype at = 0; at <= broken.doc.size(); ++at) {
                if (at < broken.doc.size() && broken.doc[at] != QChar(kParagraph))
                    continue;
                const LineEnd after = at < broken.doc.size() ? broken.ends[end++] : LineEnd::CrLf;
                const qsizetype length = at - start;
                if (before == LineEnd::Soft || after == LineEnd::Soft) {
                    QVERIFY2(length > kLimit / 2 && length <= kLimit + kLimit / 2, qPrintable(where));
                } else {
                    QVERIFY2(length <= 2 * kLimit, qPrintable(where));
                }
                if (after == LineEnd::Soft) {
                    const QStringView window = QStringView(broken.doc).mid(start + kLimit / 2, kLimit / 2);
                    const bool natural = window.contains(u'>') || window.contains(u' ') || window.contains(u'\t');
                    const QChar last = broken.doc[at - 1];
                    QVERIFY2(!natural || last == u'>' || last == u' ' || last == u'\t', qPrintable(where));
                    QVERIFY2(!last.isHighSurrogate(), qPrintable(where));
                }
                before = after;
                start = at + 1;
            }
            // Breaking again changes nothing.
            const TextSlice again = softbreak::rebroken(broken, nullptr, kLimit);
            QCOMPARE(again.doc, broken.doc);
            QVERIFY(again.ends == broken.ends);
            QVERIFY(again.lookalikes == broken.lookalikes);
        }
    }

    // Every random edit test runs on a text with a paragraph per line and on one that holds
    // three lines per paragraph, as a large page is held.
    void randomEditsAgreeWithString_data() { groupingRows(); }
    void randomDocumentEditsAgreeWithString_data() { groupingRows(); }

    // Random long-line texts and random edits by keys, commands, paste, undo and redo: the
    // text area always agrees with a plain string, and its paragraphs stay near the limit.
    void randomEditsAgreeWithString()
    {
        QFETCH(int, lines);
        m_area->textDocument().setLineGrouping(lines, 0);
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        int softBreaksSeen = 0;
        int groupedSeen = 0;
        for (int file = 0; file < 20; ++file) {
            const bool utf8 = file % 2;
            QString model = (utf8 ? QStringLiteral("\u00E9") : QString()) + randomText(rng, 10 + int(rng.bounded(40)), utf8, lines > 1);
            m_area->loadBytes(utf8 ? model.toUtf8() : model.toLatin1());
            StringHistory history;
            for (int step = 0; step < 80; ++step) {
                const QString before = model;
                const int op = int(rng.bounded(10));
                const QString where = QStringLiteral("seed %1 file %2 step %3 op %4").arg(seed).arg(file).arg(step).arg(op);
                const int at = int(rng.bounded(model.size() + 1));
                if (op <= 5)
                    m_area->setSelStart(at);
                // End reaches the end of a paragraph, before a soft break.
                if (op == 1 || op == 3)
                    QTest::keyClick(m_area, Qt::Key_End);
                const int caret = m_area->selStart();
                // One undo step per operation: typing would otherwise run on into the next.
                m_area->beginEditGroup();
                if (op <= 1) {
                    const QString typed = kPieces[rng.bounded(7)];
                    QTest::keyClicks(m_area, typed);
                    model.insert(caret, typed);
                } else if (op <= 3) {
                    const bool back = rng.bounded(2) == 0;
                    QTest::keyClick(m_area, back ? Qt::Key_Backspace : Qt::Key_Delete);
                    const int from = back ? caret - 1 : caret;
                    if (from >= 0 && from < model.size()) {
                        const bool pair = model.mid(from - (back ? 1 : 0), 2) == QStringLiteral("\r\n");
                        model.remove(back && pair ? from - 1 : from, pair ? 2 : 1);
                    }
                } else if (op == 4) {
                    QTest::keyClick(m_area, Qt::Key_Return);
                    model.insert(caret, QStringLiteral("\r\n"));
                } else if (op == 5) {
                    // A paste of a long text, over a selection.
                    const QString pasted = randomText(rng, int(rng.bounded(30)), utf8, lines > 1);
                    // An end inside a CR LF pair takes in the whole pair.
                    m_area->setSelLength(int(rng.bounded(model.size() - caret + 1)));
                    const int count = m_area->selLength();
                    m_area->setSelText(pasted);
                    model.replace(caret, count, pasted);
                } else if (op == 6) {
                    const int count = int(rng.bounded(model.size() - at + 1));
                    const QString put = randomText(rng, int(rng.bounded(3)), utf8, lines > 1);
                    m_area->replaceRange(at, count, put);
                    model.replace(at, count, put);
                } else if (op == 7 && !history.undone.empty()) {
                    m_area->undo();
                    history.undo(model);
                } else if (op == 8 && !history.redone.empty()) {
                    m_area->redo();
                    history.redo(model);
                } else if (op == 9) {
                    // Replace All, as the search runs it.
                    const QString with = randomText(rng, int(rng.bounded(2)), utf8, lines > 1);
                    m_area->replaceEach(startsOfXyz(model), 3, with);
                    model.replace(QStringLiteral("xyz"), with);
                }
                m_area->endEditGroup();
                QVERIFY2(m_area->text() == model, qPrintable(where));
                QCOMPARE(m_area->toBytes(), utf8 ? model.toUtf8() : model.toLatin1());
                QCOMPARE(m_area->length(), int(model.size()));
                // No change, or none the string could tell: start the histories afresh.
                if ((op < 7 || op == 9) && !history.record(before, model))
                    m_area->clearUndoHistory();
                checkParagraphs(where);
                if (QTest::currentTestFailed())
                    return;
                softBreaksSeen += m_area->document()->blockCount() - 1 - int(m_area->displayText().count(QChar(kParagraph)));
                groupedSeen += int(m_area->document()->toRawText().count(QChar(kLine)));
                const int from = int(rng.bounded(model.size() + 1));
                QCOMPARE(m_area->textRange(from, 40), model.mid(from, 40));
            }
            checkCaretWalk();
            if (QTest::currentTestFailed())
                return;
        }
        QVERIFY(softBreaksSeen > 1000);
        QCOMPARE(groupedSeen > 1000, lines > 1);
    }

    // The same with no widget at all: random loads, replacements, Replace All, undo and redo
    // on the document alone agree with a plain string, and its paragraphs stay near the limit.
    void randomDocumentEditsAgreeWithString()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        TextDocument document;
        document.setSoftBreakLimit(kLimit);
        QFETCH(int, lines);
        document.setLineGrouping(lines, 0);
        for (int file = 0; file < 20; ++file) {
            const bool utf8 = file % 2;
            QString model = (utf8 ? QStringLiteral("\u00E9") : QString()) + randomText(rng, 10 + int(rng.bounded(40)), utf8, lines > 1);
            document.loadBytes(utf8 ? model.toUtf8() : model.toLatin1());
            QCOMPARE(isUtf8(document.encoding()), utf8);
            QCOMPARE(document.isGrouped(), lines > 1);
            StringHistory history;
            for (int step = 0; step < 80; ++step) {
                const QString before = model;
                const int op = int(rng.bounded(4));
                const QString where = QStringLiteral("seed %1 file %2 step %3 op %4").arg(seed).arg(file).arg(step).arg(op);
                const int at = int(rng.bounded(model.size() + 1));
                if (op == 0) {
                    // An end inside a CR LF pair keeps the half outside the range.
                    const int count = int(rng.bounded(model.size() - at + 1));
                    const QString put = randomText(rng, int(rng.bounded(4)), utf8, lines > 1);
                    document.replaceRange(at, count, put);
                    model.replace(at, count, put);
                } else if (op == 1 && !history.undone.empty()) {
                    QVERIFY(document.undo());
                    history.undo(model);
                } else if (op == 2 && !history.redone.empty()) {
                    QVERIFY(document.redo());
                    history.redo(model);
                } else if (op == 3) {
                    const QString with = randomText(rng, int(rng.bounded(2)), utf8, lines > 1);
                    document.replaceEach(startsOfXyz(model), 3, with);
                    model.replace(QStringLiteral("xyz"), with);
                }
                QVERIFY2(document.text() == model, qPrintable(where));
                QCOMPARE(document.toBytes(), utf8 ? model.toUtf8() : model.toLatin1());
                QCOMPARE(document.length(), int(model.size()));
                // Every change marks the document changed, until it is marked saved.
                if (model != before)
                    QVERIFY2(document.isChanged(), qPrintable(where));
                document.setChanged(false);
                if ((op == 0 || op == 3) && !history.record(before, model))
                    document.clearUndoHistory();
                checkParagraphs(document, where);
                if (QTest::currentTestFailed())
                    return;
                const int from = int(rng.bounded(model.size() + 1));
                QCOMPARE(document.textRange(from, 40), model.mid(from, 40));
                QCOMPARE(document.charAt(from), from < model.size() ? model[from] : QChar());
            }
        }
    }

    void typingInALongLineIsOneUndoStep()
    {
        const QString line = QString(5 * kLimit, u'a');
        m_area->setText(line);
        m_area->setSelStart(3 * kLimit);
        const QString typed = QString(3 * kLimit, u'b');
        QTest::keyClicks(m_area, typed);
        QCOMPARE(m_area->selStart(), 6 * kLimit);
        checkParagraphs(QStringLiteral("typed"));
        m_area->undo();
        QCOMPARE(m_area->text(), line);
        QCOMPARE(m_area->selStart(), 3 * kLimit);
        QVERIFY(!m_area->canUndo());
        m_area->redo();
        QCOMPARE(m_area->text(), QString(line).insert(3 * kLimit, typed));
    }

    void displayTextLeavesSoftBreaksOut()
    {
        const QString text = QStringLiteral("<P>") + QString(4 * kLimit, u'x') + QStringLiteral("\r\n<B>end</B>");
        m_area->setText(text);
        QVERIFY(m_area->document()->blockCount() > 2);
        const QString shown = m_area->displayText();
        QCOMPARE(shown, codec::sliceOfText(text).doc);
        for (int pos = 0; pos <= text.size(); ++pos) {
            if (pos > 0 && text.mid(pos - 1, 2) == QStringLiteral("\r\n"))
                continue;
            QCOMPARE(m_area->modelPosition(m_area->displayPosition(pos)), pos);
        }
    }

    // With no place to break after, breaks split a word; word keys and a double-click still
    // take it as one.
    void wordKeysAndDoubleClickTakeASplitWordWhole()
    {
        const QString word = QString(4 * kLimit, u'w');
        m_area->setText(QStringLiteral("<P>") + word + QStringLiteral(" end"));
        QVERIFY(m_area->document()->blockCount() > 2);
        m_area->setSelStart(3);
        QTest::keyClick(m_area, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(m_area->selStart(), 3 + int(word.size()) + 1);
        QTest::keyClick(m_area, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(m_area->selText(), word + QLatin1Char(' '));
        // Double-clicked in its middle paragraph.
        const QPoint middle = m_area->cursorRect(QTextCursor(m_area->document()->findBlockByNumber(1))).center();
        QTest::mouseDClick(m_area->viewport(), Qt::LeftButton, {}, middle + QPoint(20, 0));
        QCOMPARE(m_area->selText(), word);
        m_area->setSelStart(3 + int(word.size()));
        QTest::keyClick(m_area, Qt::Key_Backspace, Qt::ControlModifier);
        QCOMPARE(m_area->text(), QStringLiteral("<P> end"));
    }

    // An occurrence across a soft break is found, from either side and in either direction,
    // and selecting it selects exactly it.
    void searchSeesNoSoftBreak()
    {
        const QString text = QString(13, u'x') + QStringLiteral("NEEDLE") + QString(3 * kLimit, u'y');
        m_area->setText(text);
        QVERIFY(m_area->document()->blockCount() > 2);
        TextEdit &target = *m_area;
        for (const bool matchCase : {true, false}) {
            QCOMPARE(target.findText(QStringLiteral("needle"), matchCase, 0, true), matchCase ? -1 : 13);
            QCOMPARE(target.findText(QStringLiteral("NEEDLE"), matchCase, 16, false), 13);
            QCOMPARE(target.findText(QStringLiteral("LEy"), matchCase, 17, true), 17);
        }
        target.select(13, 6);
        QCOMPARE(m_area->selText(), QStringLiteral("NEEDLE"));
        target.replaceEach({13}, 6, QStringLiteral("pin"));
        QCOMPARE(m_area->text(), QString(text).replace(13, 6, QStringLiteral("pin")));
    }

private:
    static void groupingRows()
    {
        QTest::addColumn<int>("lines");
        QTest::newRow("a paragraph per line") << 1;
        QTest::newRow("three lines per paragraph") << 3;
    }

    // Every paragraph within twice the limit; one beside a soft break at least half of it.
    // Which boundaries are soft shows by walking the screen's paragraphs along displayText().
    void checkParagraphs(const QString &where) { checkParagraphs(m_area->textDocument(), where); }
    void checkParagraphs(const TextDocument &document, const QString &where)
    {
        const QString shown = document.displayText();
        qsizetype at = 0;
        bool softBefore = false;
        for (QTextBlock block = document.document()->begin(); block.isValid(); block = block.next()) {
            const QString text = block.text();
            QVERIFY2(QStringView(shown).mid(at, text.size()) == text, qPrintable(where));
            at += text.size();
            const bool softAfter = block.next().isValid() && (at >= shown.size() || shown[at] != QChar(kParagraph));
            if (!softAfter)
                ++at;
            QVERIFY2(text.size() <= 2 * kLimit, qPrintable(where));
            if (softBefore || softAfter)
                QVERIFY2(text.size() >= kLimit / 2, qPrintable(where + QStringLiteral(": ") + text));
            softBefore = softAfter;
        }
        QCOMPARE(at, shown.size() + 1);
    }

    // Right from the start and Left from the end stop once at every character of the text,
    // and with Ctrl every key moves on to the next word: a soft break never takes a key.
    void checkCaretWalk()
    {
        const QString shown = m_area->displayText();
        for (const Qt::KeyboardModifier modifier : {Qt::NoModifier, Qt::ControlModifier}) {
            for (const bool right : {true, false}) {
                m_area->setSelStart(right ? 0 : m_area->length());
                const int goal = right ? m_area->length() : 0;
                int previous = m_area->selStart();
                for (int i = 0; i < shown.size() && previous != goal; ++i) {
                    QTest::keyClick(m_area, right ? Qt::Key_Right : Qt::Key_Left, modifier);
                    const int now = m_area->selStart();
                    QVERIFY2(right ? now > previous : now < previous, qPrintable(QStringLiteral("key %1").arg(i)));
                    previous = now;
                }
                QCOMPARE(previous, goal);
            }
        }
        // Down from the top goes one screen line at a time, over soft breaks as over wrap points.
        int lines = 0;
        for (QTextBlock block = m_area->document()->begin(); block.isValid(); block = block.next()) {
            // Laid out only when asked for; the screen lays out what it shows.
            m_area->document()->documentLayout()->blockBoundingRect(block);
            lines += block.layout()->lineCount();
        }
        QVERIFY(lines >= m_area->document()->blockCount());
        m_area->setSelStart(0);
        for (int line = 1; line < lines; ++line) {
            QTest::keyClick(m_area, Qt::Key_Down);
            QCOMPARE(screenLine(m_area->textCursor()), line);
        }
    }

    // The screen line, counted from the top of the text, that the cursor stands on.
    int screenLine(const QTextCursor &cursor) const
    {
        const QTextBlock here = cursor.block();
        int line = here.layout()->lineForTextPosition(cursor.positionInBlock()).lineNumber();
        for (QTextBlock block = here.previous(); block.isValid(); block = block.previous())
            line += block.layout()->lineCount();
        return line;
    }

    TextArea *m_area = nullptr;
};

QTEST_MAIN(TestSoftBreaks)
#include "tst_soft_breaks.moc"
