#pragma once

#include "editor/line_ends.h"
#include "editor/text_encoding.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace vornel {

// A stretch of the text area's document as the screen holds it.
struct TextSlice {
    // A character of a UTF-8 text that the screen would take for a mark or a line break
    // (codec::isReserved), shown in doc as its stand-in at pos.
    struct Lookalike {
        qsizetype pos;
        char16_t ch;
        bool operator==(const Lookalike &) const = default;
    };

    // Display characters, U+2029 at each line end, or U+2028 at one inside a paragraph that
    // holds several lines (a real U+2028 of the text is a lookalike).
    QString doc;
    std::vector<LineEnd> ends;         // the kind of each line end in doc, in order
    std::vector<Lookalike> lookalikes = {}; // ascending; only ever in UTF-8 documents

    void append(const TextSlice &more);
};

namespace codec {

// Model text (line ends as the characters CR LF, LF or CR) to the screen's form and back. In a
// Windows-1252 text a line or paragraph separator becomes a CR LF line end and any other
// reserved character shows as the reference a save writes for it; a UTF-8 text keeps them all
// as lookalikes.
TextSlice sliceOfText(const QString &text, Encoding encoding = Encoding::Windows1252);
QString textOfSlice(const TextSlice &slice);

// File bytes to the screen's form and back, without the model text in between. A character
// with no byte is written as its numeric character reference.
TextSlice sliceOfBytes(const QByteArray &bytes);
QByteArray bytesOfSlice(const TextSlice &slice);

// The same for UTF-8: bytes that are valid UTF-8 (codec::isStrictUtf8), without a byte-order
// mark; and the bytes of a slice, the mark first when asked for.
TextSlice sliceOfUtf8(QByteArrayView bytes);
QByteArray utf8OfSlice(const TextSlice &slice, bool withBom);

} // namespace codec

} // namespace vornel
