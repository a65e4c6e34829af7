#include "editor/line_ends.h"

#include <algorithm>

namespace vornel {

LineEnd LineEnds::at(int index) const
{
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
    return result;
}

int LineEnds::loneBefore(int index) const
{
    const auto key = std::uint32_t(index) << 1;
    return int(std::lower_bound(m_lone.begin(), m_lone.end(), key) - m_lone.begin());
}

void LineEnds::replace(int first, int removed, const std::vector<LineEnd> &inserted)
{
    const auto lo = std::lower_bound(m_lone.begin(), m_lone.end(), std::uint32_t(first) << 1);
    const auto hi = std::lower_bound(lo, m_lone.end(), std::uint32_t(first + removed) << 1);
    const int delta = int(inserted.size()) - removed;
    if (delta != 0) {
        // Shifting by whole line ends keeps the kind bit.
        const auto shift = std::uint32_t(std::int64_t(delta) * 2);
        for (auto it = hi; it != m_lone.end(); ++it)
            *it += shift;
    }
    std::vector<std::uint32_t> added;
    for (int i = 0; i < int(inserted.size()); ++i) {
        if (inserted[i] != LineEnd::CrLf)
            added.push_back(entry(first + i, inserted[i]));
    }
    const auto pos = m_lone.erase(lo, hi);
    m_lone.insert(pos, added.begin(), added.end());
}

} // namespace vornel
