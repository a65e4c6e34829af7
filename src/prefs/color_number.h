#pragma once

#include <QtGlobal>

class QColor;
class QPalette;

namespace vornel {

// Colours are stored as 32-bit numbers in the classic Windows encoding: 0x00BBGGRR for a
// fixed colour, or 0x80000000 + an index into the system colour table (5 = window
// background, 8 = window text, ...), which follows the desktop's colour scheme.

inline constexpr quint32 kSystemColorFlag = 0x80000000u;

// Whether a number names a colour: any fixed colour, or a system colour the table knows.
bool isKnownColorNumber(qint32 number);

// System colours are taken from the given palette; unknown indices give black.
QColor colorFromNumber(qint32 number, const QPalette &palette);
// The same, with the application's palette.
QColor colorFromNumber(qint32 number);

// The fixed-colour number (0x00BBGGRR) of a colour, as the preference dialog stores a choice.
qint32 numberFromColor(const QColor &color);

} // namespace vornel
