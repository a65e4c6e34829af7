#include "editor/text_slice.h"

#include "editor/text_codec.h"

#include <algorithm>

namespace vornel::codec {

namespace {

constexpr char16_t kParagraph = 0x2029;
// A line end inside a paragraph that holds several short lines.
constexpr char16_t kLine = 0x2028;

// The line end of a slice at its next U+2029, as bytes.
char *putLineEnd(LineEnd kind, char *dst)
{
    switch (kind) {
    case LineEnd::CrLf:
        *dst++ = '\r';
        *dst++ = '\n';
        break;
    case LineEnd::Lf: *dst++ = '\n'; break;
    case LineEnd::Cr: *dst++ = '\r'; break;
    case LineEnd::Soft: break;
    }
    return dst;
}

} // namespace

} // namespace vornel::codec

namespace vornel {

void TextSlice::append(const TextSlice &more)
{
    for (const Lookalike &l : more.lookalikes)
        lookalikes.push_back({l.pos + doc.size(), l.ch});
    doc += more.doc;
    ends.insert(ends.end(), more.ends.begin(), more.ends.end());
}

} // namespace vornel

namespace vornel::codec {

TextSlice sliceOfText(const QString &text, Encoding encoding)
{
    const bool utf8 = isUtf8(encoding);
    TextSlice slice;
    // Written straight into a buffer of the text's size: only a reserved character, written
    // as its reference, makes the result longer.
    slice.doc.resize(text.size());
    QChar *out = slice.doc.data();
    qsizetype j = 0;
    const auto *in = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ch = in[i];
        if (ch >= 0x20 && ch < 0x7F) {
            out[j++] = QChar(ch);
        } else if (ch == u'\r') {
            if (i + 1 < n && in[i + 1] == u'\n') {
                ++i;
                slice.ends.push_back(LineEnd::CrLf);
            } else {
                slice.ends.push_back(LineEnd::Cr);
            }
            out[j++] = QChar(kParagraph);
        } else if (ch == u'\n') {
            slice.ends.push_back(LineEnd::Lf);
            out[j++] = QChar(kParagraph);
        } else if (!isReserved(ch)) {
            out[j++] = QChar(displayOf(ch));
        } else if (utf8) {
            slice.lookalikes.push_back({j, ch});
            out[j++] = QChar(standInOf(ch));
        } else if (ch == 0x2028 || ch == kParagraph) {
            slice.ends.push_back(LineEnd::CrLf);
            out[j++] = QChar(kParagraph);
        } else {
            // Kept as what a save would write for it, so the screen never lies.
            const QString reference = QStringLiteral("&#%1;").arg(int(ch));
            slice.doc.resize(slice.doc.size() + reference.size() - 1);
            out = slice.doc.data();
            for (const QChar c : reference)
                out[j++] = c;
        }
    }
    slice.doc.resize(j);
    return slice;
}

QString textOfSlice(const TextSlice &slice)
{
    QString out(slice.doc.size() + qsizetype(slice.ends.size()), Qt::Uninitialized);
    QChar *dst = out.data();
    std::size_t end = 0;
    auto lookalike = slice.lookalikes.cbegin();
    for (const QChar &c : slice.doc) {
        const char16_t ch = c.unicode();
        if (ch >= 0x20 && ch < 0x7F) {
            *dst++ = c;
        } else if (ch == kParagraph || ch == kLine) {
            switch (slice.ends[end++]) {
            case LineEnd::CrLf:
                *dst++ = QChar(u'\r');
                *dst++ = QChar(u'\n');
                break;
            case LineEnd::Lf: *dst++ = QChar(u'\n'); break;
            case LineEnd::Cr: *dst++ = QChar(u'\r'); break;
            case LineEnd::Soft: break;
            }
        } else if (lookalike != slice.lookalikes.cend() && lookalike->pos == &c - slice.doc.constData()) {
            *dst++ = QChar(lookalike->ch);
            ++lookalike;
        } else {
            *dst++ = QChar(textOf(ch));
        }
    }
    out.resize(dst - out.constData());
    return out;
}

TextSlice sliceOfBytes(const QByteArray &bytes)
{
    TextSlice slice;
    slice.doc.resize(bytes.size());
    QChar *out = slice.doc.data();
    qsizetype j = 0;
    const char *in = bytes.constData();
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const uchar b = uchar(in[i]);
        if (b == '\r') {
            if (i + 1 < n && in[i + 1] == '\n') {
                ++i;
                slice.ends.push_back(LineEnd::CrLf);
            } else {
                slice.ends.push_back(LineEnd::Cr);
            }
            out[j++] = QChar(kParagraph);
        } else if (b == '\n') {
            slice.ends.push_back(LineEnd::Lf);
            out[j++] = QChar(kParagraph);
        } else {
            out[j++] = QChar(displayOfByte(b));
        }
    }
    slice.doc.resize(j);
    return slice;
}

