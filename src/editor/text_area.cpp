#include "editor/text_area.h"

#include "editor/text_codec.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
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

TextArea::TextArea(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("Text1"));
    document()->setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(document(), &QTextDocument::contentsChange, this, &TextArea::onForeignChange);
}

TextArea::~TextArea() = default;

// ---- positions in the text model and the display document ----

TextSlice TextArea::docSlice(int docPos, int docCount) const
{
    TextSlice slice;
    if (docCount <= 0)
        return slice;
    QTextCursor cursor(document());
    cursor.setPosition(docPos);
    cursor.setPosition(docPos + docCount, QTextCursor::KeepAnchor);
    slice.doc = cursor.selectedText();
    const int first = document()->findBlock(docPos).blockNumber();
    const auto count = slice.doc.count(QChar(kParagraph));
    slice.ends.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        slice.ends.push_back(m_ends.at(first + i));
    slice.lookalikes = lookalikesIn(docPos, docCount);
    return slice;
}

void TextArea::tagLookalikes(int docPos, const std::vector<TextSlice::Lookalike> &lookalikes)
{
    if (lookalikes.empty())
        return;
    m_mayHoldLookalikes = true;
    QTextCursor cursor(document());
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

std::vector<TextSlice::Lookalike> TextArea::lookalikesIn(int docPos, int docCount) const
{
    std::vector<TextSlice::Lookalike> found;
    if (!m_mayHoldLookalikes || docCount <= 0)
        return found;
    const int end = docPos + docCount;
    for (QTextBlock block = document()->findBlock(docPos); block.isValid() && block.position() < end;
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

int TextArea::wholeCharacter(int modelPos, bool roundUp) const
{
    if (modelPos <= 0 || modelPos >= length() || !charAt(modelPos).isLowSurrogate()
        || !charAt(modelPos - 1).isHighSurrogate())
        return modelPos;
    return modelPos + (roundUp ? 1 : -1);
}

int TextArea::docToModel(int docPos) const
{
    const int block = document()->findBlock(docPos).blockNumber();
    return docPos + m_ends.crlfBefore(std::max(block, 0));
}

int TextArea::blockModelStart(int blockNumber) const
{
    return document()->findBlockByNumber(blockNumber).position() + m_ends.crlfBefore(blockNumber);
}

int TextArea::modelToDoc(int modelPos, bool roundUp) const
{
    modelPos = std::clamp(modelPos, 0, length());
    // The last line starting at or before modelPos.
    int lo = 0;
    int hi = document()->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (blockModelStart(mid) <= modelPos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = document()->findBlockByNumber(lo);
    const int offset = modelPos - blockModelStart(lo);
    const int lineLength = block.length() - 1;
    if (offset <= lineLength)
        return block.position() + offset;
    // Between the CR and the LF of a pair.
    return block.position() + lineLength + (roundUp ? 1 : 0);
}

// ---- whole text ----

QString TextArea::text() const
{
    TextSlice slice;
    slice.doc = document()->toRawText();
    slice.ends = m_ends.kinds(document()->blockCount() - 1);
    slice.lookalikes = lookalikesIn(0, int(slice.doc.size()));
    return codec::textOfSlice(slice);
}

QString TextArea::displayText() const
{
    return document()->toRawText();
}

void TextArea::setText(const QString &text)
{
    setSlice(sliceOf(text));
}

void TextArea::setSlice(const TextSlice &slice, const Progress &progress)
{
    m_applying = true;
    if (m_mayHoldLookalikes) {
        // The new text takes the caret's format, which may be a lookalike's.
        QTextCursor plain = textCursor();
        plain.clearSelection();
        plain.setCharFormat(QTextCharFormat());
        setTextCursor(plain);
    }
    const qsizetype size = slice.doc.size();
    if (!progress || size <= 2 * kLoadPart) {
        QPlainTextEdit::setPlainText(slice.doc);
    } else {
        QPlainTextEdit::setPlainText(QString());
        QTextCursor cursor(document());
        for (qsizetype done = 0; done < size; done += kLoadPart) {
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(slice.doc.mid(done, kLoadPart));
            progress(int(std::min(done + kLoadPart, size) * 100 / size));
        }
        selectDocRange(0, 0);
    }
    m_mayHoldLookalikes = false;
    tagLookalikes(0, slice.lookalikes);
    m_applying = false;
    m_ends.clear();
    m_ends.replace(0, 0, slice.ends);
    m_blockCount = document()->blockCount();
    clearUndoHistory();
    Q_EMIT textEdited();
}

int TextArea::length() const
{
    const int ends = document()->blockCount() - 1;
    return document()->characterCount() - 1 + (ends - m_ends.loneCount());
}

QChar TextArea::charAt(int index) const
{
    if (index < 0 || index >= length())
        return {};
    const int doc = modelToDoc(index);
    const QTextBlock block = document()->findBlock(doc);
    const int lineEnd = block.position() + block.length() - 1;
    if (doc < lineEnd) {
        const std::vector<TextSlice::Lookalike> lookalike = lookalikesIn(doc, 1);
        return QChar(lookalike.empty() ? codec::textOf(document()->characterAt(doc).unicode()) : lookalike[0].ch);
    }
    const LineEnd kind = m_ends.at(block.blockNumber());
    if (kind == LineEnd::Lf)
        return QChar(u'\n');
    // At a CR LF pair: modelToDoc rounded a position inside the pair down to the pair.
    if (kind == LineEnd::CrLf && docToModel(doc) != index)
        return QChar(u'\n');
    return QChar(u'\r');
}

void TextArea::loadBytes(const QByteArray &bytes, const Progress &progress)
{
    loadChecked(bytes, codec::detectEncoding(bytes), progress);
}

void TextArea::loadBytes(const QByteArray &bytes, Encoding encoding, const Progress &progress)
{
    loadChecked(bytes, isUtf8(encoding) && !codec::isStrictUtf8(bytes) ? Encoding::Windows1252 : encoding, progress);
}

void TextArea::loadChecked(const QByteArray &bytes, Encoding encoding, const Progress &progress)
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

QByteArray TextArea::toBytes() const
{
    const QString raw = document()->toRawText();
    TextSlice slice{raw, m_ends.kinds(document()->blockCount() - 1), lookalikesIn(0, int(raw.size()))};
    if (!isUtf8(m_encoding))
        return codec::bytesOfSlice(slice);
    return codec::utf8OfSlice(slice, m_encoding == Encoding::Utf8Bom);
}

QString TextArea::textRange(int start, int count) const
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

// ---- selection ----

int TextArea::selStart() const
{
    return docToModel(textCursor().selectionStart());
}

int TextArea::selLength() const
{
    const QTextCursor cursor = textCursor();
    return docToModel(cursor.selectionEnd()) - docToModel(cursor.selectionStart());
}

QString TextArea::selText() const
{
    const QTextCursor cursor = textCursor();
    return codec::textOfSlice(docSlice(cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()));
}

void TextArea::selectDocRange(int anchor, int position)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void TextArea::setSelStart(int start)
{
    const int doc = modelToDoc(wholeCharacter(start, false));
    selectDocRange(doc, doc);
}

void TextArea::setSelLength(int count)
{
    const int start = selStart();
    const int end = wholeCharacter(std::clamp(start + std::max(count, 0), start, length()), true);
    selectDocRange(modelToDoc(start), modelToDoc(end, true));
}

void TextArea::setSelText(const QString &text)
{
    replaceSelection(text);
}

void TextArea::replaceSelection(const QString &text, bool typing)
{
    const QTextCursor cursor = textCursor();
    const int a = cursor.selectionStart();
    const TextSlice slice = sliceOf(text);
    replaceDocRange(a, cursor.selectionEnd() - a, slice, typing);
    selectDocRange(a + int(slice.doc.size()), a + int(slice.doc.size()));
}

void TextArea::replaceRange(int start, int count, const QString &text)
{
    start = std::clamp(start, 0, length());
    const int end = wholeCharacter(std::clamp(start + std::max(count, 0), start, length()), true);
    start = wholeCharacter(start, false);
    if (end == start && text.isEmpty())
        return;
    const int a = modelToDoc(start);
    const int b = modelToDoc(end, true);
    // An end inside a CR LF pair keeps the half of the pair that lies outside the range.
    const QString prefix = docToModel(a) != start ? QStringLiteral("\r") : QString();
    const QString suffix = docToModel(b) != end ? QStringLiteral("\n") : QString();
    const TextSlice slice = sliceOf(prefix + text + suffix);
    replaceDocRange(a, b - a, slice);
    const int caret = a + std::min(int(sliceOf(prefix + text).doc.size()), int(slice.doc.size()));
    selectDocRange(caret, caret);
}

// ---- editing and undo ----

void TextArea::applyEdit(int docPos, int docCount, const TextSlice &replacement)
{
    QTextDocument *doc = document();
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

void TextArea::asOneDocumentChange(const std::function<void()> &edit)
{
    // The document reports its change when the block ends; it is ours, not a foreign one.
    const bool outer = !m_batch;
    m_batch = true;
    QTextCursor block(document());
    block.beginEditBlock();
    edit();
    block.endEditBlock();
    if (outer)
        m_batch = false;
}

void TextArea::replaceEach(const QList<int> &starts, int count, const QString &text)
{
    if (starts.isEmpty())
        return;
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
    replaceRange(first, end - first, rebuilt);
}

void TextArea::replaceDocRange(int docPos, int docCount, const TextSlice &replacement, bool typing)
{
    if (docCount == 0 && replacement.doc.isEmpty())
        return;
    UndoHistory::Edit edit{docPos, docSlice(docPos, docCount), replacement};
    applyEdit(docPos, docCount, replacement);
    m_history.record(std::move(edit), typing);
    Q_EMIT textEdited();
}

bool TextArea::canUndo() const
{
    return m_history.canUndo();
}

bool TextArea::canRedo() const
{
    return m_history.canRedo();
}

void TextArea::undo()
{
    const std::vector<UndoHistory::Edit> *edits = m_history.undo();
    if (!edits)
        return;
    asOneDocumentChange([&] {
        for (auto it = edits->rbegin(); it != edits->rend(); ++it)
            applyEdit(it->pos, int(it->inserted.doc.size()), it->removed);
    });
    const UndoHistory::Edit &first = edits->front();
    selectDocRange(first.pos, first.pos + int(first.removed.doc.size()));
    Q_EMIT textEdited();
}

void TextArea::redo()
{
    const std::vector<UndoHistory::Edit> *edits = m_history.redo();
    if (!edits)
        return;
    asOneDocumentChange([&] {
        for (const UndoHistory::Edit &edit : *edits)
            applyEdit(edit.pos, int(edit.removed.doc.size()), edit.inserted);
    });
    const UndoHistory::Edit &last = edits->back();
    const int caret = last.pos + int(last.inserted.doc.size());
    selectDocRange(caret, caret);
    Q_EMIT textEdited();
}

void TextArea::clearUndoHistory()
{
    m_history.clear();
}

void TextArea::beginEditGroup()
{
    m_history.beginGroup();
}

void TextArea::endEditGroup()
{
    m_history.endGroup();
}

void TextArea::onForeignChange(int position, int removed, int added)
{
    Q_UNUSED(removed);
    if (m_applying || m_batch)
        return;
    // A change that bypassed replaceDocRange (for instance text dragged out to another
    // window): its new line ends count as CR LF, and its undo history is gone.
    QTextDocument *doc = document();
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
