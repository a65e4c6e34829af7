#include "editor/list_conversion.h"

#include "editor/like_pattern.h"

#include <QElapsedTimer>

#include <utility>

namespace vornel {

namespace {

constexpr QChar CR = u'\r';
const QLatin1String crLf("\r\n");
const QLatin1String listItemTag("<LI>");

// "<*><IMG ": the start of an image bullet such as '<BR><IMG ' in the windows the rules look at.
bool isImageBulletStart(QStringView window)
{
    static const LikePattern pattern(u"<*><IMG ");
    return pattern.matches(window);
}

// Runs the marking rules over a text. The text is never edited in place: the part before the
// position p is already in out, followed by a short stretch that a rule has written but p has
// not passed yet; after that comes the untouched input from r on. Every rule changes the text
// only at or after p, so each input character is copied once and the run stays linear.
class ListMarker {
public:
    // Marker and text are held by value: the yield callback may change the caller's strings.
    ListMarker(const QString &marker, const QString &input, const ListYield &yield)
        : m_marker(marker), m_markerIsListItem(marker == listItemTag),
          m_source(input), m_in(m_source), m_yield(yield)
    {
        const qsizetype lines = input.count(CR) + 1;
        m_out.reserve(input.size() + lines * marker.size() + 16);
    }

    QString run()
    {
        if (m_yield.callback)
            m_clock.start();
        while (rest() >= 2) {
            if (m_p == m_out.size() && skipPlainCharacters())
                continue;
            step();
        }
        m_out.append(m_in.mid(m_r));
        return std::move(m_out);
    }

private:
    // Characters from p to the end of the text.
    qsizetype rest() const { return (m_out.size() - m_p) + (m_in.size() - m_r); }
    qsizetype written() const { return m_out.size() - m_p; }

    QChar at(qsizetype k) const
    {
        return k < written() ? m_out[m_p + k] : m_in[m_r + k - written()];
    }

    // Up to n characters from p + k (fewer at the end of the text). Only valid until the next
    // call or change.
    QStringView window(qsizetype k, qsizetype n)
    {
        n = std::min(n, rest() - k);
        if (n <= 0)
            return {};
        if (k + n <= written())
            return QStringView(m_out).mid(m_p + k, n);
        if (k >= written())
            return m_in.mid(m_r + k - written(), n);
        m_scratch = QStringView(m_out).mid(m_p + k).toString();
        m_scratch.append(m_in.mid(m_r, n - (written() - k)));
        return m_scratch;
    }

    bool windowIs(qsizetype k, QLatin1String text) { return window(k, text.size()) == text; }

    void advance(qsizetype n)
    {
        n = std::min(n, rest());
        if (n <= written()) {
            m_p += n;
            return;
        }
        const qsizetype fromInput = n - written();
        m_out.append(m_in.mid(m_r, fromInput));
        m_r += fromInput;
        m_p = m_out.size();
    }

    // Replaces n characters from p + k by with.
    void replace(qsizetype k, qsizetype n, QStringView with)
    {
        const qsizetype start = m_p + k;
        if (start > m_out.size()) {
            const qsizetype pulled = start - m_out.size();
            m_out.append(m_in.mid(m_r, pulled));
            m_r += pulled;
        }
        if (start + n <= m_out.size()) {
            if (with.isEmpty())
                m_out.remove(start, n);
            else
                m_out.replace(start, n, with.data(), with.size());
        } else {
            m_r += start + n - m_out.size();
            m_out.truncate(start);
            m_out.append(with);
        }
    }

    // Offset from p of the first "<" or ">" at or after p + k, or -1.
    qsizetype firstAngle(qsizetype k)
    {
        for (qsizetype i = m_p + k; i < m_out.size(); ++i) {
            if (m_out[i] == u'<' || m_out[i] == u'>')
                return i - m_p;
        }
        const qsizetype found = nextAngleInInput(m_r + std::max<qsizetype>(0, k - written()));
        return found < 0 ? -1 : written() + found - m_r;
    }

