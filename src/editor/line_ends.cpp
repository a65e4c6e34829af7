#include "editor/line_ends.h"

#include <algorithm>

namespace vornel {

namespace {

// Removes the entries from lo to hi, moves the later ones by delta line ends (an entry is a
// line-end number shifted left by shift bits) and puts added in the gap.
void replaceEntries(std::vector<std::uint32_t> &entries, std::uint32_t first, std::uint32_t last, int delta,
                    int shift, const std::vector<std::uint32_t> &added)
{
    const auto lo = std::lower_bound(entries.begin(), entries.end(), first << shift);
    const auto hi = std::lower_bound(lo, entries.end(), last << shift);
    if (delta != 0) {
        const auto by = std::uint32_t(std::int64_t(delta) << shift);
        for (auto it = hi; it != entries.end(); ++it)
            *it += by;
    }
    const auto pos = entries.erase(lo, hi);
    entries.insert(pos, added.begin(), added.end());
}

} // namespace

LineEnd LineEnds::at(int index) const
{
    if (std::binary_search(m_soft.begin(), m_soft.end(), std::uint32_t(index)))
        return LineEnd::Soft;
    const auto key = std::uint32_t(index) << 1;
    const auto it = std::lower_bound(m_lone.begin(), m_lone.end(), key);
    if (it == m_lone.end() || (*it >> 1) != std::uint32_t(index))
        return LineEnd::CrLf;
    return (*it & 1u) ? LineEnd::Cr : LineEnd::Lf;
}

std::vector<LineEnd> LineEnds::kinds(int count) const
{
    std::vector<LineEnd> result(std::size_t(std::max(count, 0)), LineEnd::CrLf);
    for (const std::uint32_t e : m_lone) {
        const std::size_t index = e >> 1;
        if (index < result.size())
            result[index] = (e & 1u) ? LineEnd::Cr : LineEnd::Lf;
    }
    for (const std::uint32_t index : m_soft) {
        if (index < result.size())
            result[index] = LineEnd::Soft;
    }
    return result;
}

int LineEnds::loneBefore(int index) const
{
    const auto key = std::uint32_t(index) << 1;
    return int(std::lower_bound(m_lone.begin(), m_lone.end(), key) - m_lone.begin());
}

int LineEnds::softBefore(int index) const
{
    return int(std::lower_bound(m_soft.begin(), m_soft.end(), std::uint32_t(index)) - m_soft.begin());
}

void LineEnds::replace(int first, int removed, const std::vector<LineEnd> &inserted)
{
    std::vector<std::uint32_t> lone;
    std::vector<std::uint32_t> soft;
    for (int i = 0; i < int(inserted.size()); ++i) {
        if (inserted[i] == LineEnd::Soft)
            soft.push_back(std::uint32_t(first + i));
        else if (inserted[i] != LineEnd::CrLf)
            lone.push_back(entry(first + i, inserted[i]));
    }
    const int delta = int(inserted.size()) - removed;
    const auto from = std::uint32_t(first);
    const auto to = std::uint32_t(first + removed);
    replaceEntries(m_lone, from, to, delta, 1, lone);
    replaceEntries(m_soft, from, to, delta, 0, soft);
}

} // namespace vornel
