#include "editor/text_find.h"

#include <array>
#include <memory>

namespace vornel {

namespace {

using UpperTable = std::array<char16_t, 0x10000>;

// Upper case of every character of the basic plane that keeps its one-unit width.
const UpperTable &upperTable()
{
    static const std::unique_ptr<UpperTable> table = [] {
        auto t = std::make_unique<UpperTable>();
        for (char32_t c = 0; c < 0x10000; ++c) {
            const char32_t upper = QChar::toUpper(c);
            const bool sameWidth = upper < 0x10000 && !QChar::isSurrogate(upper) && !QChar::isSurrogate(c);
            (*t)[c] = char16_t(sameWidth ? upper : c);
        }
        return t;
    }();
    return *table;
}

} // namespace

QString upperCaseSameLength(QStringView text)
{
    const UpperTable &table = upperTable();
    QString out(text.size(), Qt::Uninitialized);
    char16_t *dst = reinterpret_cast<char16_t *>(out.data());
    const char16_t *src = text.utf16();
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = src[i];
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(src[i + 1])) {
            const char32_t upper = QChar::toUpper(QChar::surrogateToUcs4(c, src[i + 1]));
            if (QChar::requiresSurrogates(upper)) {
                dst[i] = QChar::highSurrogate(upper);
                dst[i + 1] = QChar::lowSurrogate(upper);
            } else {
                dst[i] = c;
                dst[i + 1] = src[i + 1];
            }
            ++i;
        } else {
            dst[i] = table[c];
        }
    }
    return out;
}

QString searchForm(const QString &text, bool matchCase)
{
    return matchCase ? text : upperCaseSameLength(text);
}

int findDown(QStringView subject, QStringView pattern, int from)
{
    if (pattern.isEmpty() || from < 0 || from > subject.size())
        return -1;
    return int(subject.indexOf(pattern, from));
}

int findUp(QStringView subject, QStringView pattern, int lastStart)
{
    // The library reads a negative start as counted from the end, and finds nothing from a
    // start past the end; so the start is brought within the places an occurrence can begin.
    const qsizetype latest = std::min<qsizetype>(lastStart, subject.size() - pattern.size());
    if (pattern.isEmpty() || lastStart < 0 || latest < 0)
        return -1;
    return int(subject.lastIndexOf(pattern, latest));
}

int findNearest(const QString &subject, const QString &what, bool matchCase, int from, bool down)
{
    const QString s = searchForm(subject, matchCase);
    const QString pattern = searchForm(what, matchCase);
    return down ? findDown(s, pattern, from) : findUp(s, pattern, from);
}

} // namespace vornel
