#include "search/text_area_target.h"

#include "editor/text_area.h"
#include "editor/text_codec.h"

namespace vornel {

QString TextAreaSearchTarget::text() const
{
    return m_area.text();
}

int TextAreaSearchTarget::selStart() const
{
    return m_area.selStart();
}

void TextAreaSearchTarget::select(int start, int length)
{
    m_area.setSelStart(start);
    m_area.setSelLength(length);
}

void TextAreaSearchTarget::replaceEach(const QList<int> &starts, int length, const QString &with)
{
    m_area.replaceEach(starts, length, with);
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

int TextAreaSearchTarget::find(const QString &what, bool matchCase, int from, bool down) const
{
    // On screen a lookalike is the mark it looks like; only the text tells them apart.
    const QString shown = m_area.mayHoldLookalikes() ? QString() : displayedForm(what);
    if (shown.isNull())
        return SearchTarget::find(what, matchCase, from, down);
    if (from < 0 || from > m_area.length())
        return -1;
    // One character on screen per character of the text, except at line ends, which an
    // occurrence cannot span; so occurrences on screen are exactly those in the text.
    const QString subject = searchForm(m_area.displayText(), matchCase);
    const QString pattern = searchForm(shown, matchCase);
    const int found = down ? findDown(subject, pattern, m_area.displayPosition(from, true))
                           : findUp(subject, pattern, m_area.displayPosition(from));
    return found < 0 ? -1 : m_area.modelPosition(found);
}

void TextAreaSearchTarget::beginRun()
{
    m_area.beginEditGroup();
}

void TextAreaSearchTarget::endRun()
{
    m_area.endEditGroup();
}

} // namespace vornel
