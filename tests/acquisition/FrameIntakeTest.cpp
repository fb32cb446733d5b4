// The intake of reads from the receive worker: one frame per request, stored for the current
// sensor, counted, summed, logged during a sweep and drawn.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/MainDlg.h"
#include "app/Sensors.h"
#include "platform/Format.h"
#include "support/MainDialogFixture.h"
#include "support/WorkedBlocks.h"

namespace {

// Sensor 11 answers with N = 12.
const std::vector<BYTE> kSensorBRead = {0x0C, 0x05, 0x1A, 0x2F, 0x44, 0x59, 0x6E,
                                        0x83, 0x98, 0xAD, 0xC2, 0xD7, 0xEC};

class FrameIntakeTest : public MainDialogTest {
 protected:
  // A request for `sensor` is outstanding and `bytes` arrive.
  static void Answer(CMainDlg& dlg, int sensor, const std::vector<BYTE>& bytes) {
    dlg.m_nCurSensor = static_cast<std::uint8_t>(sensor);
    dlg.m_bAwaitingFrame = 1;
    Deliver(dlg, bytes);
  }
  static std::string Total(CMainDlg& dlg) { return dlg.GetDlgItem(IDC_TOTAL)->GetWindowText(); }
  static std::string CountLabel(CMainDlg& dlg, int sensor) {
    return dlg.GetDlgItem(CountLabelId(sensor))->GetWindowText();
  }
  static FrameRow RowOf(const std::vector<BYTE>& bytes) {
    FrameRow row{};
    for (std::size_t k = 0; k < bytes.size() && k < row.size(); ++k) row[k] = bytes[k];
    return row;
  }
};

// Everything the intake could touch, to show that a dropped read touches none of it.
struct Snapshot {
  std::string total;
  std::vector<std::string> labels;
  std::array<BYTE, 512> rxFrame;
  std::uint32_t rxLength;
  std::array<FrameRow, kSensorCount> cur, prev;
  std::array<std::uint8_t, kSensorCount> counts;
  std::array<std::array<std::int32_t, kRowLength>, kSensorCount> sums;
  std::string sweepLog;
  std::uint8_t displayMode;

