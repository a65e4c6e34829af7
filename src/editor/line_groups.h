#pragma once

#include "editor/text_slice.h"

namespace vornel::linegroup {

// A text of many lines is held on screen with several short lines per paragraph, joined by
// U+2028 line ends that stand for the file's own line ends: the screen lays out, and keeps in
// memory, a paragraph per eight lines instead of one per line, which makes loading a large
// page several times faster and smaller. Soft breaks stay paragraph boundaries. Measured on
// 100 MB of 100-character lines: eight lines load 100 MB in 1.15 s against 1.0 s for sixteen,
// while a key in a 10 MB page costs what it did with a paragraph per line (sixteen doubled it).
constexpr int kLines = 8;
// Only a text with at least this many line ends is grouped; a smaller one keeps a paragraph per
// line.
constexpr int kFrom = 8192;

// Every non-soft line end of the slice that fits becomes a U+2028 inside a paragraph, so that a
// paragraph holds at most lines lines and, past its first line, at most maxChars characters.
// Positions do not move: each line end stays one character. Gives the number of U+2028 in
// each paragraph of the result.
std::vector<int> group(TextSlice &slice, int lines, int maxChars);
// The U+2028 line ends of doc back to paragraph ends.
void ungroup(QString &doc);

} // namespace vornel::linegroup
