// The three views: status line, listing, sum of squares, warnings, traces, and the display
// mode that commands choose and every paint sets back.
#include "platform/Input.h"
#include "support/MainDialogFixture.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr const char* kCompare0 =
    "The time of the the receiving data for the 2 group sensor is 0, \ncan't contrast display. ";
constexpr const char* kCompare1 =
    "The time of the the receiving data for the 2 group sensor is 1, \ncan't contrast display. ";
constexpr const char* kAverage0 =
    "The time of the the receiving data for the  2 group sensor is 0, \r\ncan't calculate in average!";

class ViewsTest : public MainDialogTest {
 protected:
  // Takes a frame for sensor `s` as the intake does for a request.
  void Take(CMainDlg& dlg, int s, std::vector<BYTE> frame) {
    dlg.m_nCurSensor = static_cast<std::uint8_t>(s);
    dlg.m_bAwaitingFrame = 1;
    Deliver(dlg, frame);
  }
  // Repaints the plot with Start and End as typed, and returns the boxes the paint showed.
  std::vector<std::string> Paint(CMainDlg& dlg, const char* start = "0", const char* end = "0") {
    dlg.SetDlgItemText(IDC_START, start);
    dlg.SetDlgItemText(IDC_END, end);
    host_.boxes.clear();
    dlg.InvalidateRect(&dlg.m_rcPlot, TRUE);
    Settle();
    return host_.BoxTexts();
  }
  std::string Text(CMainDlg& dlg, int id) { return dlg.GetDlgItem(id)->GetWindowText(); }
  COLORREF Pixel(CMainDlg& dlg, int i, int level) { return dlg.GetSurface()->GetPixel(dlg.PlotX(i), dlg.PlotY(level)); }
};

TEST_F(ViewsTest, NormalViewListsTheFrameAndSumsSquaresOfSignedSamples) {
  Run([&](CMainDlg& dlg) {
    Take(dlg, 2, {3, 0x10, 0xF0, 0x7F});
    EXPECT_TRUE(Paint(dlg, "0", "3").empty());
    EXPECT_EQ(Text(dlg, IDC_STATUS), "AVERAGE->CNT:3,Select SensorNO:2");
    EXPECT_EQ(Text(dlg, IDC_DATA), "0000:0X10\r\n0001:0XF0\r\n0002:0X7F\r\n");
    EXPECT_EQ(Text(dlg, IDC_SQUARE_SUM), "16641");
    EXPECT_EQ(Text(dlg, IDC_MODE_LABEL), "Normal display");
    for (auto [i, level] : {std::pair{0, 16}, {1, 240}, {2, 127}}) EXPECT_EQ(Pixel(dlg, i, level), kRed) << i;
  });
}

TEST_F(ViewsTest, TheSumOfSquaresRangeFollowsItsEightBitCounter) {
  std::vector<BYTE> frame{120};
  for (int k = 1; k <= 120; ++k) frame.push_back(static_cast<BYTE>(k));  // position i holds i + 1
  auto squares = [](int first, int last) {
    long sum = 0;
    for (int v = first; v <= last; ++v) sum += static_cast<long>(static_cast<std::int8_t>(v)) * static_cast<std::int8_t>(v);
    return std::to_string(sum);
  };
  struct Case {
    const char* start;
    const char* end;
    std::string sum;
  };
  const Case cases[] = {
      {"0", "3", squares(1, 3)},
      {"300", "100", squares(45, 100)},  // the counter starts at 300 modulo 256 = 44
      {"0", "0", "0"},
      {"0", "-5", "0"},
      {"50", "50", "0"},
      {"200", "100", "0"},
      {"0", "1000", squares(1, 120)},  // ends at the buffer's last position; zeros after the frame
      {"-1", "1000", "0"},             // -1 is 255 to the counter: past the buffer already
  };
  Run([&](CMainDlg& dlg) {
    Take(dlg, 5, frame);
    for (const Case& c : cases) {
      Paint(dlg, c.start, c.end);
      EXPECT_EQ(Text(dlg, IDC_SQUARE_SUM), c.sum) << c.start << ".." << c.end;
    }
  });
}

TEST_F(ViewsTest, AnEmptyFrameListsNothingAndALengthOf255ShowsTheRowsSamples) {
  Run([&](CMainDlg& dlg) {
    Take(dlg, 4, {0});
    Paint(dlg);
    EXPECT_EQ(Text(dlg, IDC_STATUS), "AVERAGE->CNT:0,Select SensorNO:4");
    EXPECT_EQ(Text(dlg, IDC_DATA), "");

    std::vector<BYTE> full(255, 0x40);
    full[0] = 255;
    Take(dlg, 4, full);
    Paint(dlg, "0", "255");
    EXPECT_EQ(Text(dlg, IDC_STATUS), "AVERAGE->CNT:255,Select SensorNO:4");
    const std::string listing = Text(dlg, IDC_DATA);
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 254);
    EXPECT_EQ(listing.substr(listing.size() - 11), "0253:0X40\r\n");
    EXPECT_EQ(Text(dlg, IDC_SQUARE_SUM), std::to_string(254 * 64 * 64 + 0));
  });
}

