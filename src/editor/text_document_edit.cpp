// A text document's edits, their undo history and their keeping paragraphs near the
// soft-break limit.
#include "editor/text_document.h"

#include "editor/line_groups.h"
#include "editor/soft_breaks.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace vornel {

namespace {

constexpr char16_t kParagraph = 0x2029;
constexpr char16_t kLine = 0x2028;

// Where the first and the last line end of either kind stands in text, or -1.
qsizetype firstLineEnd(QStringView text)
{
    const qsizetype paragraph = text.indexOf(QChar(kParagraph));
    const qsizetype line = text.indexOf(QChar(kLine));
    return paragraph < 0 ? line : line < 0 ? paragraph : std::min(paragraph, line);
}

qsizetype lastLineEnd(QStringView text)
{
    return std::max(text.lastIndexOf(QChar(kParagraph)), text.lastIndexOf(QChar(kLine)));
}

} // namespace

// ---- editing and undo ----

std::optional<int> TextDocument::replaceRange(int start, int count, const QString &text)
{
    start = std::clamp(start, 0, length());
    const int end = wholeCharacter(std::clamp(start + std::max(count, 0), start, length()), true);
    start = wholeCharacter(start, false);
    if (end == start && text.isEmpty())
        return std::nullopt;
    int a = modelToDoc(start);
    int b = modelToDoc(end, true);
    // An end inside a CR LF pair keeps the half of the pair that lies outside the range.
    QString prefix = docToModel(a) != start ? QStringLiteral("\r") : QString();
    QString suffix = docToModel(b) != end ? QStringLiteral("\n") : QString();
    // A lone CR and a lone LF the edit puts side by side are the one pair the text then reads.
    const QString whole = prefix + text + suffix;
    const bool crBefore = prefix.isEmpty() && start > 0 && charAt(start - 1) == QLatin1Char('\r');
    const bool lfAfter = suffix.isEmpty() && end < length() && charAt(end) == QLatin1Char('\n');
    if (crBefore && (whole.isEmpty() ? lfAfter : whole.startsWith(QLatin1Char('\n')))) {
        a = modelToDoc(start - 1);
        prefix = QStringLiteral("\r");
    }
    if (lfAfter && (whole.isEmpty() ? crBefore : whole.endsWith(QLatin1Char('\r')))) {
        b = modelToDoc(end + 1, true);
        suffix = QStringLiteral("\n");
    }
    const TextSlice slice = sliceOf(prefix + text + suffix);
    const DocSpan put = replaceDocRange(a, b - a, slice);
    // Before the LF put back, unless it joined a CR at the end of text into a pair.
    return put.end - (int(slice.doc.size()) - std::min(int(sliceOf(prefix + text).doc.size()), int(slice.doc.size())));
}

void TextDocument::applyEdit(int docPos, int docCount, const TextSlice &replacement)
{
    QTextDocument *doc = m_doc;
    const int firstBlock = doc->findBlock(docPos).blockNumber();
    const int lastBlock = doc->findBlock(docPos + docCount).blockNumber();
    const int first = endsBefore(docPos);
    m_ends.replace(first, endsBefore(docPos + docCount) - first, replacement.ends);
    m_applying = true;
    QTextCursor cursor(doc);
    cursor.setPosition(docPos);
    cursor.setPosition(docPos + docCount, QTextCursor::KeepAnchor);
    if (replacement.doc.isEmpty())
        cursor.removeSelectedText();
    else if (m_mayHoldLookalikes)
        // Not in the format of the character before, which may be a lookalike's.
        cursor.insertText(replacement.doc, QTextCharFormat());
    else
        cursor.insertText(replacement.doc);
    tagLookalikes(docPos, replacement.lookalikes);
    m_applying = false;
    recountGroups(firstBlock, lastBlock - firstBlock + 1,
                  int(replacement.doc.count(QChar(kParagraph))) + 1);
    m_endCount = lineEndCount();
}

void TextDocument::asOneDocumentChange(const std::function<void()> &edit)
{
    // The document reports its change when the block ends; it is ours, not a foreign one.
    const bool outer = !m_batch;
    m_batch = true;
    QTextCursor block(m_doc);
    block.beginEditBlock();
    edit();
    block.endEditBlock();
    if (outer)
        m_batch = false;
}

