// The drawing surface's default font: fixed cells of kGlyphWidth x kGlyphHeight pixels for
// the printable ASCII characters 32..126, drawn in a plain sans-serif style with one-pixel
// strokes.
//
// Vertical layout of a cell (row 0 at the top):
//   rows 3..12  capitals and digits (cap height 10)
//   rows 2..12  ascenders of b d f h k l (one row above the capitals)
//   rows 6..12  lower case x-height (7)
//   row 12      the baseline: the lowest row of every glyph without a descender
//   rows 13..15 descenders of g j p q y and the underscore; brackets, braces, parentheses,
//               the bar, '$', the tail of 'Q' and of ',' ';' reach a row or two down
// Capitals and digits are 7 pixels wide (columns 0..6); column 7 is the gap between
// characters, which only the underscore crosses so that a run of them joins up.
#pragma once

#include <cstdint>

constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 16;

// Row r (0 = top) of character c's glyph: bit 7 is the leftmost pixel. Characters outside
// 32..126 give the glyph of '?'; rows outside 0..kGlyphHeight-1 are blank.
std::uint8_t GlyphRow(unsigned char c, int r);
