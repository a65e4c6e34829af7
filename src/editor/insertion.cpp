#include "editor/insertion.h"

#include "editor/text_area.h"

namespace vornel {

namespace {

InsertionTargetResolver &resolver()
{
    static InsertionTargetResolver instance;
    return instance;
}

// One command, one undo step.
class EditGroup {
public:
    explicit EditGroup(TextArea &area) : m_area(area) { m_area.beginEditGroup(); }
    ~EditGroup() { m_area.endEditGroup(); }
    EditGroup(const EditGroup &) = delete;
    EditGroup &operator=(const EditGroup &) = delete;

private:
    TextArea &m_area;
};

} // namespace

void setInsertionTargetResolver(InsertionTargetResolver newResolver)
{
    resolver() = std::move(newResolver);
}

TextArea *insertionTarget()
{
    return resolver() ? resolver()() : nullptr;
}

void insertInlineTag(TextArea &area, const QString &tag, bool closeTag)
{
    EditGroup group(area);
    const int start = area.selStart();
    const int count = area.selLength();
    const QString startTag = QLatin1Char('<') + tag + QLatin1Char('>');
    QString text = startTag + area.selText();
    if (closeTag)
        text += QStringLiteral("</") + tag + QLatin1Char('>');
    area.setSelText(text);
    area.setSelStart(start + int(startTag.size()));
    area.setSelLength(count);
}

void insertBlockTag(TextArea &area, const QString &tag, bool closeTag)
{
    EditGroup group(area);
    const int start = area.selStart();
    // At the start of a line the character two before the caret is the CR of the line end.
    QString lineBreak;
    if (start > 1 && area.charAt(start - 2) != QLatin1Char('\r'))
        lineBreak = QStringLiteral("\r\n");
    QString text = lineBreak + QLatin1Char('<') + tag + QLatin1Char('>') + area.selText();
    if (closeTag)
        text += QStringLiteral("</") + tag + QLatin1Char('>') + lineBreak;
    area.setSelText(text);
}

void insertBlockTags(TextArea &area, const QStringList &tags, bool closeTag)
{
    EditGroup group(area);
    for (const QString &tag : tags)
        insertBlockTag(area, tag, closeTag);
}

QStringList listSkeletonTags(const QString &kind)
{
    return {kind, QStringLiteral("LI"), QStringLiteral("LI"), QLatin1Char('/') + kind};
}

void insertBeforeSelection(TextArea &area, const QString &text)
{
    EditGroup group(area);
    area.setSelText(text + area.selText());
}

void insertInlineTag(const QString &tag, bool closeTag)
{
    if (TextArea *area = insertionTarget())
        insertInlineTag(*area, tag, closeTag);
}

void insertBlockTag(const QString &tag, bool closeTag)
{
    if (TextArea *area = insertionTarget())
        insertBlockTag(*area, tag, closeTag);
}

void insertBeforeSelection(const QString &text)
{
    if (TextArea *area = insertionTarget())
        insertBeforeSelection(*area, text);
}

} // namespace vornel