  explicit Snapshot(CMainDlg& dlg)
      : total(dlg.GetDlgItem(IDC_TOTAL)->GetWindowText()),
        rxFrame(dlg.m_rxFrame),
        rxLength(dlg.m_nRxLength),
        cur(dlg.m_curFrames),
        prev(dlg.m_prevFrames),
        counts(dlg.m_frameCount),
        sums(dlg.m_sums),
        sweepLog(dlg.m_strSweepLog),
        displayMode(dlg.m_nDisplayMode) {
    for (int s = 0; s < kSensorCount; ++s) labels.push_back(dlg.GetDlgItem(CountLabelId(s))->GetWindowText());
  }
  bool operator==(const Snapshot&) const = default;
};

TEST_F(FrameIntakeTest, SensorBFrameIsStoredCountedSummedAndDrawn) {
  Run([&](CMainDlg& dlg) {
    // An earlier, longer frame of sensor 11, so the row has a tail and a previous content.
    std::vector<BYTE> earlier = {0x13};
    for (BYTE k = 1; k <= 19; ++k) earlier.push_back(static_cast<BYTE>(0x30 + k));
    Answer(dlg, 11, earlier);
    Settle();
    const FrameRow rowBefore = dlg.m_curFrames[11];
    const auto sumsBefore = dlg.m_sums[11];
    dlg.m_nDisplayMode = 1;
    dlg.m_nSavedMode = 2;
    dlg.m_strSweepLog = "untouched outside a sweep";

    Answer(dlg, 11, kSensorBRead);

    EXPECT_EQ(dlg.m_bAwaitingFrame, 0);
    EXPECT_EQ(dlg.m_bFrameArrived, 1) << "only the time-out timer clears it";
    EXPECT_EQ(Total(dlg), "12");
    EXPECT_EQ(dlg.m_frameCount[11], 2);
    EXPECT_EQ(CountLabel(dlg, 11), " 2");
    EXPECT_EQ(dlg.GetDlgItem(1054)->GetWindowText(), " 2");

    EXPECT_EQ(dlg.m_nRxLength, 13u);
    for (std::size_t k = 0; k < dlg.m_rxFrame.size(); ++k)
      ASSERT_EQ(dlg.m_rxFrame[k], k < 13 ? kSensorBRead[k] : 0) << "m_rxFrame position " << k;

    // Latest row: the read, a 0 after it, then the earlier frame's tail.
    for (int k = 0; k < kRowLength; ++k) {
      const BYTE expected = k < 13 ? kSensorBRead[k] : k == 13 ? 0 : rowBefore[k];
      ASSERT_EQ(dlg.m_curFrames[11][k], expected) << "latest row position " << k;
    }
    // Previous row: the former positions 0..13; beyond them what it held (zeros).
    for (int k = 0; k < kRowLength; ++k)
      ASSERT_EQ(dlg.m_prevFrames[11][k], k <= 13 ? rowBefore[k] : 0) << "previous row position " << k;

    EXPECT_EQ(dlg.m_sums[11][0] - sumsBefore[0], 12);
    EXPECT_EQ(dlg.m_sums[11][7] - sumsBefore[7], -125);
    EXPECT_EQ(dlg.m_sums[11][13], sumsBefore[13]) << "the 0 after the read adds nothing";
    EXPECT_EQ(dlg.m_sums[11][14], sumsBefore[14]) << "positions after the read are not summed";

    EXPECT_EQ(dlg.m_nDisplayMode, 0);
    EXPECT_EQ(dlg.m_nSavedMode, 2);
    EXPECT_EQ(dlg.m_strSweepLog, "untouched outside a sweep");
  });
}

TEST_F(FrameIntakeTest, DuringASweepEachFrameAppendsItsBlockInArrivalOrder) {
  Run([&](CMainDlg& dlg) {
    dlg.m_bSweepMode = 1;
    Answer(dlg, 11, kSensorBRead);
    std::string log = dlg.m_strSweepLog;
    MakeUpper(log);
    EXPECT_EQ(log, kSweepBlockB);

    // Sensor 12 announces three samples but only one arrives: the block lists zeros for the
    // missing ones, not what the longer read before left behind.
    const std::string afterFirst = dlg.m_strSweepLog;
    Answer(dlg, 12, {0x03, 0x7F});
    ASSERT_EQ(dlg.m_strSweepLog.substr(0, afterFirst.size()), afterFirst);
    std::string added = dlg.m_strSweepLog.substr(afterFirst.size());
    MakeUpper(added);
    EXPECT_EQ(added,
              "[SENSOR C]\r\n"
              "\r\n"
              "STORAGE AVERAGE DATA FROM   1 TO   3:\r\n"
              "AVERAGE TIME: 1\r\n"
              "0X00, 0X03, \r\n"
              "0X00,0X00,0X00,0X00,\r\n"
              "0X7F, 0X00, 0X00\r\n"
              "\r\n"
              "FROM 1 TO 3 SUM:0X00000000   0  \r\n"
              "\r\n"
              "\r\n");
  });
}

TEST_F(FrameIntakeTest, TheFrameInvalidatesThePlotRectangle) {
  Run([&](CMainDlg& dlg) {
    Settle();
    ASSERT_FALSE(runtime_.Queue().PeekUpdate(dlg.m_hWnd).has_value());
    Answer(dlg, 4, {0x02, 0x10, 0x20});
    const auto update = runtime_.Queue().PeekUpdate(dlg.m_hWnd);
    ASSERT_TRUE(update.has_value());
    EXPECT_EQ(update->rect, dlg.m_rcPlot);
    EXPECT_TRUE(update->erase);
  });
}

TEST_F(FrameIntakeTest, OnlyTheFirstReadOfARequestIsTaken) {
  Run([&](CMainDlg& dlg) {
    Answer(dlg, 7, {0x04, 0x01, 0x02, 0x03, 0x04});
    Settle();
    const Snapshot afterFirst(dlg);
    Deliver(dlg, {0x02, 0x99, 0x98});
    EXPECT_TRUE(Snapshot(dlg) == afterFirst) << "the second read of the request changed the store";
    EXPECT_EQ(dlg.m_frameCount[7], 1);
    EXPECT_EQ(Total(dlg), "4");
    EXPECT_FALSE(runtime_.Queue().PeekUpdate(dlg.m_hWnd).has_value());
  });
}

TEST_F(FrameIntakeTest, AReadWithoutARequestChangesNothing) {
  Run([&](CMainDlg& dlg) {
    dlg.m_nCurSensor = 20;
    dlg.m_bSweepMode = 1;
    dlg.m_nDisplayMode = 1;
    Settle();
    const Snapshot before(dlg);
    Deliver(dlg, {0x02, 0x11, 0x22});
    EXPECT_TRUE(Snapshot(dlg) == before) << "a read with no request outstanding changed the store";
    EXPECT_EQ(Total(dlg), "");
    EXPECT_EQ(dlg.m_nDisplayMode, 1);
    EXPECT_FALSE(runtime_.Queue().PeekUpdate(dlg.m_hWnd).has_value());
  });
}

TEST_F(FrameIntakeTest, The256thFrameWrapsTheCountAndKeepsThePreviousRow) {
  Run([&](CMainDlg& dlg) {
    const int s = 25;
    auto frame = [](int i) { return std::vector<BYTE>{0x02, static_cast<BYTE>(i), static_cast<BYTE>(0xFF - i)}; };
    for (int i = 1; i <= 255; ++i) Answer(dlg, s, frame(i));
    ASSERT_EQ(dlg.m_frameCount[s], 255);
    ASSERT_EQ(CountLabel(dlg, s), "255");
    const FrameRow previous = dlg.m_prevFrames[s];
    ASSERT_EQ(previous, RowOf(frame(254)));

    Answer(dlg, s, frame(256 % 256));
    EXPECT_EQ(dlg.m_frameCount[s], 0);
    EXPECT_EQ(CountLabel(dlg, s), " 0");
    EXPECT_EQ(dlg.m_curFrames[s], RowOf(frame(0)));
    EXPECT_EQ(dlg.m_prevFrames[s], previous);
    EXPECT_EQ(dlg.m_sums[s][0], 2 * 256) << "the sums keep growing past the count";

    // The next frame counts from 0 again and moves rows as usual.
    Answer(dlg, s, frame(1));
    EXPECT_EQ(dlg.m_frameCount[s], 1);
    EXPECT_EQ(CountLabel(dlg, s), " 1");
    EXPECT_EQ(dlg.m_prevFrames[s], RowOf(frame(0)));
  });
}

TEST_F(FrameIntakeTest, AFullReadFillsTheWholeRowAndNoOtherSensor) {
  Run([&](CMainDlg& dlg) {
    Answer(dlg, 28, {0x03, 0x81, 0x82, 0x83});
    Answer(dlg, 0, {0x01, 0x44});
    const Snapshot before(dlg);

    std::vector<BYTE> read(255);
    for (int k = 0; k < 255; ++k) read[k] = static_cast<BYTE>(k * 7 + 1);
    read[0] = 0xFF;
    Answer(dlg, 29, read);

    EXPECT_EQ(dlg.m_nRxLength, 255u);
    EXPECT_EQ(Total(dlg), "255");
    EXPECT_EQ(dlg.m_curFrames[29], RowOf(read));
    EXPECT_EQ(dlg.m_prevFrames[29], FrameRow{});
    EXPECT_EQ(dlg.m_sums[29][0], 255);
    for (int k = 1; k < kRowLength; ++k)
      ASSERT_EQ(dlg.m_sums[29][k], static_cast<std::int8_t>(read[k])) << "sum position " << k;
    for (int k = 255; k < 512; ++k) ASSERT_EQ(dlg.m_rxFrame[k], 0) << "m_rxFrame position " << k;
    for (int s = 0; s < 29; ++s) {
      SCOPED_TRACE(s);
      EXPECT_EQ(dlg.m_curFrames[s], before.cur[s]);
      EXPECT_EQ(dlg.m_prevFrames[s], before.prev[s]);
      EXPECT_EQ(dlg.m_sums[s], before.sums[s]);
      EXPECT_EQ(dlg.m_frameCount[s], before.counts[s]);
    }
  });
}

TEST_F(FrameIntakeTest, TheLengthByteSumsUnsignedAndSamplesSigned) {
  struct Case {
    int position;
    BYTE byte;
    int addsPerFrame;
  };
  const Case cases[] = {
      {0, 0xC8, 200}, {1, 0xC8, -56}, {2, 0x7F, 127}, {3, 0x80, -128}, {4, 0xFF, -1}, {5, 0x00, 0},
  };
  std::vector<BYTE> read;
  for (const Case& c : cases) read.push_back(c.byte);
  Run([&](CMainDlg& dlg) {
    Answer(dlg, 17, read);
    Answer(dlg, 17, read);
    for (const Case& c : cases) {
      SCOPED_TRACE(c.position);
      EXPECT_EQ(dlg.m_sums[17][c.position], 2 * c.addsPerFrame);
    }
  });
}

TEST_F(FrameIntakeTest, AShorterFrameLeavesTheEarlierTailAfterItsOwnZero) {
  Run([&](CMainDlg& dlg) {
    Answer(dlg, 2, {0x07, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07});
    Answer(dlg, 2, {0x02, 0x09, 0x09});
    EXPECT_EQ(dlg.m_curFrames[2], RowOf({0x02, 0x09, 0x09, 0x00, 0x04, 0x05, 0x06, 0x07}));
    EXPECT_EQ(dlg.m_prevFrames[2], RowOf({0x07, 0x01, 0x02, 0x03}));
    EXPECT_EQ(dlg.m_sums[2][3], 3) << "the missing sample adds 0";
    EXPECT_EQ(dlg.m_sums[2][4], 4);
  });
}

TEST_F(FrameIntakeTest, TheFirstFrameAfterResetLeavesThePreviousRowZero) {
  Run([&](CMainDlg& dlg) {
    Answer(dlg, 9, {0x03, 0x0A, 0x0B, 0x0C});
    Answer(dlg, 9, {0x03, 0x1A, 0x1B, 0x1C});
    ASSERT_NE(dlg.m_prevFrames[9], FrameRow{});
    dlg.ResetAll();
    Answer(dlg, 9, {0x02, 0x2A, 0x2B});
    EXPECT_EQ(dlg.m_prevFrames[9], FrameRow{});
    EXPECT_EQ(dlg.m_curFrames[9], RowOf({0x02, 0x2A, 0x2B}));
    EXPECT_EQ(dlg.m_frameCount[9], 1);
  });
}

}  // namespace
