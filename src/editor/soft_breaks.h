#pragma once

#include "editor/text_slice.h"

#include <vector>

namespace vornel::softbreak {

// A line longer than twice the limit is held on screen as several paragraphs of about the
// limit, joined by soft breaks (LineEnd::Soft), so that a key in a minified page lays out a
// couple of thousand characters rather than the whole line. Ordinary lines never get one.
// Measured on a 10 MB line: at 1024 a key and its repaint take under 0.6 ms and an Enter that
// splits a paragraph 1.6 ms; at 2048 that Enter came to 2.1 ms.
constexpr int kLimit = 1024;

// A paragraph longer than this is split; one shorter than minimum() next to a soft break is
// joined to its neighbour.
constexpr qsizetype maximum(int limit) { return 2 * qsizetype(limit); }
constexpr qsizetype minimum(int limit) { return limit / 2; }

// The slice with its soft breaks taken out and its lines ungrouped (linegroup::ungroup) and every line longer than maximum() broken into
// paragraphs of half the limit to one and a half times it, after a ">" or a blank where one
// lies in the last half of the limit, as wrapping would break it. Each mark, a position in
// slice.doc, is moved to the same place of the text in the result; a mark where a break now
// stands stays before it.
TextSlice rebroken(const TextSlice &slice, std::vector<qsizetype> *marks = nullptr, int limit = kLimit);

} // namespace vornel::softbreak