QByteArray bytesOfSlice(const TextSlice &slice)
{
    const QString &raw = slice.doc;
    const std::vector<LineEnd> &ends = slice.ends;
    qsizetype crlfCount = 0;
    for (const LineEnd kind : ends)
        crlfCount += kind == LineEnd::CrLf ? 1 : 0;
    // Sized for the usual case where every character has its byte; a reference written for
    // one that has none grows it.
    QByteArray out(raw.size() + crlfCount, Qt::Uninitialized);
    char *dst = out.data();
    std::size_t end = 0;
    const auto *src = reinterpret_cast<const char16_t *>(raw.utf16());
    const qsizetype n = raw.size();
    for (qsizetype i = 0; i < n;) {
        const char16_t c = src[i];
        if (c >= 0x20 && c < 0x7F) {
            *dst++ = char(c);
            ++i;
            continue;
        }
        const int byte = byteOfDisplayed(c);
        if (byte >= 0) {
            *dst++ = char(byte);
            ++i;
        } else if (c == kParagraph || c == kLine) {
            dst = putLineEnd(ends[end++], dst);
            ++i;
        } else {
            QByteArray reference;
            // A control's mark stands for a control without a byte of its own.
            const char16_t ch = textOf(c);
            if (ch != c) {
                encodeCharAt(QString(QChar(ch)), 0, reference);
                ++i;
            } else {
                i += encodeCharAt(raw, i, reference);
            }
            const qsizetype written = dst - out.constData();
            out.resize(out.size() + reference.size() - 1);
            dst = out.data() + written;
            dst = std::copy(reference.cbegin(), reference.cend(), dst);
        }
    }
    out.resize(dst - out.constData());
    return out;
}

TextSlice sliceOfUtf8(QByteArrayView bytes)
{
    TextSlice slice;
    // Never more UTF-16 units than bytes.
    slice.doc.resize(bytes.size());
    auto *out = reinterpret_cast<char16_t *>(slice.doc.data());
    qsizetype j = 0;
    const auto *in = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uchar b = in[i];
        if (b >= 0x20 && b < 0x7F) {
            out[j++] = b;
            ++i;
        } else if (b == '\r') {
            if (i + 1 < n && in[i + 1] == '\n') {
                ++i;
                slice.ends.push_back(LineEnd::CrLf);
            } else {
                slice.ends.push_back(LineEnd::Cr);
            }
            out[j++] = kParagraph;
            ++i;
        } else if (b == '\n') {
            slice.ends.push_back(LineEnd::Lf);
            out[j++] = kParagraph;
            ++i;
        } else {
            const char32_t code = nextUtf8(in, i);
            if (code >= 0x10000) {
                out[j++] = QChar::highSurrogate(code);
                out[j++] = QChar::lowSurrogate(code);
            } else if (isReserved(char16_t(code))) {
                slice.lookalikes.push_back({j, char16_t(code)});
                out[j++] = standInOf(char16_t(code));
            } else {
                out[j++] = displayOf(char16_t(code));
            }
        }
    }
    slice.doc.resize(j);
    return slice;
}

QByteArray utf8OfSlice(const TextSlice &slice, bool withBom)
{
    const QString &raw = slice.doc;
    qsizetype crlfCount = 0;
    for (const LineEnd kind : slice.ends)
        crlfCount += kind == LineEnd::CrLf ? 1 : 0;
    // At most three bytes per UTF-16 unit; only a reference to a lone surrogate grows it.
    QByteArray out(kUtf8Bom.size() + raw.size() * 3 + crlfCount, Qt::Uninitialized);
    char *dst = out.data();
    if (withBom)
        dst = std::copy(kUtf8Bom.cbegin(), kUtf8Bom.cend(), dst);
    std::size_t end = 0;
    auto lookalike = slice.lookalikes.cbegin();
    const auto *src = reinterpret_cast<const char16_t *>(raw.utf16());
    const qsizetype n = raw.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = src[i];
        if (c >= 0x20 && c < 0x7F) {
            *dst++ = char(c);
        } else if (c == kParagraph || c == kLine) {
            dst = putLineEnd(slice.ends[end++], dst);
        } else if (lookalike != slice.lookalikes.cend() && lookalike->pos == i) {
            appendUtf8(lookalike->ch, dst);
            ++lookalike;
        } else if (!QChar::isSurrogate(c)) {
            appendUtf8(textOf(c), dst);
        } else {
            appendSurrogate(src, n, i, out, dst);
        }
    }
    out.resize(dst - out.constData());
    return out;
}

} // namespace vornel::codec
