#include "support/string_edit.h"

#include "support/marked_text.h"

#include <algorithm>

StringEdit::StringEdit(const QString &marked)
{
    const Marked m = parseMarked(marked);
    m_text = m.text;
    m_start = m.start;
    m_length = m.length;
}

StringEdit::StringEdit(const QString &text, int selStart, int selLength)
    : m_text(text), m_start(selStart), m_length(selLength)
{
}

void StringEdit::select(int start, int count)
{
    m_start = std::clamp(start, 0, length());
    m_length = std::clamp(count, 0, length() - m_start);
    if (m_length > 0)
        selections.append(m_text.mid(m_start, m_length) + QLatin1Char('@') + QString::number(m_start));
}

void StringEdit::replaceRange(int start, int count, const QString &text)
{
    m_text.replace(start, count, text);
    m_start = start + int(text.size());
    m_length = 0;
    if (depth > 0)
        m_changedInGroup = true;
    else
        ++undoSteps;
}

void StringEdit::endEditGroup()
{
    if (--depth == 0 && m_changedInGroup) {
        ++undoSteps;
        m_changedInGroup = false;
    }
}

QString StringEdit::marked() const
{
    return markedText(*this);
}