TEST_F(ViewsTest, CompareWarnsBelowTwoFramesAndDrawsPreviousOverLatest) {
  Run([&](CMainDlg& dlg) {
    dlg.m_nCurSensor = 2;
    host_.boxes.clear();
    ClickButton(dlg, IDC_COMPARE);
    Settle();
    ASSERT_EQ(host_.BoxTexts(), std::vector<std::string>{kCompare0});
    EXPECT_EQ(host_.boxes[0].type & MB_ICONMASK, MB_ICONWARNING);
    EXPECT_EQ(Text(dlg, IDC_STATUS), "COMPARE->CNT:0,Select SensorNO:2");
    EXPECT_EQ(Text(dlg, IDC_MODE_LABEL), "Compare display");

    Take(dlg, 2, {3, 0x10, 0x20, 0x30});
    dlg.OnCompare();
    EXPECT_EQ(Paint(dlg), std::vector<std::string>{kCompare1});

    Take(dlg, 2, {4, 0x40, 0x50, 0x60, 0x70});  // previous length 3, latest 4: both get 4 points
    dlg.OnCompare();
    EXPECT_TRUE(Paint(dlg).empty());
    EXPECT_EQ(Pixel(dlg, 0, 0x40), kRed);
    EXPECT_EQ(Pixel(dlg, 0, 0x10), kGreen);
    // The previous row's fourth point is the 0 after its frame. Level 0 lies on the row below
    // the plot rectangle, which a repaint of the rectangle leaves alone: the line reaches the row above.
    EXPECT_EQ(dlg.GetSurface()->GetPixel(dlg.PlotX(3), dlg.PlotY(0) - 1), kGreen);
    EXPECT_EQ(Pixel(dlg, 3, 0x00), RGB(100, 100, 100));
    EXPECT_EQ(dlg.m_nDisplayMode, 0) << "every paint goes back to the normal view";
    Paint(dlg);
    EXPECT_EQ(Text(dlg, IDC_MODE_LABEL), "Normal display");
  });
}

TEST_F(ViewsTest, AverageDividesSignedSumsByTheCountTowardZero) {
  Run([&](CMainDlg& dlg) {
    dlg.m_nCurSensor = 2;
    dlg.m_nSavedMode = 2;
    dlg.m_nDisplayMode = 2;
    EXPECT_EQ(Paint(dlg), std::vector<std::string>{kAverage0});
    EXPECT_EQ(Text(dlg, IDC_MODE_LABEL), "Average display");

    Take(dlg, 2, {3, 0x10, 0xF0, 0x7F});
    Take(dlg, 2, {4, 0x11, 0xF1, 0x7F, 0x05});
    dlg.m_nDisplayMode = 2;
    EXPECT_TRUE(Paint(dlg).empty());
    for (auto [i, level] : {std::pair{0, 16}, {1, 241}, {2, 127}, {3, 2}}) EXPECT_EQ(Pixel(dlg, i, level), kBlue) << i;
    EXPECT_EQ(Text(dlg, IDC_STATUS), "AVERAGE->CNT:4,Select SensorNO:2");
  });
}

// Who sets the display mode, who sets the saved mode, and who asks for a repaint.
TEST_F(ViewsTest, EveryWriterOfTheDisplayMode) {
  struct Case {
    const char* event;
    std::function<void(CMainDlg&)> act;
    int display;  // -1: unchanged
    int saved;    // -1: unchanged
    bool repaint;
  };
  const Case cases[] = {
      {"Compare", [](CMainDlg& d) { ClickButton(d, IDC_COMPARE); }, 1, 1, true},
      {"Average", [](CMainDlg& d) { ClickButton(d, IDC_AVERAGE); }, 2, 2, true},
      {"a request", [](CMainDlg& d) { ClickButton(d, 1012); }, -1, 3, false},
      {"a frame", [this](CMainDlg& d) { Take(d, 2, {1, 5}); }, 0, -1, true},
      {"the sensor list", [](CMainDlg& d) { ChooseListEntry(d, IDC_SENSOR_LIST, 4); }, 3, -1, true},
      {"Clear", [](CMainDlg& d) { ClickButton(d, IDC_CLEAR); }, -1, -1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.event);
    Run([&](CMainDlg& dlg) {
      dlg.m_nDisplayMode = 3;  // no view: shows which writer changed what
      dlg.m_nSavedMode = 3;
      c.act(dlg);
      while (!runtime_.Queue().PeekUpdate(dlg.m_hWnd) && runtime_.Queue().DispatchOne()) {
      }
      EXPECT_EQ(dlg.m_nDisplayMode, c.display < 0 ? 3 : c.display);
      EXPECT_EQ(dlg.m_nSavedMode, c.saved < 0 ? 3 : c.saved);
      const auto update = runtime_.Queue().PeekUpdate(dlg.m_hWnd);
      EXPECT_EQ(update.has_value(), c.repaint);
      if (update) {
        EXPECT_EQ(update->rect, dlg.m_rcPlot);
      }
      Settle();
      EXPECT_EQ(dlg.m_nDisplayMode, c.repaint ? 0 : (c.display < 0 ? 3 : c.display));
    });
  }
}

}  // namespace
