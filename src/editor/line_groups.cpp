#include "editor/line_groups.h"

#include <algorithm>

namespace vornel::linegroup {

namespace {

constexpr char16_t kParagraph = 0x2029;
constexpr char16_t kLine = 0x2028;

} // namespace

void ungroup(QString &doc)
{
    if (doc.contains(QChar(kLine)))
        doc.replace(QChar(kLine), QChar(kParagraph));
}

std::vector<int> group(TextSlice &slice, int lines, int maxChars)
{
    ungroup(slice.doc);
    std::vector<int> grouped;
    grouped.reserve(slice.ends.size() / std::size_t(std::max(lines, 1)) + 1);
    QString &doc = slice.doc;
    char16_t *chars = reinterpret_cast<char16_t *>(doc.data());
    qsizetype paragraphStart = 0;
    int held = 1;
    std::size_t end = 0;
    for (qsizetype at = doc.indexOf(QChar(kParagraph)); at >= 0; ++end) {
        const qsizetype next = doc.indexOf(QChar(kParagraph), at + 1);
        const qsizetype nextEnd = next < 0 ? doc.size() : next;
        if (slice.ends[end] != LineEnd::Soft && held < lines && nextEnd - paragraphStart <= maxChars) {
            chars[at] = kLine;
            ++held;
        } else {
            grouped.push_back(held - 1);
            paragraphStart = at + 1;
            held = 1;
        }
        at = next;
    }
    grouped.push_back(held - 1);
    return grouped;
}

} // namespace vornel::linegroup
