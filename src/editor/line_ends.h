#pragma once

#include <cstdint>
#include <vector>

namespace vornel {

// Soft is no line end of the text: the screen breaks a very long line there, and it counts no
// character of the text.
enum class LineEnd : std::uint8_t { CrLf, Lf, Cr, Soft };

// The kind of every line end of a text, by line-end number (0 = the end of the first line).
// Most files use one kind throughout, so only the line ends that are not CR LF are stored,
// sorted; counting them before a line is a binary search.
class LineEnds {
public:
    LineEnd at(int index) const;
    // Number of soft breaks, and of lone LF or CR line ends, before index.
    int softBefore(int index) const;
    int loneBefore(int index) const;
    int crlfBefore(int index) const { return index - loneBefore(index) - softBefore(index); }
    // The characters the line ends before index count in the text.
    int widthBefore(int index) const { return 2 * crlfBefore(index) + loneBefore(index); }
    int softCount() const { return int(m_soft.size()); }
    // The line-end number of the n-th soft break (0-based).
    int soft(int n) const { return int(m_soft[std::size_t(n)]); }
    // The kinds of line ends 0 .. count-1, in order.
    std::vector<LineEnd> kinds(int count) const;

    // Line ends first .. first+removed-1 are replaced by the given ones; later line ends move.
    void replace(int first, int removed, const std::vector<LineEnd> &inserted);
    void clear()
    {
        m_lone.clear();
        m_soft.clear();
    }

private:
    static std::uint32_t entry(int index, LineEnd kind)
    {
        return (std::uint32_t(index) << 1) | (kind == LineEnd::Cr ? 1u : 0u);
    }
    std::vector<std::uint32_t> m_lone; // lone LF and CR: index << 1 | (CR ? 1 : 0)
    std::vector<std::uint32_t> m_soft; // soft breaks: index
};

} // namespace vornel
