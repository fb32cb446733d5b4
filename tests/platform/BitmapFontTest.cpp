// The built-in bitmap font: every printable character is drawn and tells itself apart, and
// the digits keep to the cell's layout so that numbers line up.
#include <array>
#include <cstdint>
#include <map>

#include <gtest/gtest.h>

#include "platform/BitmapFont.h"

namespace {

using Glyph = std::array<std::uint8_t, kGlyphHeight>;

Glyph GlyphOf(unsigned char c) {
  Glyph glyph{};
  for (int r = 0; r < kGlyphHeight; ++r) glyph[r] = GlyphRow(c, r);
  return glyph;
}

bool IsBlank(const Glyph& glyph) {
  for (std::uint8_t row : glyph) {
    if (row != 0) return false;
  }
  return true;
}

TEST(BitmapFont, PrintableGlyphsAreDrawnAndAllDifferent) {
  EXPECT_TRUE(IsBlank(GlyphOf(' ')));
  std::map<Glyph, char> seen;
  for (int c = 33; c <= 126; ++c) {
    const Glyph glyph = GlyphOf(static_cast<unsigned char>(c));
    EXPECT_FALSE(IsBlank(glyph)) << "'" << static_cast<char>(c) << "' is blank";
    const auto [it, inserted] = seen.emplace(glyph, static_cast<char>(c));
    EXPECT_TRUE(inserted) << "'" << static_cast<char>(c) << "' looks like '" << it->second << "'";
  }
}

TEST(BitmapFont, CharactersOutsidePrintableAsciiDrawAsQuestionMark) {
  const Glyph question = GlyphOf('?');
  for (int c = 0; c <= 255; ++c) {
    if (c >= 32 && c <= 126) continue;
    EXPECT_EQ(GlyphOf(static_cast<unsigned char>(c)), question) << "character " << c;
  }
  EXPECT_EQ(GlyphRow('8', -1), 0);
  EXPECT_EQ(GlyphRow('8', kGlyphHeight), 0);
}

// Digits fill rows 3..12 (nothing above the cap line, nothing in the descender rows 13..15)
// and columns 0..6, leaving column 7 as the gap before the next character.
TEST(BitmapFont, DigitsShareCapHeightBaselineAndRightGap) {
  for (char c = '0'; c <= '9'; ++c) {
    const Glyph glyph = GlyphOf(static_cast<unsigned char>(c));
    for (int r = 0; r < kGlyphHeight; ++r) {
      EXPECT_EQ(glyph[r] & 0x01, 0) << "'" << c << "' row " << r << " touches column 7";
      if (r < 3 || r > 12) {
        EXPECT_EQ(glyph[r], 0) << "'" << c << "' row " << r;
      }
    }
    EXPECT_NE(glyph[3], 0) << "'" << c << "' does not reach the cap line";
    EXPECT_NE(glyph[12], 0) << "'" << c << "' does not stand on the baseline";
  }
}

}  // namespace
