#include "editor/text_slice.h"

#include "editor/text_codec.h"

#include <algorithm>

namespace vornel::codec {

namespace {

constexpr char16_t kParagraph = 0x2029;

} // namespace

TextSlice sliceOfText(const QString &text)
{
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
    for (const QChar c : slice.doc) {
        const char16_t ch = c.unicode();
        if (ch >= 0x20 && ch < 0x7F) {
            *dst++ = c;
        } else if (ch == kParagraph) {
            switch (slice.ends[end++]) {
            case LineEnd::CrLf:
                *dst++ = QChar(u'\r');
                *dst++ = QChar(u'\n');
                break;
            case LineEnd::Lf: *dst++ = QChar(u'\n'); break;
            case LineEnd::Cr: *dst++ = QChar(u'\r'); break;
            }
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
        } else if (c == kParagraph) {
            switch (ends[end++]) {
            case LineEnd::CrLf:
                *dst++ = '\r';
                *dst++ = '\n';
                break;
            case LineEnd::Lf: *dst++ = '\n'; break;
            case LineEnd::Cr: *dst++ = '\r'; break;
            }
            ++i;
        } else {
            QByteArray reference;
            i += encodeCharAt(raw, i, reference);
            const qsizetype written = dst - out.constData();
            out.resize(out.size() + reference.size() - 1);
            dst = out.data() + written;
            dst = std::copy(reference.cbegin(), reference.cend(), dst);
        }
    }
    out.resize(dst - out.constData());
    return out;
}

} // namespace vornel::codec
