#pragma once

#include <QByteArray>
#include <QString>

namespace vornel::codec {

// Document files are single-byte text: each byte is one character as the Windows-1252 code
// page shows it; the five bytes that code page leaves undefined stand for the control
// characters of the same number, so every byte value survives a load and a save.
QChar charOfByte(uchar byte);
// The byte of a character, or -1 when the code page has no single byte for it.
int byteOfChar(char16_t ch);

// Whole-file conversions. A character with no byte is written as the numeric character
// reference "&#" + code + ";" (whole code points, also beyond the basic plane).
QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);
// Appends the bytes of one character (or surrogate pair starting at text[i]); returns the
// number of QChars consumed.
int encodeCharAt(const QString &text, qsizetype i, QByteArray &out);

// The text area shows control characters as visible marks. These map a text character to the
// character displayed for it and back; every other character shows as itself.
char16_t displayOf(char16_t ch);
char16_t textOf(char16_t displayed);
// Characters that would be ambiguous on screen (they are used as marks) or that the display
// treats as a line break. Text entering the document never contains them as characters.
bool isReserved(char16_t ch);
// Fast paths for whole files: the character displayed for a byte, and the byte of a displayed
// character (-1 when it has none, as for the paragraph mark of a line end).
char16_t displayOfByte(uchar byte);
int byteOfDisplayed(char16_t displayed);

// A UTF-8 text may hold reserved characters. Each shows as this stand-in, which the text area
// tags with the character it stands for so that the two cannot be confused.
char16_t standInOf(char16_t reserved);

} // namespace vornel::codec