std::optional<int> TextDocument::replaceEach(const QList<int> &starts, int count, const QString &text)
{
    if (starts.isEmpty())
        return std::nullopt;
    // The stretch from the first start to the last end, rebuilt and put back in one piece:
    // much faster than editing each place when there are many, since the document lays out
    // a replaced stretch only as it comes into view.
    const int first = starts.front();
    const int end = starts.back() + count;
    const QString old = textRange(first, end - first);
    QString rebuilt;
    rebuilt.reserve(old.size() + starts.size() * (text.size() - count));
    int copied = 0;
    for (const int start : starts) {
        rebuilt.append(QStringView(old).mid(copied, start - first - copied));
        rebuilt.append(text);
        copied = start - first + count;
    }
    return replaceRange(first, end - first, rebuilt);
}

std::optional<TextDocument::DocSpan> TextDocument::rebreakSpan(int docPos, int docCount, const TextSlice &replacement) const
{
    const QTextBlock first = m_doc->findBlock(docPos);
    const QTextBlock last = m_doc->findBlock(docPos + docCount);
    const qsizetype prefix = docPos - first.position();
    const qsizetype suffix = last.position() + last.length() - 1 - (docPos + docCount);
    const QString &put = replacement.doc;
    // The lengths of the first and the last paragraph the edit leaves.
    qsizetype head = prefix + put.size() + suffix;
    qsizetype tail = head;
    bool tooLong = false;
    if (const qsizetype firstBreak = put.indexOf(QChar(kParagraph)); firstBreak >= 0) {
        const qsizetype lastBreak = put.lastIndexOf(QChar(kParagraph));
        head = prefix + firstBreak;
        tail = put.size() - lastBreak - 1 + suffix;
        for (qsizetype at = firstBreak; !tooLong && at < lastBreak;) {
            const qsizetype next = put.indexOf(QChar(kParagraph), at + 1);
            tooLong = next - at - 1 > softbreak::maximum(m_softLimit);
            at = next;
        }
    }
    const qsizetype most = softbreak::maximum(m_softLimit);
    const qsizetype least = softbreak::minimum(m_softLimit);
    // The first and the last line the edit leaves stand beside the soft breaks before and
    // after it; in a grouped text a paragraph holds more than one line.
    const QString firstText = m_grouping ? first.text() : QString();
    const QString lastText = m_grouping ? last.text() : QString();
    const QStringView before = QStringView(firstText).left(firstText.isEmpty() ? 0 : prefix);
    const QStringView after = QStringView(lastText).right(lastText.isEmpty() ? 0 : suffix);
    qsizetype headLine = prefix + put.size() + suffix;
    if (const qsizetype e = firstLineEnd(before); e >= 0)
        headLine = e;
    else if (const qsizetype e = firstLineEnd(put); e >= 0)
        headLine = prefix + e;
    else if (const qsizetype e = firstLineEnd(after); e >= 0)
        headLine = prefix + put.size() + e;
    qsizetype tailLine = prefix + put.size() + suffix;
    if (const qsizetype e = lastLineEnd(after); e >= 0)
        tailLine = after.size() - e - 1;
    else if (const qsizetype e = lastLineEnd(put); e >= 0)
        tailLine = put.size() - e - 1 + suffix;
    else if (const qsizetype e = lastLineEnd(before); e >= 0)
        tailLine = before.size() - e - 1 + put.size() + suffix;
    const bool joinBefore = headLine < least && isSoftEnd(first.blockNumber() - 1);
    const bool joinAfter = tailLine < least && isSoftEnd(last.blockNumber());
    if (!tooLong && head <= most && tail <= most && !joinBefore && !joinAfter)
        return std::nullopt;
    DocSpan span{first.position(), last.position() + last.length() - 1};
    if (joinBefore)
        span.start = first.previous().position();
    if (joinAfter) {
        const QTextBlock next = last.next();
        span.end = next.position() + next.length() - 1;
    }
    return span;
}