    // The input never changes and each search starts further on than the last, so one
    // remembered answer keeps repeated searches past a long stretch without angle brackets
    // from going quadratic: m_in[m_angleFrom, m_angleAt) has none, and m_angleAt holds one
    // (or is -1: none up to the end).
    qsizetype nextAngleInInput(qsizetype from)
    {
        if (m_angleFrom >= 0 && from >= m_angleFrom && (m_angleAt < 0 || m_angleAt >= from))
            return m_angleAt;
        m_angleFrom = from;
        m_angleAt = -1;
        for (qsizetype i = from; i < m_in.size(); ++i) {
            if (m_in[i] == u'<' || m_in[i] == u'>') {
                m_angleAt = i;
                break;
            }
        }
        return m_angleAt;
    }

    // Copies a run of characters at which no rule but "anything else" can apply. Returns
    // whether it copied any.
    bool skipPlainCharacters()
    {
        const qsizetype last = m_in.size() - 1; // the text's last character is never examined
        qsizetype j = m_r;
        while (j < last) {
            const QChar c = m_in[j];
            if (c == u'<' || c == CR || startsMarker(c))
                break;
            ++j;
        }
        if (j == m_r)
            return false;
        m_out.append(m_in.mid(m_r, j - m_r));
        m_r = j;
        m_p = m_out.size();
        return true;
    }

    // An image bullet whose window starts at p + k: it counts only when its tag closes before
    // any other tag opens (the search starts at p + searchFrom). Replaces it through the
    // closing ">" and returns true, or returns false.
    bool replaceImageBullet(qsizetype k, qsizetype searchFrom)
    {
        const qsizetype angle = firstAngle(searchFrom);
        if (angle < 0 || at(angle) != u'>')
            return false;
        replace(k, angle - k + 1, m_marker);
        return true;
    }

    bool startsMarker(QChar c) const { return !m_marker.isEmpty() && m_marker.front() == c; }

    void step()
    {
        const QChar c = at(0);
        // The marker already there stays. It is compared as it is: an image bullet's address
        // may hold "?", "#" or "[", which are no wildcards here. An empty marker would match
        // forever.
        if (startsMarker(c) && window(0, m_marker.size()) == m_marker) {
            advance(m_marker.size());
            return;
        }
        if (c == u'<') {
            // An "<LI>" or an image bullet gives way to the marker.
            if (windowIs(0, listItemTag) && !m_markerIsListItem) {
                replace(0, 4, m_marker);
                advance(m_marker.size());
                return;
            }
            if (isImageBulletStart(window(0, 9))) {
                if (replaceImageBullet(0, 9))
                    advance(m_marker.size());
                else
                    advance(9);
                return;
            }
        } else if (c == CR) {
            lineStart();
            return;
        }
        advance(1);
    }

    // p is at a CR; the line's text starts two characters later, after the LF.
    void lineStart()
    {
        yieldNow();
        // A line break at the very end starts no line.
        if (rest() <= 2) {
            advance(1);
            return;
        }
        constexpr qsizetype q = 2;
        if (windowIs(q, listItemTag)) {
            if (m_markerIsListItem) {
                advance(5);
            } else {
                replace(q, 4, m_marker);
                advance(1 + m_marker.size());
            }
            return;
        }
        if (isImageBulletStart(window(q, 9))) {
            if (replaceImageBullet(q, 10))
                advance(1 + m_marker.size());
            else
                advance(10);
            return;
        }
        // Leading "<BR>", "<P>" and blanks go one by one; the line start is looked at again.
        if (windowIs(q, QLatin1String("<BR>"))) {
            replace(q, 4, {});
            return;
        }
        if (windowIs(q, QLatin1String("<P>"))) {
            replace(q, 3, {});
            return;
        }
        const QChar first = at(q);
        if (first == u' ') {
            replace(q, 1, {});
            return;
        }
        // p ends on the marker's last character, as the rule counts it.
        if (first != CR) {
            replace(q, 0, m_marker);
            advance(1 + m_marker.size());
            return;
        }
        advance(1);
    }

