// The drawing context on a small surface: exact pixels.
#include <gtest/gtest.h>

#include "platform/BitmapFont.h"
#include "platform/PaintDC.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGrey = RGB(100, 100, 100);

// The surface as text: '#' where `colour` is, '.' elsewhere, row by row.
std::string Picture(const Surface& surface, COLORREF colour) {
  std::string text;
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) text += surface.GetPixel(x, y) == colour ? '#' : '.';
    text += '\n';
  }
  return text;
}

TEST(PaintDC, LinesLeaveOutTheirEndPointAndAWidthTwoPenIsTwoPixelsWide) {
  Surface surface(6, 4, kWhite);
  CDC dc(surface, {0, 0, 6, 4});
  CPen grey(PS_SOLID, 1, kGrey);
  dc.SelectObject(&grey);
  dc.MoveTo(0, 0);
  dc.LineTo(4, 0);
  dc.MoveTo(5, 3);
  dc.LineTo(5, 2);  // a one-pixel line: only its start
  EXPECT_EQ(Picture(surface, kGrey),
            "####..\n"
            "......\n"
            "......\n"
            ".....#\n");

  Surface wide(6, 5, kWhite);
  CDC wideDc(wide, {0, 0, 6, 5});
  CPen red(PS_SOLID, 2, kRed);
  CPen* old = wideDc.SelectObject(&red);
  wideDc.MoveTo(0, 1);
  wideDc.LineTo(4, 1);
  EXPECT_EQ(Picture(wide, kRed),
            "......\n"
            "#####.\n"
            "#####.\n"
            "......\n"
            "......\n");
  EXPECT_EQ(wideDc.SelectObject(old), &red);
}

TEST(PaintDC, RectangleCoversExactlyItsHalfOpenAreaWithEdgeAndFill) {
  Surface surface(6, 5, kWhite);
  CDC dc(surface, {0, 0, 6, 5});
  CBrush black(kBlack);
  dc.SelectObject(&black);
  dc.Rectangle(1, 1, 4, 3);  // the fresh context's pen is black too
  EXPECT_EQ(Picture(surface, kBlack),
            "......\n"
            ".###..\n"
            ".###..\n"
            "......\n"
            "......\n");

  Surface outlined(5, 5, kWhite);
  CDC outlinedDc(outlined, {0, 0, 5, 5});
  CPen red(PS_SOLID, 1, kRed);
  outlinedDc.SelectObject(&red);
  outlinedDc.Rectangle(0, 0, 4, 4);  // white brush inside a red edge
  EXPECT_EQ(Picture(outlined, kRed),
            "####.\n"
            "#..#.\n"
            "#..#.\n"
            "####.\n"
            ".....\n");
}

TEST(PaintDC, EverythingIsClippedToThePaintArea) {
  Surface surface(6, 4, kWhite);
  CDC dc(surface, {2, 1, 4, 3});
  CBrush black(kBlack);
  dc.SelectObject(&black);
  dc.SetBkColor(kRed);
  dc.TextOut(0, 0, "8");
  dc.SetPixel(0, 0, kRed);
  dc.MoveTo(0, 3);
  dc.LineTo(6, 3);
  dc.Rectangle(0, 0, 6, 4);
  EXPECT_EQ(Picture(surface, kWhite),
            "######\n"
            "##..##\n"
            "##..##\n"
            "######\n");
}

TEST(PaintDC, TextHasItsTopLeftAtThePointOnAnOpaqueBackground) {
  Surface surface(2 * kGlyphWidth + 2, kGlyphHeight + 2, kGrey);
  CDC dc(surface, {0, 0, surface.Width(), surface.Height()});
  dc.TextOut(1, 1, "1-");  // fresh context: black on white
  for (int y = 0; y < surface.Height(); ++y) {
    for (int x = 0; x < surface.Width(); ++x) {
      const bool inside = x >= 1 && x < 1 + 2 * kGlyphWidth && y >= 1 && y < 1 + kGlyphHeight;
      COLORREF expected = kGrey;
      if (inside) {
        const unsigned char c = x - 1 < kGlyphWidth ? '1' : '-';
        const bool set = GlyphRow(c, y - 1) & (0x80 >> ((x - 1) % kGlyphWidth));
        expected = set ? kBlack : kWhite;
      }
      ASSERT_EQ(surface.GetPixel(x, y), expected) << x << "," << y;
    }
  }
  dc.SetBkColor(kBlack);
  dc.SetTextColor(kWhite);
  dc.TextOut(1, 1, " ");
  EXPECT_EQ(surface.GetPixel(1, 1), kBlack);
}

}  // namespace
