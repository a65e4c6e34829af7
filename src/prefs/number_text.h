#pragma once

#include <QString>
#include <QStringView>

namespace vornel {

// Numbers in the settings store are text: " 8", " 0", "-1". Reading accepts the decimal
// form (surrounding blanks ignored, fractions rounded half to even) and "&H" hexadecimal,
// which is taken as the two's complement of the target width ("&HFFFF" is -1 as a 16-bit
// value but 65535 as a 32-bit one).

enum class ConversionError { None, TypeMismatch, Overflow };

template <typename Int>
struct Converted {
    Int value = 0;  // 0 unless ok()
    ConversionError error = ConversionError::None;
    bool ok() const { return error == ConversionError::None; }
};

// Decimal text with a leading blank for non-negative numbers and a minus sign otherwise.
QString numberToText(qint64 number);

Converted<qint16> textToInt16(QStringView text);
Converted<qint32> textToInt32(QStringView text);

} // namespace vornel
