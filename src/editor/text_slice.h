#pragma once

#include "editor/line_ends.h"

#include <QString>

#include <vector>

namespace vornel {

// A stretch of the text area's document as the screen holds it.
struct TextSlice {
    QString doc;                 // display characters, U+2029 at each line end
    std::vector<LineEnd> ends;   // the kind of each line end in doc
};

} // namespace vornel
