#include "support/marked_text.h"

#include "editor/text_area.h"

Marked parseMarked(const QString &marked)
{
    Marked m;
    for (const QChar c : marked) {
        if (c == QLatin1Char('[') || c == QLatin1Char('|'))
            m.start = int(m.text.size());
        else if (c == QLatin1Char(']'))
            m.length = int(m.text.size()) - m.start;
        else if (c == QLatin1Char('~'))
            m.text += QStringLiteral("\r\n");
        else if (c == QLatin1Char('^'))
            m.text += QLatin1Char('\n');
        else if (c == QLatin1Char('%'))
            m.text += QLatin1Char('\r');
        else
            m.text += c;
    }
    return m;
}

QString markedText(const vornel::TextEdit &edit)
{
    QString text = edit.text();
    const int start = edit.selStart();
    const int length = edit.selLength();
    if (length > 0) {
        text.insert(start + length, QLatin1Char(']'));
        text.insert(start, QLatin1Char('['));
    } else {
        text.insert(start, QLatin1Char('|'));
    }
    // CR LF first, so that only what is left of the line ends counts as lone.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("~"));
    text.replace(QLatin1Char('\n'), QLatin1Char('^'));
    return text.replace(QLatin1Char('\r'), QLatin1Char('%'));
}

void setMarked(vornel::TextArea &area, const Marked &marked)
{
    area.setText(marked.text);
    area.setSelStart(marked.start);
    area.setSelLength(marked.length);
}