    void yieldNow()
    {
        constexpr int linesPerClockCheck = 32;
        if (!m_yield.callback || ++m_linesSinceCheck < linesPerClockCheck)
            return;
        m_linesSinceCheck = 0;
        if (m_clock.elapsed() >= m_yield.intervalMs) {
            m_yield.callback();
            m_clock.restart();
        }
    }

    const QString m_marker;
    const bool m_markerIsListItem;
    const QString m_source;
    const QStringView m_in;
    qsizetype m_r = 0;
    QString m_out;
    qsizetype m_p = 0;
    QString m_scratch;
    qsizetype m_angleFrom = -1;
    qsizetype m_angleAt = -1;
    const ListYield m_yield;
    QElapsedTimer m_clock;
    int m_linesSinceCheck = 0;
};

} // namespace

bool isListTagKind(const QString &kind)
{
    return kind == QLatin1String("OL") || kind == QLatin1String("UL")
        || kind == QLatin1String("DIR") || kind == QLatin1String("MENU");
}

QString markListItems(const QString &marker, const QString &s, const ListYield &yield)
{
    return ListMarker(marker, s, yield).run();
}

std::optional<SelectionReplacement> listFromText(const QString &kind, const QString &text,
                                                 const ListYield &yield)
{
    // An empty kind means "no list wanted"; as a marker it would only strip the line starts.
    if (text.isEmpty() || kind.isEmpty())
        return std::nullopt;
    const QString lines = QString(crLf) + text;
    QString result;
    if (isListTagKind(kind)) {
        const QString items = markListItems(listItemTag, lines, yield);
        result.reserve(items.size() + 2 * kind.size() + 16);
        result += QLatin1String("\r\n<") + kind + u'>';
        result += items;
        result += QLatin1String("\r\n</") + kind + QLatin1String(">\r\n");
    } else {
        result = markListItems(kind, lines, yield);
    }
    const qsizetype caret = result.size();
    return SelectionReplacement{std::move(result), caret};
}

SelectionReplacement blockTagsReplacement(QStringView textBeforeSelection,
                                          QStringView selectedText,
                                          std::span<const QLatin1String> tags)
{
    QString result;
    // The character two places before the caret: where the CR of a line break before it stands.
    auto charBeforeLastBeforeCaret = [&]() {
        const qsizetype index = textBeforeSelection.size() + result.size() - 2;
        return index < textBeforeSelection.size()
            ? textBeforeSelection[index]
            : QChar(result[index - textBeforeSelection.size()]);
    };
    bool first = true;
    for (const QLatin1String &tag : tags) {
        const qsizetype caret = textBeforeSelection.size() + result.size();
        if (caret > 1 && charBeforeLastBeforeCaret() != CR)
            result += crLf;
        result += u'<' + QString(tag) + u'>';
        if (first)
            result += selectedText;
        first = false;
    }
    const qsizetype caret = result.size();
    return {std::move(result), caret};
}

std::optional<SelectionReplacement> listMenuCommand(int index, QStringView document,
                                                    qsizetype selStart, qsizetype selLength,
                                                    const ListYield &yield)
{
    if (index < 0 || index >= int(listMenuEntries.size()))
        return std::nullopt;
    const ListMenuEntry &entry = listMenuEntries[std::size_t(index)];
    if (entry.isSeparator())
        return std::nullopt;
    const QStringView selected = document.mid(selStart, selLength);
    if (!entry.listKind.isEmpty() && !selected.isEmpty())
        return listFromText(QString(entry.listKind), selected.toString(), yield);
    return blockTagsReplacement(document.left(selStart), selected, entry.blockTags());
}

} // namespace vornel
