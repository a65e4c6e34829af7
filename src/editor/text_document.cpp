#include "editor/text_document.h"

#include "editor/soft_breaks.h"
#include "editor/text_codec.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QPlainTextDocumentLayout>
#include <QTextDocument>

#include <algorithm>

namespace vornel {

namespace {

constexpr char16_t kParagraph = 0x2029;
// Parts in which a very large text is loaded, when the caller follows the progress.
constexpr qsizetype kLoadPart = 8 * 1024 * 1024;
// The character format property of a lookalike's stand-in: the character it stands for.
constexpr int kStandsFor = QTextFormat::UserProperty + 1;

} // namespace

TextDocument::TextDocument(QObject *parent)
    : QObject(parent)
    , m_doc(new QTextDocument(this))
    , m_softLimit(softbreak::kLimit)
{
    m_doc->setDocumentLayout(new QPlainTextDocumentLayout(m_doc));
    m_doc->setUndoRedoEnabled(false);
    connect(m_doc, &QTextDocument::contentsChange, this, &TextDocument::onForeignChange);
}

TextDocument::~TextDocument() = default;

// ---- positions in the text model and the display document ----

TextSlice TextDocument::docSlice(int docPos, int docCount) const
{
    TextSlice slice;
    if (docCount <= 0)
        return slice;
    QTextCursor cursor(m_doc);
    cursor.setPosition(docPos);
    cursor.setPosition(docPos + docCount, QTextCursor::KeepAnchor);
    slice.doc = cursor.selectedText();
    const int first = m_doc->findBlock(docPos).blockNumber();
    const auto count = slice.doc.count(QChar(kParagraph));
    slice.ends.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        slice.ends.push_back(m_ends.at(first + i));
    slice.lookalikes = lookalikesIn(docPos, docCount);
    return slice;
}

void TextDocument::tagLookalikes(int docPos, const std::vector<TextSlice::Lookalike> &lookalikes)
{
    if (lookalikes.empty())
        return;
    m_mayHoldLookalikes = true;
    QTextCursor cursor(m_doc);
    for (const TextSlice::Lookalike &lookalike : lookalikes) {
        QTextCharFormat format;
        format.setProperty(kStandsFor, int(lookalike.ch));
        // Set apart from the marks they look like.
        format.setUnderlineStyle(QTextCharFormat::DotLine);
        cursor.setPosition(docPos + int(lookalike.pos));
        cursor.setPosition(docPos + int(lookalike.pos) + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

std::vector<TextSlice::Lookalike> TextDocument::lookalikesIn(int docPos, int docCount) const
{
    std::vector<TextSlice::Lookalike> found;
    if (!m_mayHoldLookalikes || docCount <= 0)
        return found;
    const int end = docPos + docCount;
    for (QTextBlock block = m_doc->findBlock(docPos); block.isValid() && block.position() < end;
         block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QVariant standsFor = fragment.charFormat().property(kStandsFor);
            if (!standsFor.isValid())
                continue;
            const int to = std::min(fragment.position() + fragment.length(), end);
            for (int pos = std::max(fragment.position(), docPos); pos < to; ++pos)
                found.push_back({pos - docPos, char16_t(standsFor.toInt())});
        }
    }
    return found;
}

int TextDocument::wholeCharacter(int modelPos, bool roundUp) const
{
    if (modelPos <= 0 || modelPos >= length() || !charAt(modelPos).isLowSurrogate()
        || !charAt(modelPos - 1).isHighSurrogate())
        return modelPos;
    return modelPos + (roundUp ? 1 : -1);
}

int TextDocument::docToModel(int docPos) const
{
    const int block = std::max(m_doc->findBlock(docPos).blockNumber(), 0);
    return docPos - block + m_ends.widthBefore(block);
}

int TextDocument::blockModelStart(int blockNumber) const
{
    return m_doc->findBlockByNumber(blockNumber).position() - blockNumber + m_ends.widthBefore(blockNumber);
}

bool TextDocument::isSoftEnd(int blockNumber) const
{
    return blockNumber >= 0 && blockNumber < m_doc->blockCount() - 1 && m_ends.at(blockNumber) == LineEnd::Soft;
}

int TextDocument::docToShown(int docPos) const
{
    const int block = std::max(m_doc->findBlock(docPos).blockNumber(), 0);
    return docPos - m_ends.softBefore(block);
}

bool TextDocument::splitsWord(int docPos) const
{
    const QTextBlock block = m_doc->findBlock(docPos);
    const bool beside = (docPos == block.position() && isSoftEnd(block.blockNumber() - 1))
        || (docPos == block.position() + block.length() - 1 && isSoftEnd(block.blockNumber()));
    const int model = docToModel(docPos);
    return beside && charAt(model - 1).isLetterOrNumber() && charAt(model).isLetterOrNumber();
}

bool TextDocument::stopsAtSoftBreak(int from, int to, bool byWord) const
{
    return to != from && (docToModel(to) == docToModel(from) || (byWord && splitsWord(to)));
}

int TextDocument::shownToDoc(int shownPos) const
{
    // The n-th soft break stands in displayText() at the end of its paragraph less the n
    // breaks before it; count those before shownPos.
    int lo = 0;
    int hi = m_ends.softCount();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        const QTextBlock block = m_doc->findBlockByNumber(m_ends.soft(mid));
        if (block.position() + block.length() - 1 - mid < shownPos)
            lo = mid + 1;
        else
            hi = mid;
    }
    return shownPos + lo;
}

int TextDocument::modelToDoc(int modelPos, bool roundUp) const
{
    modelPos = std::clamp(modelPos, 0, length());
    // The last line starting at or before modelPos.
    int lo = 0;
    int hi = m_doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (blockModelStart(mid) <= modelPos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = m_doc->findBlockByNumber(lo);
    const int offset = modelPos - blockModelStart(lo);
    const int lineLength = block.length() - 1;
    if (offset <= lineLength)
        return block.position() + offset;
    // Between the CR and the LF of a pair.
    return block.position() + lineLength + (roundUp ? 1 : 0);
}

// ---- whole text ----

QString TextDocument::text() const
{
    TextSlice slice;
    slice.doc = m_doc->toRawText();
    slice.ends = m_ends.kinds(m_doc->blockCount() - 1);
    slice.lookalikes = lookalikesIn(0, int(slice.doc.size()));
    return codec::textOfSlice(slice);
}

QString TextDocument::displayText() const
{
    const QString raw = m_doc->toRawText();
    const int softCount = m_ends.softCount();
    if (softCount == 0)
        return raw;
    QString shown;
    shown.reserve(raw.size() - softCount);
    qsizetype copied = 0;
    for (int n = 0; n < softCount; ++n) {
        const QTextBlock block = m_doc->findBlockByNumber(m_ends.soft(n));
        const qsizetype at = block.position() + block.length() - 1;
        shown.append(QStringView(raw).mid(copied, at - copied));
        copied = at + 1;
    }
    shown.append(QStringView(raw).mid(copied));
    return shown;
}

void TextDocument::setText(const QString &text)
{
    setSlice(sliceOf(text));
}

void TextDocument::setSlice(const TextSlice &slice, const Progress &progress)
{
    m_applying = true;
    const TextSlice shown = softbreak::rebroken(slice, nullptr, m_softLimit);
    const qsizetype size = shown.doc.size();
    if (!progress || size <= 2 * kLoadPart) {
        m_doc->setPlainText(shown.doc);
    } else {
        m_doc->setPlainText(QString());
        QTextCursor cursor(m_doc);
        for (qsizetype done = 0; done < size; done += kLoadPart) {
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(shown.doc.mid(done, kLoadPart));
            progress(int(std::min(done + kLoadPart, size) * 100 / size));
        }
    }
    m_mayHoldLookalikes = false;
    tagLookalikes(0, shown.lookalikes);
    m_applying = false;
    m_ends.clear();
    m_ends.replace(0, 0, shown.ends);
    m_blockCount = m_doc->blockCount();
    clearUndoHistory();
    Q_EMIT replaced();
    Q_EMIT textEdited();
}

int TextDocument::length() const
{
    const int ends = m_doc->blockCount() - 1;
    return m_doc->characterCount() - 1 - ends + m_ends.widthBefore(ends);
}

void TextDocument::setSoftBreakLimit(int limit)
{
    m_softLimit = std::max(limit, 8);
    const QString raw = m_doc->toRawText();
    setSlice({raw, m_ends.kinds(m_doc->blockCount() - 1), lookalikesIn(0, int(raw.size()))});
}

QChar TextDocument::charAt(int index) const
{
    if (index < 0 || index >= length())
        return {};
    const int doc = modelToDoc(index);
    const QTextBlock block = m_doc->findBlock(doc);
    const int lineEnd = block.position() + block.length() - 1;
    if (doc < lineEnd) {
        const std::vector<TextSlice::Lookalike> lookalike = lookalikesIn(doc, 1);
        return QChar(lookalike.empty() ? codec::textOf(m_doc->characterAt(doc).unicode()) : lookalike[0].ch);
    }
    const LineEnd kind = m_ends.at(block.blockNumber());
    if (kind == LineEnd::Lf)
        return QChar(u'\n');
    // At a CR LF pair: modelToDoc rounded a position inside the pair down to the pair.
    if (kind == LineEnd::CrLf && docToModel(doc) != index)
        return QChar(u'\n');
    return QChar(u'\r');
}

void TextDocument::loadBytes(const QByteArray &bytes, const Progress &progress)
{
    loadChecked(bytes, codec::detectEncoding(bytes), progress);
}

void TextDocument::loadBytes(const QByteArray &bytes, Encoding encoding, const Progress &progress)
{
    loadChecked(bytes, isUtf8(encoding) && !codec::isStrictUtf8(bytes) ? Encoding::Windows1252 : encoding, progress);
}

void TextDocument::loadChecked(const QByteArray &bytes, Encoding encoding, const Progress &progress)
{
    const bool changed = encoding != m_encoding;
    m_encoding = encoding;
    if (isUtf8(encoding))
        setSlice(codec::sliceOfUtf8(codec::withoutBom(bytes, encoding)), progress);
    else
        setSlice(codec::sliceOfBytes(bytes), progress);
    if (changed)
        Q_EMIT encodingChanged();
}

QByteArray TextDocument::toBytes() const
{
    const QString raw = m_doc->toRawText();
    TextSlice slice{raw, m_ends.kinds(m_doc->blockCount() - 1), lookalikesIn(0, int(raw.size()))};
    if (!isUtf8(m_encoding))
        return codec::bytesOfSlice(slice);
    return codec::utf8OfSlice(slice, m_encoding == Encoding::Utf8Bom);
}

QString TextDocument::textRange(int start, int count) const
{
    start = std::clamp(start, 0, length());
    const int end = std::clamp(start + std::max(count, 0), start, length());
    const int a = modelToDoc(start);
    const int b = modelToDoc(end, true);
    QString text = codec::textOfSlice(docSlice(a, b - a));
    // Trim half pairs taken in by rounding outwards.
    const int extraFront = start - docToModel(a);
    const int extraBack = docToModel(b) - end;
    return text.mid(extraFront, text.size() - extraFront - extraBack);
}

// ---- editing and undo ----

std::optional<int> TextDocument::replaceRange(int start, int count, const QString &text)
{
    start = std::clamp(start, 0, length());
    const int end = wholeCharacter(std::clamp(start + std::max(count, 0), start, length()), true);
    start = wholeCharacter(start, false);
    if (end == start && text.isEmpty())
        return std::nullopt;
    const int a = modelToDoc(start);
    const int b = modelToDoc(end, true);
    // An end inside a CR LF pair keeps the half of the pair that lies outside the range.
    const QString prefix = docToModel(a) != start ? QStringLiteral("\r") : QString();
    const QString suffix = docToModel(b) != end ? QStringLiteral("\n") : QString();
    const TextSlice slice = sliceOf(prefix + text + suffix);
    const DocSpan put = replaceDocRange(a, b - a, slice);
    // Before the LF put back, unless it joined a CR at the end of text into a pair.
    return put.end - (int(slice.doc.size()) - std::min(int(sliceOf(prefix + text).doc.size()), int(slice.doc.size())));
}

void TextDocument::applyEdit(int docPos, int docCount, const TextSlice &replacement)
{
    QTextDocument *doc = m_doc;
    const int first = doc->findBlock(docPos).blockNumber();
    const int last = doc->findBlock(docPos + docCount).blockNumber();
    m_ends.replace(first, last - first, replacement.ends);
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
    m_blockCount = doc->blockCount();
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
    const bool joinBefore = head < least && isSoftEnd(first.blockNumber() - 1);
    const bool joinAfter = tail < least && isSoftEnd(last.blockNumber());
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

TextDocument::DocSpan TextDocument::replaceDocRange(int docPos, int docCount, const TextSlice &replacement, bool typing)
{
    const int size = int(replacement.doc.size());
    if (docCount == 0 && size == 0)
        return {docPos, docPos};
    // Soft breaks alone taken out: the text is as it was.
    const int first = m_doc->findBlock(docPos).blockNumber();
    if (size == 0 && m_doc->findBlock(docPos + docCount).blockNumber() - first == docCount
        && m_ends.softBefore(first + docCount) - m_ends.softBefore(first) == docCount)
        return {docPos, docPos};
    const std::optional<DocSpan> span = rebreakSpan(docPos, docCount, replacement);
    if (!span) {
        TextSlice removed = docSlice(docPos, docCount);
        applyEdit(docPos, docCount, replacement);
        m_history.record({docPos, std::move(removed), replacement}, typing);
        Q_EMIT textEdited();
        return {docPos, docPos + size};
    }
    // Rebuilt from the start of the first paragraph the edit touches to the end of the last.
    TextSlice whole = docSlice(span->start, docPos - span->start);
    std::vector<qsizetype> marks{whole.doc.size()};
    whole.append(replacement);
    marks.push_back(whole.doc.size());
    whole.append(docSlice(docPos + docCount, span->end - docPos - docCount));
    TextSlice rebuilt = softbreak::rebroken(whole, &marks, m_softLimit);
    UndoHistory::Edit edit{span->start, docSlice(span->start, span->end - span->start), std::move(rebuilt)};
    edit.from = docPos - span->start;
    edit.removedTo = docPos + docCount - span->start;
    edit.insertedTo = int(marks[1]);
    const DocSpan put{span->start + int(marks[0]), span->start + int(marks[1])};
    applyEdit(edit.pos, int(edit.removed.doc.size()), edit.inserted);
    m_history.record(std::move(edit), typing);
    Q_EMIT textEdited();
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
    Q_EMIT textEdited();
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
    Q_EMIT textEdited();
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
    const int count = doc->blockCount();
    const int first = std::max(doc->findBlock(position).blockNumber(), 0);
    const int endPos = std::min(position + added, doc->characterCount() - 1);
    const int addedEnds = std::max(doc->findBlock(endPos).blockNumber(), first) - first;
    const int removedEnds = addedEnds - (count - m_blockCount);
    if (removedEnds >= 0)
        m_ends.replace(first, removedEnds, std::vector<LineEnd>(std::size_t(addedEnds), LineEnd::CrLf));
    else
        m_ends.clear();
    m_blockCount = count;
    clearUndoHistory();
    Q_EMIT textEdited();
}

} // namespace vornel
