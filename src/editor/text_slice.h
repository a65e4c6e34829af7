#pragma once

#include "editor/line_ends.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace vornel {

// A stretch of the text area's document as the screen holds it.
struct TextSlice {
    QString doc;                 // display characters, U+2029 at each line end
    std::vector<LineEnd> ends;   // the kind of each line end in doc
};

namespace codec {

// Model text (line ends as the characters CR LF, LF or CR) to the screen's form and back. A
// line or paragraph separator becomes a CR LF line end; any other reserved character shows as
// the reference a save writes for it.
TextSlice sliceOfText(const QString &text);
QString textOfSlice(const TextSlice &slice);

// File bytes to the screen's form and back, without the model text in between. A character
// with no byte is written as its numeric character reference.
TextSlice sliceOfBytes(const QByteArray &bytes);
QByteArray bytesOfSlice(const TextSlice &slice);

} // namespace codec

} // namespace vornel
