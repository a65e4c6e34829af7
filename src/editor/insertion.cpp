#include "editor/insertion.h"

#include "editor/text_edit.h"

namespace vornel {

namespace {

InsertionTargetResolver &resolver()
{
    static InsertionTargetResolver instance;
    return instance;
}

} // namespace

void setInsertionTargetResolver(InsertionTargetResolver newResolver)
{
    resolver() = std::move(newResolver);
}

TextEdit *insertionTarget()
{
    return resolver() ? resolver()() : nullptr;
}

void insertInlineTag(TextEdit &edit, const QString &tag, bool closeTag)
{
    EditGroup group(edit);
    const int start = edit.selStart();
    const int count = edit.selLength();
    const QString startTag = QLatin1Char('<') + tag + QLatin1Char('>');
    QString text = startTag + edit.selText();
    if (closeTag)
        text += QStringLiteral("</") + tag + QLatin1Char('>');
    edit.setSelText(text);
    edit.setSelStart(start + int(startTag.size()));
    edit.setSelLength(count);
}

void insertBlockTag(TextEdit &edit, const QString &tag, bool closeTag)
{
    EditGroup group(edit);
    const int start = edit.selStart();
    // At the start of a line the character two before the caret is the CR of the line end.
    QString lineBreak;
    if (start > 1 && edit.charAt(start - 2) != QLatin1Char('\r'))
        lineBreak = QStringLiteral("\r\n");
    QString text = lineBreak + QLatin1Char('<') + tag + QLatin1Char('>') + edit.selText();
    if (closeTag)
        text += QStringLiteral("</") + tag + QLatin1Char('>') + lineBreak;
    edit.setSelText(text);
}

void insertBlockTags(TextEdit &edit, const QStringList &tags, bool closeTag)
{
    EditGroup group(edit);
    for (const QString &tag : tags)
        insertBlockTag(edit, tag, closeTag);
}

void insertElement(TextEdit &edit, const QString &startTag, const QString &endText)
{
    EditGroup group(edit);
    insertInlineTag(edit, startTag, false);
    edit.setSelText(edit.selText() + endText);
}

void deleteCommand(TextEdit &edit)
{
    if (edit.selStart() >= edit.length())
        return;
    if (edit.selLength() == 0) {
        const int at = edit.selStart();
        const bool pair = edit.charAt(at) == QLatin1Char('\r') && edit.charAt(at + 1) == QLatin1Char('\n');
        edit.setSelLength(pair ? 2 : 1);
    }
    edit.setSelText(QString());
}

QStringList listSkeletonTags(const QString &kind)
{
    return {kind, QStringLiteral("LI"), QStringLiteral("LI"), QLatin1Char('/') + kind};
}

void insertBeforeSelection(TextEdit &edit, const QString &text)
{
    EditGroup group(edit);
    edit.setSelText(text + edit.selText());
}

void insertInlineTag(const QString &tag, bool closeTag)
{
    if (TextEdit *edit = insertionTarget())
        insertInlineTag(*edit, tag, closeTag);
}

void insertBlockTag(const QString &tag, bool closeTag)
{
    if (TextEdit *edit = insertionTarget())
        insertBlockTag(*edit, tag, closeTag);
}

void insertBeforeSelection(const QString &text)
{
    if (TextEdit *edit = insertionTarget())
        insertBeforeSelection(*edit, text);
}

} // namespace vornel
