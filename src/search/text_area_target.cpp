#include "search/text_area_target.h"

#include "editor/text_area.h"

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
    if (starts.isEmpty())
        return;
    const int first = starts.front();
    const int end = starts.back() + length;
    if (starts.size() == 1) {
        m_area.replaceRange(first, length, with);
        return;
    }
    // The stretch from the first occurrence to the end of the last, rebuilt in one piece.
    const QString old = m_area.textRange(first, end - first);
    QString rebuilt;
    rebuilt.reserve(old.size() + starts.size() * (with.size() - length));
    int copied = 0;
    for (const int start : starts) {
        rebuilt.append(QStringView(old).mid(copied, start - first - copied));
        rebuilt.append(with);
        copied = start - first + length;
    }
    m_area.replaceRange(first, end - first, rebuilt);
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