TextDocument::DocSpan TextDocument::replaceDocRange(int docPos, int docCount, const TextSlice &given, bool typing)
{
    TextSlice groupedCopy;
    const TextSlice &replacement = grouped(given, groupedCopy);
    const int size = int(replacement.doc.size());
    if (docCount == 0 && size == 0)
        return {docPos, docPos};
    // Soft breaks alone taken out: the text is as it was.
    const int first = endsBefore(docPos);
    if (size == 0 && endsBefore(docPos + docCount) - first == docCount
        && m_ends.softBefore(first + docCount) - m_ends.softBefore(first) == docCount)
        return {docPos, docPos};
    const std::optional<DocSpan> span = rebreakSpan(docPos, docCount, replacement);
    if (!span) {
        TextSlice removed = docSlice(docPos, docCount);
        applyEdit(docPos, docCount, replacement);
        m_history.record({docPos, std::move(removed), replacement}, typing);
        edited();
        return {docPos, docPos + size};
    }
    // Rebuilt from the start of the first paragraph the edit touches to the end of the last.
    TextSlice whole = docSlice(span->start, docPos - span->start);
    std::vector<qsizetype> marks{whole.doc.size()};
    whole.append(replacement);
    marks.push_back(whole.doc.size());
    whole.append(docSlice(docPos + docCount, span->end - docPos - docCount));
    TextSlice rebuilt = softbreak::rebroken(whole, &marks, m_softLimit);
    if (m_grouping)
        linegroup::group(rebuilt, m_groupLines, m_softLimit);
    UndoHistory::Edit edit{span->start, docSlice(span->start, span->end - span->start), std::move(rebuilt)};
    edit.from = docPos - span->start;
    edit.removedTo = docPos + docCount - span->start;
    edit.insertedTo = int(marks[1]);
    const DocSpan put{span->start + int(marks[0]), span->start + int(marks[1])};
    applyEdit(edit.pos, int(edit.removed.doc.size()), edit.inserted);
    m_history.record(std::move(edit), typing);
    edited();
    return put;
}

bool TextDocument::canUndo() const
{
    return m_history.canUndo();
}

bool TextDocument::canRedo() const
{
    return m_history.canRedo();
}

std::optional<TextDocument::DocSpan> TextDocument::undo()
{
    const std::vector<UndoHistory::Edit> *edits = m_history.undo();
    if (!edits)
        return std::nullopt;
    asOneDocumentChange([&] {
        for (auto it = edits->rbegin(); it != edits->rend(); ++it)
            applyEdit(it->pos, int(it->inserted.doc.size()), it->removed);
    });
    const UndoHistory::Edit &first = edits->front();
    edited();
    return DocSpan{first.changeStart(), first.removedEnd()};
}

std::optional<TextDocument::DocSpan> TextDocument::redo()
{
    const std::vector<UndoHistory::Edit> *edits = m_history.redo();
    if (!edits)
        return std::nullopt;
    asOneDocumentChange([&] {
        for (const UndoHistory::Edit &edit : *edits)
            applyEdit(edit.pos, int(edit.removed.doc.size()), edit.inserted);
    });
    const int caret = edits->back().insertedEnd();
    edited();
    return DocSpan{caret, caret};
}

void TextDocument::clearUndoHistory()
{
    m_history.clear();
}

void TextDocument::beginEditGroup()
{
    m_history.beginGroup();
}

void TextDocument::endEditGroup()
{
    m_history.endGroup();
}

void TextDocument::onForeignChange(int position, int removed, int added)
{
    Q_UNUSED(removed);
    if (m_applying || m_batch)
        return;
    // A change that bypassed replaceDocRange (for instance text dragged out to another
    // window): its new line ends count as CR LF, and its undo history is gone.
    QTextDocument *doc = m_doc;
    const int endPos = std::min(position + added, doc->characterCount() - 1);
    for (int pos = position; !m_grouping && pos < endPos; ++pos)
        m_grouping = doc->characterAt(pos) == QChar(0x2028);
    if (m_grouping)
        recountGroups(0, int(m_grouped.size()), doc->blockCount());
    const int first = endsBefore(position);
    const int addedEnds = std::max(endsBefore(endPos) - first, 0);
    const int removedEnds = addedEnds - (lineEndCount() - m_endCount);
    if (removedEnds >= 0)
        m_ends.replace(first, removedEnds, std::vector<LineEnd>(std::size_t(addedEnds), LineEnd::CrLf));
    else
        m_ends.clear();
    m_endCount = lineEndCount();
    clearUndoHistory();
    edited();
}

} // namespace vornel
