#include "editor/text_document.h"

#include "editor/line_groups.h"
#include "editor/soft_breaks.h"
#include "editor/text_codec.h"
#include "editor/text_find.h"

#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace vornel {

namespace {

constexpr char16_t kParagraph = 0x2029;
constexpr char16_t kLine = 0x2028;
// Parts in which a very large text is loaded, when the caller follows the progress.
constexpr qsizetype kLoadPart = 8 * 1024 * 1024;
// Parts in which the text is turned into bytes.
constexpr qsizetype kSavePart = 1024 * 1024;
// The character format property of a lookalike's stand-in: the character it stands for.
constexpr int kStandsFor = QTextFormat::UserProperty + 1;

} // namespace

TextDocument::TextDocument(QObject *parent)
    : QObject(parent)
    , m_doc(new QTextDocument(this))
    , m_softLimit(softbreak::kLimit)
    , m_groupLines(linegroup::kLines)
    , m_groupFrom(linegroup::kFrom)
{
    m_doc->setDocumentLayout(new QPlainTextDocumentLayout(m_doc));
    m_doc->setUndoRedoEnabled(false);
    connect(m_doc, &QTextDocument::contentsChange, this, &TextDocument::onForeignChange);
}

TextDocument::~TextDocument() = default;

void TextDocument::edited()
{
    m_changed = true;
    Q_EMIT textEdited();
}

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
    const int first = endsBefore(docPos);
    const auto count = slice.doc.count(QChar(kParagraph)) + slice.doc.count(QChar(kLine));
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
    const int ends = endsBefore(docPos);
    return docPos - ends + m_ends.widthBefore(ends);
}

int TextDocument::blockModelStart(int blockNumber) const
{
    const int ends = blockNumber + groupedBefore(blockNumber);
    return m_doc->findBlockByNumber(blockNumber).position() - ends + m_ends.widthBefore(ends);
}

bool TextDocument::isSoftEnd(int blockNumber) const
{
    return blockNumber >= 0 && blockNumber < m_doc->blockCount() - 1
        && m_ends.at(endOfBlock(blockNumber)) == LineEnd::Soft;
}

int TextDocument::docToShown(int docPos) const
{
    return docPos - m_ends.softBefore(endsBefore(docPos));
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
        const QTextBlock block = m_doc->findBlockByNumber(blockOfEnd(m_ends.soft(mid)));
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
    if (m_groupedEnds > 0 && m_grouped[std::size_t(lo)] > 0)
        return modelToDocInGroup(lo, offset, roundUp);
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
    slice.ends = m_ends.kinds(lineEndCount());
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
        const QTextBlock block = m_doc->findBlockByNumber(blockOfEnd(m_ends.soft(n)));
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
    TextSlice shown = softbreak::rebroken(slice, nullptr, m_softLimit);
    m_grouping = m_groupLines > 1 && int(shown.ends.size()) >= m_groupFrom;
    m_grouped.clear();
    m_groupedEnds = 0;
    m_sumsStale = true;
    if (m_grouping) {
        m_grouped = linegroup::group(shown, m_groupLines, m_softLimit);
        for (const int count : m_grouped)
            m_groupedEnds += count;
    }
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
    m_endCount = lineEndCount();
    clearUndoHistory();
    Q_EMIT replaced();
    edited();
}

int TextDocument::length() const
{
    const int ends = lineEndCount();
    return m_doc->characterCount() - 1 - ends + m_ends.widthBefore(ends);
}

void TextDocument::setSoftBreakLimit(int limit)
{
    m_softLimit = std::max(limit, 8);
    const QString raw = m_doc->toRawText();
    setSlice({raw, m_ends.kinds(lineEndCount()), lookalikesIn(0, int(raw.size()))});
}

QChar TextDocument::charAt(int index) const
{
    if (index < 0 || index >= length())
        return {};
    const int doc = modelToDoc(index);
    const QTextBlock block = m_doc->findBlock(doc);
    const int lineEnd = block.position() + block.length() - 1;
    if (doc < lineEnd && m_doc->characterAt(doc) != QChar(kLine)) {
        const std::vector<TextSlice::Lookalike> lookalike = lookalikesIn(doc, 1);
        return QChar(lookalike.empty() ? codec::textOf(m_doc->characterAt(doc).unicode()) : lookalike[0].ch);
    }
    const LineEnd kind = m_ends.at(endsBefore(doc));
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
    // Converted in parts of about a megabyte, paragraph by paragraph, so that no copy of the
    // whole text is made on the way to its bytes.
    const std::vector<LineEnd> kinds = m_ends.kinds(lineEndCount());
    const bool utf8 = isUtf8(m_encoding);
    QByteArray out;
    out.reserve(m_doc->characterCount() + qsizetype(kinds.size()) + 3);
    std::size_t end = 0;
    bool first = true;
    for (QTextBlock block = m_doc->begin(); block.isValid();) {
        TextSlice part;
        const int start = block.position();
        std::size_t count = 0;
        while (block.isValid() && part.doc.size() < kSavePart) {
            part.doc += block.text();
            if (m_groupedEnds > 0)
                count += std::size_t(m_grouped[std::size_t(block.blockNumber())]);
            block = block.next();
            if (block.isValid()) {
                part.doc += QChar(kParagraph);
                ++count;
            }
        }
        part.ends.assign(kinds.begin() + qsizetype(end), kinds.begin() + qsizetype(end + count));
        end += count;
        part.lookalikes = lookalikesIn(start, int(part.doc.size()));
        out += utf8 ? codec::utf8OfSlice(part, first && m_encoding == Encoding::Utf8Bom) : codec::bytesOfSlice(part);
        first = false;
    }
    return out;
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

namespace {

// The searched text as the screen shows it, or a null text when it holds a line end or a
// character that stands for another on screen (no text holds one of those).
QString displayedForm(const QString &what)
{
    QString shown(what.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < what.size(); ++i) {
        const char16_t ch = what[i].unicode();
        if (ch == u'\r' || ch == u'\n' || codec::isReserved(ch))
            return QString();
        shown[i] = QChar(codec::displayOf(ch));
    }
    return shown;
}

} // namespace

int TextDocument::findText(const QString &what, bool matchCase, int from, bool down) const
{
    // On screen a lookalike is the mark it looks like; only the text tells them apart.
    const QString shown = mayHoldLookalikes() ? QString() : displayedForm(what);
    if (shown.isNull())
        return findNearest(text(), what, matchCase, from, down);
    if (from < 0 || from > length())
        return -1;
    // One character on screen per character of the text, except at line ends, which an
    // occurrence cannot span; so occurrences on screen are exactly those in the text.
    const QString subject = searchForm(displayText(), matchCase);
    const QString pattern = searchForm(shown, matchCase);
    const int found = down ? findDown(subject, pattern, displayPosition(from, true))
                           : findUp(subject, pattern, displayPosition(from));
    return found < 0 ? -1 : modelPosition(found);
}

} // namespace vornel
