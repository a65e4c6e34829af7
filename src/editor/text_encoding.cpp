#include "editor/text_encoding.h"

#include "editor/text_codec.h"

#include <algorithm>
#include <cstring>

namespace vornel {

namespace {

struct Scan {
    bool valid = true;
    bool multiByte = false;
};

bool isContinuation(uchar b)
{
    return (b & 0xC0) == 0x80;
}

// One pass over the bytes: whether they are strictly valid UTF-8, and whether any character
// took more than one byte. Runs of ASCII are skipped eight bytes at a time.
Scan scanUtf8(QByteArrayView bytes)
{
    Scan scan;
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *const end = p + bytes.size();
    while (p < end) {
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                p += 8;
                continue;
            }
        }
        const uchar b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        scan.multiByte = true;
        // The second byte's range depends on the first: this is what rules out overlong
        // forms (C0, C1, E0 80..9F, F0 80..8F), surrogates (ED A0..BF) and code points past
        // U+10FFFF (F4 90.., F5..FF).
        int length = 0;
        uchar low = 0x80;
        uchar high = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0)
                low = 0xA0;
            else if (b == 0xED)
                high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;
        } else {
            scan.valid = false;
            return scan;
        }
        if (end - p < length || p[1] < low || p[1] > high) {
            scan.valid = false;
            return scan;
        }
        for (int k = 2; k < length; ++k) {
            if (!isContinuation(p[k])) {
                scan.valid = false;
                return scan;
            }
        }
        p += length;
    }
    return scan;
}

} // namespace

void codec::appendUtf8(char32_t code, char *&dst)
{
    if (code < 0x80) {
        *dst++ = char(code);
    } else if (code < 0x800) {
        *dst++ = char(0xC0 | (code >> 6));
        *dst++ = char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *dst++ = char(0xE0 | (code >> 12));
        *dst++ = char(0x80 | ((code >> 6) & 0x3F));
        *dst++ = char(0x80 | (code & 0x3F));
    } else {
        *dst++ = char(0xF0 | (code >> 18));
        *dst++ = char(0x80 | ((code >> 12) & 0x3F));
        *dst++ = char(0x80 | ((code >> 6) & 0x3F));
        *dst++ = char(0x80 | (code & 0x3F));
    }
}

QString encodingName(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8: return QStringLiteral("UTF-8");
    case Encoding::Utf8Bom: return QStringLiteral("UTF-8 BOM");
    case Encoding::Windows1252: break;
    }
    return QStringLiteral("Windows-1252");
}

Encoding encodingNamed(const QString &name)
{
    for (const Encoding encoding : {Encoding::Utf8, Encoding::Utf8Bom}) {
        if (name == encodingName(encoding))
            return encoding;
    }
    return Encoding::Windows1252;
}

namespace codec {

bool isStrictUtf8(QByteArrayView bytes)
{
    return scanUtf8(bytes).valid;
}

Encoding detectEncoding(QByteArrayView bytes)
{
    const Scan scan = scanUtf8(bytes);
    if (!scan.valid)
        return Encoding::Windows1252;
    if (bytes.startsWith(kUtf8Bom))
        return Encoding::Utf8Bom;
    return scan.multiByte ? Encoding::Utf8 : Encoding::Windows1252;
}

QByteArrayView withoutBom(QByteArrayView bytes, Encoding encoding)
{
    return encoding == Encoding::Utf8Bom && bytes.startsWith(kUtf8Bom) ? bytes.sliced(kUtf8Bom.size()) : bytes;
}

QString decodeFile(const QByteArray &bytes)
{
    const Encoding encoding = detectEncoding(bytes);
    if (!isUtf8(encoding))
        return decode(bytes);
    return decodeUtf8(withoutBom(bytes, encoding));
}

QString decodeUtf8(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const auto *in = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const char32_t code = nextUtf8(in, i);
        if (code < 0x10000) {
            *out++ = char16_t(code);
        } else {
            *out++ = QChar::highSurrogate(code);
            *out++ = QChar::lowSurrogate(code);
        }
    }
    text.resize(out - reinterpret_cast<const char16_t *>(text.constData()));
    return text;
}

void appendSurrogate(const char16_t *src, qsizetype n, qsizetype &i, QByteArray &out, char *&dst)
{
    const char16_t unit = src[i];
    if (QChar::isHighSurrogate(unit) && i + 1 < n && QChar::isLowSurrogate(src[i + 1])) {
        appendUtf8(QChar::surrogateToUcs4(unit, src[i + 1]), dst);
        ++i;
        return;
    }
    const QByteArray reference = "&#" + QByteArray::number(int(unit)) + ';';
    const qsizetype written = dst - out.constData();
    out.resize(out.size() + reference.size());
    dst = std::copy(reference.cbegin(), reference.cend(), out.data() + written);
}

QByteArray encodeUtf8(const QString &text)
{
    // Three bytes per UTF-16 unit at most, except for references to lone surrogates.
    QByteArray out(text.size() * 3, Qt::Uninitialized);
    char *dst = out.data();
    const auto *src = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i];
        if (!QChar::isSurrogate(c)) {
            appendUtf8(c, dst);
        } else {
            appendSurrogate(src, n, i, out, dst);
        }
    }
    out.resize(dst - out.constData());
    return out;
}

} // namespace codec

} // namespace vornel
