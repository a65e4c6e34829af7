#include "editor/text_codec.h"

#include <array>

namespace vornel::codec {

namespace {

// 0x80..0x9F of Windows-1252; the undefined ones keep their own number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Marks for C1 controls (among them the five bytes Windows-1252 leaves undefined); private-use
// characters no font draws as anything else.
constexpr char16_t kControlMarkBase = 0xF700;
constexpr char16_t kControlPictures = 0x2400; // U+2400..U+241F, and U+2421 for DEL

struct ReverseTable {
    std::array<qint16, 0x10000> byteOf{};
    ReverseTable()
    {
        byteOf.fill(-1);
        for (int b = 0; b < 256; ++b)
            byteOf[charOfByte(uchar(b)).unicode()] = qint16(b);
    }
};

const ReverseTable &reverseTable()
{
    static const ReverseTable table;
    return table;
}

struct DisplayTables {
    std::array<char16_t, 256> shown{};
    std::array<qint16, 0x10000> byteOf{};
    DisplayTables()
    {
        byteOf.fill(-1);
        for (int b = 0; b < 256; ++b) {
            shown[std::size_t(b)] = displayOf(charOfByte(uchar(b)).unicode());
            // Line ends are paragraph marks on screen, never characters.
            if (b != '\r' && b != '\n')
                byteOf[shown[std::size_t(b)]] = qint16(b);
        }
    }
};

const DisplayTables &displayTables()
{
    static const DisplayTables tables;
    return tables;
}

} // namespace

QChar charOfByte(uchar byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHighControls[byte - 0x80]);
    return QChar(char16_t(byte));
}

int byteOfChar(char16_t ch)
{
    return reverseTable().byteOf[ch];
}

QString decode(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = charOfByte(uchar(bytes[i]));
    return text;
}

int encodeCharAt(const QString &text, qsizetype i, QByteArray &out)
{
    const char16_t ch = text[i].unicode();
    const int byte = byteOfChar(ch);
    if (byte >= 0) {
        out.append(char(byte));
        return 1;
    }
    char32_t code = ch;
    int used = 1;
    if (QChar::isHighSurrogate(ch) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        code = QChar::surrogateToUcs4(ch, text[i + 1].unicode());
        used = 2;
    }
    out.append("&#");
    out.append(QByteArray::number(uint(code)));
    out.append(';');
    return used;
}

QByteArray encode(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();)
        i += encodeCharAt(text, i, out);
    return out;
}

char16_t displayOf(char16_t ch)
{
    if (ch < 0x20 && ch != u'\t' && ch != u'\r' && ch != u'\n')
        return char16_t(kControlPictures + ch);
    if (ch == 0x7F)
        return char16_t(kControlPictures + 0x21);
    // Every C1 control: a UTF-8 text may hold any of them, a Windows-1252 file only the five
    // bytes the code page leaves undefined.
    if (ch >= 0x80 && ch <= 0x9F)
        return char16_t(kControlMarkBase + ch);
    return ch;
}

char16_t textOf(char16_t displayed)
{
    if (displayed >= kControlPictures && displayed < kControlPictures + 0x20) {
        const char16_t ch = char16_t(displayed - kControlPictures);
        if (ch != u'\t' && ch != u'\r' && ch != u'\n')
            return ch;
        return displayed;
    }
    if (displayed == kControlPictures + 0x21)
        return 0x7F;
    if (displayed >= kControlMarkBase + 0x80 && displayed <= kControlMarkBase + 0x9F)
        return char16_t(displayed - kControlMarkBase);
    return displayed;
}

bool isReserved(char16_t ch)
{
    if (ch >= kControlPictures && ch <= kControlPictures + 0x21)
        return textOf(ch) != ch;
    if (ch >= kControlMarkBase + 0x80 && ch <= kControlMarkBase + 0x9F)
        return true;
    // The text document turns these into paragraph or frame boundaries.
    return ch == 0x2028 || ch == 0x2029 || ch == 0xFDD0 || ch == 0xFDD1;
}

char16_t displayOfByte(uchar byte)
{
    return displayTables().shown[byte];
}

int byteOfDisplayed(char16_t displayed)
{
    return displayTables().byteOf[displayed];
}

char16_t standInOf(char16_t reserved)
{
    switch (reserved) {
    case 0x2028: return 0x21B2; // a downwards arrow with tip leftwards
    case 0x2029: return 0x00B6; // the pilcrow
    case 0xFDD0:
    case 0xFDD1: return 0xFFFD;
    default: return reserved;   // a mark's own character shows as that mark does
    }
}

} // namespace vornel::codec
