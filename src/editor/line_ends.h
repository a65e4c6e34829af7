#pragma once

#include <cstdint>
#include <vector>

namespace vornel {

enum class LineEnd : std::uint8_t { CrLf, Lf, Cr };

// The kind of every line end of a text, by line-end number (0 = the end of the first line).
// Most files use one kind throughout, so only the line ends that are not CR LF are stored,
// sorted; counting them before a line is a binary search.
class LineEnds {
public:
    LineEnd at(int index) const;
    // Number of line ends before index that are not CR LF.
    int loneBefore(int index) const;
    int crlfBefore(int index) const { return index - loneBefore(index); }
    int loneCount() const { return int(m_lone.size()); }
    // The kinds of line ends 0 .. count-1, in order.
    std::vector<LineEnd> kinds(int count) const;

    // Line ends first .. first+removed-1 are replaced by the given ones; later line ends move.
    void replace(int first, int removed, const std::vector<LineEnd> &inserted);
    void clear() { m_lone.clear(); }

private:
    static std::uint32_t entry(int index, LineEnd kind)
    {
        return (std::uint32_t(index) << 1) | (kind == LineEnd::Cr ? 1u : 0u);
    }
    std::vector<std::uint32_t> m_lone;
};

} // namespace vornel
