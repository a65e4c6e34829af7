#include "editor/soft_breaks.h"

#include "editor/line_groups.h"

#include <algorithm>

namespace vornel::softbreak {

namespace {

constexpr char16_t kParagraph = 0x2029;

// Where a paragraph starting at start ends: after the last ">" or blank in the second half
// of the limit, else at the limit itself (never inside a surrogate pair).
qsizetype cutAfter(const char16_t *doc, qsizetype start, int limit)
{
    const qsizetype target = start + limit;
    for (qsizetype p = target - 1; p >= start + limit / 2; --p) {
        const char16_t c = doc[p];
        if (c == u'>' || c == u' ' || c == u'\t')
            return p + 1;
    }
    return QChar::isHighSurrogate(doc[target - 1]) ? target - 1 : target;
}

// How many of the sorted positions lie before pos (or at it, when counting those too).
qsizetype countBefore(const std::vector<qsizetype> &sorted, qsizetype pos, bool atToo)
{
    const auto it = atToo ? std::upper_bound(sorted.begin(), sorted.end(), pos)
                          : std::lower_bound(sorted.begin(), sorted.end(), pos);
    return it - sorted.begin();
}

// The slice without its soft breaks; their positions in slice.doc go to removedAt.
TextSlice withoutSoftBreaks(const TextSlice &slice, std::vector<qsizetype> &removedAt)
{
    TextSlice flat;
    flat.doc.reserve(slice.doc.size());
    qsizetype copied = 0;
    std::size_t end = 0;
    for (qsizetype i = slice.doc.indexOf(QChar(kParagraph)); i >= 0; i = slice.doc.indexOf(QChar(kParagraph), i + 1)) {
        const LineEnd kind = slice.ends[end++];
        if (kind != LineEnd::Soft) {
            flat.ends.push_back(kind);
            continue;
        }
        flat.doc.append(QStringView(slice.doc).mid(copied, i - copied));
        copied = i + 1;
        removedAt.push_back(i);
    }
    flat.doc.append(QStringView(slice.doc).mid(copied));
    for (const TextSlice::Lookalike &l : slice.lookalikes)
        flat.lookalikes.push_back({l.pos - countBefore(removedAt, l.pos, false), l.ch});
    return flat;
}

} // namespace

TextSlice rebroken(const TextSlice &slice, std::vector<qsizetype> *marks, int limit)
{
    // Lines grouped into paragraphs are broken as the lines they are.
    if (slice.doc.contains(QChar(0x2028))) {
        TextSlice lines = slice;
        linegroup::ungroup(lines.doc);
        return rebroken(lines, marks, limit);
    }
    std::vector<qsizetype> removedAt;
    const bool hasSoft = std::find(slice.ends.begin(), slice.ends.end(), LineEnd::Soft) != slice.ends.end();
    TextSlice flat = hasSoft ? withoutSoftBreaks(slice, removedAt) : TextSlice{};
    const TextSlice &source = hasSoft ? flat : slice;
    if (marks) {
        for (qsizetype &mark : *marks)
            mark -= countBefore(removedAt, mark, false);
    }

    // Positions of source.doc before which a soft break goes.
    std::vector<qsizetype> breaks;
    const auto *doc = reinterpret_cast<const char16_t *>(source.doc.utf16());
    const qsizetype size = source.doc.size();
    for (qsizetype lineStart = 0; lineStart <= size;) {
        qsizetype lineEnd = source.doc.indexOf(QChar(kParagraph), lineStart);
        if (lineEnd < 0)
            lineEnd = size;
        if (lineEnd - lineStart > maximum(limit)) {
            for (qsizetype start = lineStart; lineEnd - start > limit + limit / 2;) {
                start = cutAfter(doc, start, limit);
                breaks.push_back(start);
            }
        }
        lineStart = lineEnd + 1;
    }
    if (breaks.empty())
        return hasSoft ? flat : slice;

    TextSlice result;
    result.doc.reserve(size + qsizetype(breaks.size()));
    result.ends.reserve(source.ends.size() + breaks.size());
    qsizetype copied = 0;
    std::size_t end = 0;
    for (const qsizetype at : breaks) {
        const QStringView part = QStringView(source.doc).mid(copied, at - copied);
        const auto hard = std::size_t(part.count(QChar(kParagraph)));
        result.ends.insert(result.ends.end(), source.ends.begin() + qsizetype(end), source.ends.begin() + qsizetype(end + hard));
        end += hard;
        result.doc.append(part);
        result.doc.append(QChar(kParagraph));
        result.ends.push_back(LineEnd::Soft);
        copied = at;
    }
    result.doc.append(QStringView(source.doc).mid(copied));
    result.ends.insert(result.ends.end(), source.ends.begin() + qsizetype(end), source.ends.end());
    for (const TextSlice::Lookalike &l : source.lookalikes)
        result.lookalikes.push_back({l.pos + countBefore(breaks, l.pos, true), l.ch});
    if (marks) {
        for (qsizetype &mark : *marks)
            mark += countBefore(breaks, mark, false);
    }
    return result;
}

} // namespace vornel::softbreak
