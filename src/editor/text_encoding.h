#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

namespace vornel {

// How a document's characters are stored in its file. Windows-1252 is one byte per character
// (see codec); UTF-8 documents remember whether the file began with the byte-order mark, so that
// a save writes it again.
enum class Encoding : std::uint8_t { Windows1252, Utf8, Utf8Bom };

inline bool isUtf8(Encoding encoding)
{
    return encoding != Encoding::Windows1252;
}

// Stable names, for storing an encoding ("Windows-1252", "UTF-8", "UTF-8 BOM"), and back; an
// unknown name gives Windows-1252.
QString encodingName(Encoding encoding);
Encoding encodingNamed(const QString &name);

namespace codec {

inline constexpr QByteArrayView kUtf8Bom{"\xEF\xBB\xBF", 3};

// True when bytes are well-formed UTF-8 in the strict sense: no overlong forms, no encoded
// surrogates, nothing beyond U+10FFFF, no cut-off sequence at the end.
bool isStrictUtf8(QByteArrayView bytes);

// The encoding a file's bytes are read in: UTF-8 when they are strictly valid UTF-8 and either
// start with the byte-order mark or hold at least one multi-byte sequence; everything else,
// pure ASCII included, is Windows-1252, so such files keep every byte as before.
Encoding detectEncoding(QByteArrayView bytes);

// The bytes after a byte-order mark the encoding says is there.
QByteArrayView withoutBom(QByteArrayView bytes, Encoding encoding);

// A whole file's text by the rule above (the byte-order mark is not part of the text).
QString decodeFile(const QByteArray &bytes);

// Valid UTF-8 (see isStrictUtf8) to text; a byte-order mark is taken as a character.
QString decodeUtf8(QByteArrayView bytes);

// The code point of the valid UTF-8 sequence at in[i]; i moves past it.
inline char32_t nextUtf8(const uchar *in, qsizetype &i)
{
    const uchar b = in[i];
    if (b < 0x80) {
        ++i;
        return b;
    }
    if (b < 0xE0) {
        const char32_t code = (char32_t(b & 0x1F) << 6) | (in[i + 1] & 0x3F);
        i += 2;
        return code;
    }
    if (b < 0xF0) {
        const char32_t code = (char32_t(b & 0x0F) << 12) | (char32_t(in[i + 1] & 0x3F) << 6) | (in[i + 2] & 0x3F);
        i += 3;
        return code;
    }
    const char32_t code = (char32_t(b & 0x07) << 18) | (char32_t(in[i + 1] & 0x3F) << 12)
        | (char32_t(in[i + 2] & 0x3F) << 6) | (in[i + 3] & 0x3F);
    i += 4;
    return code;
}

// Writes the UTF-8 bytes of one code point at dst and moves dst past them (at most four).
void appendUtf8(char32_t code, char *&dst);
// The surrogate at src[i] of n units: a pair is written as its code point and i moves to its
// second unit; a lone surrogate, which no UTF-8 file can hold, is written as "&#N;" (out grows
// to take it). dst moves past what was written.
void appendSurrogate(const char16_t *src, qsizetype n, qsizetype &i, QByteArray &out, char *&dst);

// Text to UTF-8. Valid text converts losslessly; a lone surrogate, which no UTF-8 file can
// hold, is written as its numeric character reference.
QByteArray encodeUtf8(const QString &text);

} // namespace codec

} // namespace vornel
