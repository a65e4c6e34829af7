#include "dialogs/form_markup.h"

namespace vornel {

namespace {

const QString kQuote = QStringLiteral("\"");
const QString kLineEnd = QStringLiteral("\r\n");

// ' NAME="value"' and the like: a blank, the attribute, and the value in quotation marks.
QString attribute(const char *name, const QString &value)
{
    return u' ' + QLatin1StringView(name) + u'=' + kQuote + value + kQuote;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The leading number of a box's text. The whole part is kept as its digits, so that a value
// of any length can be stepped without overflowing.
struct LeadingNumber {
    bool negative = false;
    QString whole;  // without leading zeros; empty for a whole part of 0
    bool zero = true;

    // Up to nine digits always fit the arithmetic; longer values lie outside every range.
    bool isCountable() const { return whole.size() <= 9; }
    qint64 value() const { return (negative ? -1 : 1) * whole.toLongLong(); }
};

LeadingNumber leadingNumber(const QString &text)
{
    LeadingNumber number;
    qsizetype at = 0;
    while (at < text.size() && text[at].isSpace())
        ++at;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+'))
        number.negative = text[at++] == u'-';
    const qsizetype digits = at;
    while (at < text.size() && isDigit(text[at]))
        ++at;
    qsizetype significant = digits;
    while (significant < at && text[significant] == u'0')
        ++significant;
    number.whole = text.mid(significant, at - significant);
    number.zero = number.whole.isEmpty();
    if (at < text.size() && text[at] == u'.') {
        for (++at; at < text.size() && isDigit(text[at]); ++at) {
            if (text[at] != u'0')
                number.zero = false;
        }
    }
    return number;
}

// One less than a whole part of more than nine digits, digit by digit.
QString decremented(QString digits)
{
    qsizetype at = digits.size() - 1;
    while (digits[at] == u'0')
        digits[at--] = u'9';
    digits[at] = QChar(digits[at].unicode() - 1);
    if (digits.size() > 1 && digits[0] == u'0')
        digits.remove(0, 1);
    return digits;
}

} // namespace

InputFieldLayout inputFieldLayout(const QString &fieldType)
{
    InputFieldLayout layout;
    layout.sizes = fieldType == u"TEXT" || fieldType == u"PASSWORD";
    layout.checkBox = fieldType == u"CHECKBOX" || fieldType == u"RADIO";
    layout.image = fieldType == u"IMAGE";
    return layout;
}

QString inputFieldTag(const InputFieldValues &values)
{
    const InputFieldLayout layout = inputFieldLayout(values.fieldType);
    QString attributes;
    if (layout.sizes)
        attributes = attribute("SIZE", values.width) + attribute("MAXLENGTH", values.maxLength);
    else if (layout.checkBox && values.checked)
        attributes = QStringLiteral(" CHECKED");
    else if (layout.image)
        attributes = attribute("SRC", values.image);
    // The image takes the place of the text, so an image field has no value.
    if (!values.value.isEmpty() && !layout.image)
        attributes.prepend(attribute("VALUE", values.value));
    return QStringLiteral("INPUT") + attribute("NAME", values.name) + attribute("TYPE", values.fieldType) + attributes;
}

QString inputFieldTail(const QString &selected)
{
    return selected + QStringLiteral("<BR>") + kLineEnd;
}

QString selectTag(const QString &selectOption, const QString &name, const QString &size)
{
    return QStringLiteral("SELECT") + selectOption + attribute("NAME", name) + attribute("SIZE", size);
}

QString selectTail(const QString &selected)
{
    const QString option = QStringLiteral("<OPTION>");
    return kLineEnd + option + selected + kLineEnd + option + kLineEnd + QStringLiteral("</SELECT>");
}

QString textAreaTag(const QString &name, const QString &rows, const QString &columns)
{
    return QStringLiteral("TEXTAREA") + attribute("NAME", name) + attribute("ROWS", rows) + attribute("COLS", columns);
}

QString textAreaTail(const QString &defaultText)
{
    return defaultText + QStringLiteral("</TEXTAREA>");
}

bool readsAsZero(const QString &text)
{
    // A sign alone is a number still being typed: the digits come next.
    const QString trimmed = text.trimmed();
    if (trimmed == u"-" || trimmed == u"+")
        return false;
    return leadingNumber(text).zero;
}

QString stepUp(const QString &text, int top)
{
    const LeadingNumber number = leadingNumber(text);
    if (number.isCountable())
        return number.value() >= top ? QStringLiteral("1") : QString::number(number.value() + 1);
    return number.negative ? u'-' + decremented(number.whole) : QStringLiteral("1");
}

QString stepDown(const QString &text, int top)
{
    const LeadingNumber number = leadingNumber(text);
    if (number.isCountable())
        return number.value() <= 1 ? QString::number(top) : QString::number(number.value() - 1);
    return number.negative ? QString::number(top) : decremented(number.whole);
}

} // namespace vornel
