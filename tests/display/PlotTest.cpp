// The plot: its geometry, the grid's pixels and the trace of the normal view.
#include <bit>

#include "display/PlotGeometry.h"
#include "platform/BitmapFont.h"
#include "support/MainDialogFixture.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(100, 100, 100);
constexpr COLORREF kRed = RGB(255, 0, 0);

TEST(PlotGeometry, ScalesAreSinglePrecisionProductsOfTheSize) {
  struct Case {
    int size;
    float expected;
  };
  const Case widths[] = {{250, 1.0f}, {375, std::bit_cast<float>(0x3FC00001u)}};  // 375: just above 1.5
  for (const Case& c : widths)
    EXPECT_EQ(std::bit_cast<std::uint32_t>(PositionScale(c.size)), std::bit_cast<std::uint32_t>(c.expected)) << c.size;
  const Case heights[] = {{128, 0.5f}, {256, 1.0f}, {512, 2.0f}, {446, 446.0f / 256}};
  for (const Case& c : heights) EXPECT_EQ(LevelScale(c.size), c.expected) << c.size;
  // With 375 pixels, position 2 lands on offset 3 and position 250 on the right edge.
  EXPECT_EQ(static_cast<int>(2 * static_cast<double>(PositionScale(375))), 3);
  EXPECT_EQ(static_cast<int>(250 * static_cast<double>(PositionScale(375))), 375);
}

class PlotTest : public MainDialogTest {
 protected:
  COLORREF Pixel(CMainDlg& dlg, int x, int y) { return dlg.GetSurface()->GetPixel(x, y); }
};

TEST_F(PlotTest, TheGridIsDrawnAtTheMappedPositions) {
  Run([&](CMainDlg& dlg) {
    const RECT& plot = dlg.m_rcPlot;
    // Background: black inside, the row of level 0 just below it is not.
    EXPECT_EQ(Pixel(dlg, dlg.PlotX(10), dlg.PlotY(10)), kBlack);
    EXPECT_EQ(Pixel(dlg, dlg.PlotX(5) + 1, plot.bottom), kDialogBackground);
    // A vertical line of 256 dots: on the mapped rows only.
    for (int i = 0; i <= 255; ++i) ASSERT_EQ(Pixel(dlg, dlg.PlotX(100), dlg.PlotY(i)), kGrey) << i;
    int skipped = 0;
    for (int i = 0; i < 255; ++i) {
      if (dlg.PlotY(i) - dlg.PlotY(i + 1) == 2) {
        EXPECT_EQ(Pixel(dlg, dlg.PlotX(100), dlg.PlotY(i) - 1), kBlack) << i;
        ++skipped;
      }
    }
    EXPECT_GT(skipped, 0);
    // A horizontal line: 250 dots, with the columns between them left black.
    EXPECT_EQ(Pixel(dlg, dlg.PlotX(248), dlg.PlotY(20)), kGrey);
    EXPECT_EQ(Pixel(dlg, dlg.PlotX(248) - 1, dlg.PlotY(20)), kBlack);
    EXPECT_EQ(Pixel(dlg, dlg.PlotX(5), plot.bottom), kGrey) << "level 0 lies on the row below the background";
    // No line at position 250, none at level 256.
    EXPECT_EQ(Pixel(dlg, dlg.PlotX(250), dlg.PlotY(100)), kDialogBackground);
    EXPECT_EQ(dlg.PlotY(256), plot.top);
    for (int x = plot.left + 20; x < plot.right; x += 7) ASSERT_EQ(Pixel(dlg, x, plot.top), kBlack) << x;
  });
}

TEST_F(PlotTest, AxisNumbersSitBelowThePlotAndInsideItsLeftEdge) {
  Run([&](CMainDlg& dlg) {
    // "0" under position 0: black on white, ten pixels left of the line, on the row below.
    const int x0 = dlg.PlotX(0) - 10, y0 = dlg.m_nOriginY;
    // "20" for level 20: white on black, at the left edge, ten pixels above its line.
    const int x20 = dlg.m_nOriginX, y20 = dlg.PlotY(20) - 10;
    for (int row = 0; row < kGlyphHeight; ++row) {
      for (int column = 0; column < 6; ++column) {
        const bool zero = GlyphRow('0', row) & (0x80 >> column);
        ASSERT_EQ(Pixel(dlg, x0 + column, y0 + row), zero ? kBlack : kWhite) << row << "," << column;
        if (row == 10) continue;  // the level's own dotted line runs through the number
        const bool two = GlyphRow('2', row) & (0x80 >> column);
        ASSERT_EQ(Pixel(dlg, x20 + column, y20 + row), two ? kWhite : kBlack) << row << "," << column;
      }
    }
    EXPECT_EQ(dlg.GetDlgItem(IDC_MODE_LABEL)->GetWindowText(), "Normal display");
  });
}

TEST_F(PlotTest, TheNormalViewDrawsTheLatestFrameInRedAtTheMappedPoints) {
  Run([&](CMainDlg& dlg) {
    dlg.m_nCurSensor = 2;
    dlg.m_bAwaitingFrame = 1;
    Deliver(dlg, {3, 0x10, 0xF0, 0x7F});
    Settle();
    for (auto [i, level] : {std::pair{0, 16}, {1, 240}, {2, 127}})
      EXPECT_EQ(Pixel(dlg, dlg.PlotX(i), dlg.PlotY(level)), kRed) << i;

    // Dots: 2 x 2, red on even positions and green on odd ones.
    dlg.m_nPaintMode = 1;
    dlg.InvalidateRect(&dlg.m_rcPlot, TRUE);
    Settle();
    for (auto [i, level, colour] : {std::tuple{0, 16, kRed}, {1, 240, RGB(0, 255, 0)}, {2, 127, kRed}}) {
      const int x = dlg.PlotX(i), y = dlg.PlotY(level);
      for (auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) EXPECT_EQ(Pixel(dlg, x + dx, y + dy), colour) << i;
    }
    EXPECT_EQ(Pixel(dlg, dlg.PlotX(1), 250), kBlack) << "no line between the dots";
  });
}

}  // namespace
