// A text document's line ends inside paragraphs: a grouped text holds several lines per
// paragraph, joined by U+2028, and every position mapping counts those line ends too.
#include "editor/text_document.h"

#include "editor/line_groups.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace vornel {

namespace {

constexpr char16_t kLine = 0x2028;

int countLineEnds(QStringView text)
{
    return int(text.count(QChar(kLine)));
}

} // namespace

int TextDocument::groupedBefore(int blockNumber) const
{
    if (m_groupedEnds == 0 || blockNumber <= 0)
        return 0;
    if (m_sumsStale) {
        m_groupedSums.resize(m_grouped.size() + 1);
        m_groupedSums[0] = 0;
        for (std::size_t i = 0; i < m_grouped.size(); ++i)
            m_groupedSums[i + 1] = m_groupedSums[i] + m_grouped[i];
        m_sumsStale = false;
    }
    return m_groupedSums[std::min(std::size_t(blockNumber), m_grouped.size())];
}

int TextDocument::endsBefore(int docPos) const
{
    const QTextBlock block = m_doc->findBlock(docPos);
    const int number = std::max(block.blockNumber(), 0);
    if (m_groupedEnds == 0 || m_grouped[std::size_t(number)] == 0)
        return number + groupedBefore(number);
    return number + groupedBefore(number) + countLineEnds(QStringView(block.text()).left(docPos - block.position()));
}

int TextDocument::lineEndCount() const
{
    return m_doc->blockCount() - 1 + m_groupedEnds;
}

int TextDocument::blockOfEnd(int endIndex) const
{
    if (m_groupedEnds == 0)
        return endIndex;
    // The first paragraph whose end is at or after the line end.
    int lo = 0;
    int hi = m_doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (endOfBlock(mid) < endIndex)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int TextDocument::modelToDocInGroup(int blockNumber, int modelOffset, bool roundUp) const
{
    const QTextBlock block = m_doc->findBlockByNumber(blockNumber);
    const QString text = block.text();
    int end = blockNumber + groupedBefore(blockNumber);
    int model = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (model >= modelOffset)
            return block.position() + int(i);
        if (text[i] != QChar(kLine)) {
            ++model;
            continue;
        }
        const int width = m_ends.at(end++) == LineEnd::CrLf ? 2 : 1;
        // Between the CR and the LF of a pair.
        if (modelOffset < model + width)
            return block.position() + int(i) + (roundUp ? 1 : 0);
        model += width;
    }
    return block.position() + int(text.size()) + (model < modelOffset && roundUp ? 1 : 0);
}

void TextDocument::recountGroups(int first, int removed, int added)
{
    if (!m_grouping)
        return;
    std::vector<int> counts(std::size_t(std::max(added, 0)));
    QTextBlock block = m_doc->findBlockByNumber(first);
    for (int i = 0; i < added && block.isValid(); ++i, block = block.next())
        counts[std::size_t(i)] = countLineEnds(block.text());
    const auto at = m_grouped.begin() + std::min<std::ptrdiff_t>(first, std::ptrdiff_t(m_grouped.size()));
    const auto to = at + std::min<std::ptrdiff_t>(removed, m_grouped.end() - at);
    for (auto it = at; it != to; ++it)
        m_groupedEnds -= *it;
    const auto put = m_grouped.erase(at, to);
    m_grouped.insert(put, counts.begin(), counts.end());
    for (const int count : counts)
        m_groupedEnds += count;
    m_sumsStale = true;
}

const TextSlice &TextDocument::grouped(const TextSlice &replacement, TextSlice &copy)
{
    if (!m_grouping && m_groupLines > 1 && int(replacement.ends.size()) >= m_groupFrom) {
        m_grouping = true;
        m_grouped.assign(std::size_t(m_doc->blockCount()), 0);
        m_groupedEnds = 0;
        m_sumsStale = true;
    }
    if (!m_grouping || int(replacement.ends.size()) < m_groupLines)
        return replacement;
    copy = replacement;
    linegroup::group(copy, m_groupLines, m_softLimit);
    return copy;
}

void TextDocument::setLineGrouping(int lines, int fromLineEnds)
{
    m_groupLines = std::max(lines, 1);
    m_groupFrom = std::max(fromLineEnds, 0);
    const QString raw = m_doc->toRawText();
    setSlice({raw, m_ends.kinds(lineEndCount()), lookalikesIn(0, int(raw.size()))});
}

} // namespace vornel
