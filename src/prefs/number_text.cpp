#include "prefs/number_text.h"

#include <QRegularExpression>

#include <cmath>

namespace vornel {

namespace {

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Parses text into a signed integer of the given width (16 or 32 bits).
Converted<qint64> parseInteger(QStringView text, int bits)
{
    const qint64 min = -(qint64(1) << (bits - 1));
    const qint64 max = (qint64(1) << (bits - 1)) - 1;
    const QStringView trimmed = text.trimmed();

    if (trimmed.startsWith(u"&H", Qt::CaseInsensitive)) {
        const QStringView digits = trimmed.mid(2);
        if (digits.isEmpty())
            return {0, ConversionError::TypeMismatch};
        const quint64 limit = (quint64(1) << bits) - 1;
        quint64 value = 0;
        bool overflow = false;
        for (QChar c : digits) {
            const int digit = hexDigitValue(c);
            if (digit < 0)
                return {0, ConversionError::TypeMismatch};
            // Keep scanning after an overflow: a later non-digit still makes it a mismatch.
            if (!overflow) {
                value = value * 16 + quint64(digit);
                overflow = value > limit;
            }
        }
        if (overflow)
            return {0, ConversionError::Overflow};
        const qint64 signedValue = value > quint64(max) ? qint64(value) - (qint64(1) << bits)
                                                         : qint64(value);
        return {signedValue, ConversionError::None};
    }

    // Plain decimal only: no thousands separators, no "inf"/"nan", no C-style hex.
    static const QRegularExpression decimal(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    if (!decimal.match(trimmed).hasMatch())
        return {0, ConversionError::TypeMismatch};

    bool ok = false;
    const double number = trimmed.toDouble(&ok);
    // Having passed the pattern, the text fails only beyond the range of a double: too large
    // is an overflow, too small comes back as 0, which is the right integer.
    if (!ok && number != 0)
        return {0, ConversionError::Overflow};
    // The default floating-point rounding mode rounds halves to even.
    const double rounded = std::nearbyint(number);
    if (rounded < double(min) || rounded > double(max))
        return {0, ConversionError::Overflow};
    return {qint64(rounded), ConversionError::None};
}

template <typename Int>
Converted<Int> narrow(const Converted<qint64> &wide)
{
    return {Int(wide.value), wide.error};
}

} // namespace

QString numberToText(qint64 number)
{
    const QString digits = QString::number(number);
    return number < 0 ? digits : QLatin1Char(' ') + digits;
}

Converted<qint16> textToInt16(QStringView text)
{
    return narrow<qint16>(parseInteger(text, 16));
}

Converted<qint32> textToInt32(QStringView text)
{
    return narrow<qint32>(parseInteger(text, 32));
}

} // namespace vornel
