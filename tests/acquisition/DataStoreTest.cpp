// Clearing and relabelling the per-sensor store: ResetAll, PrepareRequest, "Clear" and the
// count labels.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/MainDlg.h"
#include "app/Sensors.h"
#include "platform/Input.h"
#include "support/MainDialogFixture.h"

namespace {

class DataStoreTest : public MainDialogTest {
 protected:
  static void Answer(CMainDlg& dlg, int sensor, const std::vector<BYTE>& bytes) {
    dlg.m_nCurSensor = static_cast<std::uint8_t>(sensor);
    dlg.m_bAwaitingFrame = 1;
    Deliver(dlg, bytes);
  }
  static std::string LabelText(CMainDlg& dlg, int sensor) {
    return dlg.GetDlgItem(CountLabelId(sensor))->GetWindowText();
  }
  // Frames for a few sensors, sums that differ from zero, averages and a trace.
  static void Fill(CMainDlg& dlg) {
    for (int s : {0, 6, 13, 29}) {
      for (int i = 0; i <= s % 5; ++i) Answer(dlg, s, {0x03, 0x90, static_cast<BYTE>(s), 0x7F});
    }
    dlg.m_avgFrames[6][1] = 0x55;
    dlg.m_traceBuf[3] = 0x66;
    dlg.m_nRxLength = 4;
  }
};

TEST_F(DataStoreTest, ResetAllClearsTheStoreButKeepsTotalAndTheSweep) {
  Run([&](CMainDlg& dlg) {
    Fill(dlg);
    Answer(dlg, 13, {0x05, 1, 2, 3, 4, 5});
    ASSERT_EQ(LabelText(dlg, 13), " 5");
    dlg.m_bAwaitingFrame = 1;
    dlg.m_bFrameArrived = 1;
    dlg.m_nTimeoutTicks = 7;
    dlg.m_bSweepMode = 1;
    dlg.m_nSweepIndex = 13;
    dlg.m_strSweepLog = "[SENSOR D]";
    dlg.m_nDisplayMode = 1;
    dlg.m_nSavedMode = 2;
    dlg.m_strData = "0X05, 0X01";

    dlg.ResetAll();

    for (int s = 0; s < kSensorCount; ++s) {
      SCOPED_TRACE(s);
      EXPECT_EQ(LabelText(dlg, s), " 0");
      EXPECT_EQ(dlg.m_strCount[s], " 0");
      EXPECT_EQ(dlg.m_frameCount[s], 0);
      EXPECT_EQ(dlg.m_curFrames[s], FrameRow{});
      EXPECT_EQ(dlg.m_prevFrames[s], FrameRow{});
      EXPECT_EQ(dlg.m_avgFrames[s], FrameRow{});
      EXPECT_EQ(dlg.m_sums[s], (std::array<std::int32_t, kRowLength>{}));
    }
    for (int k = 0; k < kRowLength; ++k) ASSERT_EQ(dlg.m_rxFrame[k], 0) << "m_rxFrame position " << k;
    EXPECT_EQ(dlg.m_traceBuf, FrameRow{});
    EXPECT_EQ(dlg.m_nRxLength, 0u);
    EXPECT_EQ(dlg.m_bAwaitingFrame, 0);

    EXPECT_EQ(dlg.GetDlgItem(IDC_TOTAL)->GetWindowText(), "5");
    EXPECT_EQ(dlg.m_nCurSensor, 13);
    EXPECT_EQ(dlg.m_bFrameArrived, 1);
    EXPECT_EQ(dlg.m_nTimeoutTicks, 7);
    EXPECT_EQ(dlg.m_bSweepMode, 1);
    EXPECT_EQ(dlg.m_nSweepIndex, 13);
    EXPECT_EQ(dlg.m_strSweepLog, "[SENSOR D]");
    EXPECT_EQ(dlg.m_nDisplayMode, 1);
    EXPECT_EQ(dlg.m_nSavedMode, 2);
    EXPECT_EQ(dlg.m_strData, "0X05, 0X01");
  });
}

TEST_F(DataStoreTest, PrepareRequestForgetsOnlyTheLastFrameState) {
  Run([&](CMainDlg& dlg) {
    Fill(dlg);
    dlg.m_strData = "0X03, 0X90";
    const auto rows = dlg.m_curFrames;
    const auto counts = dlg.m_frameCount;
    const auto rxFrame = dlg.m_rxFrame;

    dlg.PrepareRequest();

    EXPECT_EQ(dlg.m_nRxLength, 0u);
    EXPECT_EQ(dlg.m_traceBuf, FrameRow{});
    EXPECT_EQ(dlg.m_strData, "");
    EXPECT_EQ(dlg.m_curFrames, rows);
    EXPECT_EQ(dlg.m_frameCount, counts);
    EXPECT_EQ(dlg.m_rxFrame, rxFrame);
  });
}

TEST_F(DataStoreTest, UpdateCountLabelUsesTheLowByteAndIgnoresNonSensors) {
  struct Case {
    unsigned argument;
    int sensor;  // whose text changes, or -1
    const char* text;
  };
  const Case cases[] = {
      {0, 0, " 5"},       {29, 29, "42"},  {3, 3, "255"}, {256 + 3, 3, "255"},
      {512 + 29, 29, "42"}, {30, -1, ""},  {255, -1, ""}, {256 + 30, -1, ""},
  };
  Run([&](CMainDlg& dlg) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.argument);
      dlg.ResetAll();
      dlg.m_frameCount.fill(1);
      dlg.m_frameCount[0] = 5;
      dlg.m_frameCount[3] = 255;
      dlg.m_frameCount[29] = 42;

      dlg.UpdateCountLabel(c.argument);

      for (int s = 0; s < kSensorCount; ++s) {
        EXPECT_EQ(dlg.m_strCount[s], s == c.sensor ? c.text : " 0") << "sensor " << s;
        EXPECT_EQ(LabelText(dlg, s), " 0") << "the control follows only on UpdateData(FALSE)";
      }
    }
  });
}

TEST_F(DataStoreTest, ClearDropsTheAwaitedAnswerAndRedrawsThePlot) {
  Run([&](CMainDlg& dlg) {
    Answer(dlg, 8, {0x02, 0x40, 0x41});
    Settle();
    dlg.m_bAwaitingFrame = 1;

    ClickButton(dlg, IDC_CLEAR);
    ASSERT_TRUE(runtime_.Queue().DispatchOne()) << "the click";
    const auto update = runtime_.Queue().PeekUpdate(dlg.m_hWnd);
    ASSERT_TRUE(update.has_value());
    EXPECT_EQ(update->rect, dlg.m_rcPlot);
    EXPECT_TRUE(update->erase);
    Settle();

    EXPECT_EQ(dlg.m_bAwaitingFrame, 0);
    EXPECT_EQ(dlg.m_frameCount[8], 0);
    EXPECT_EQ(LabelText(dlg, 8), " 0");

    Deliver(dlg, {0x03, 0x50, 0x51, 0x52});
    EXPECT_EQ(dlg.m_frameCount[8], 0);
    EXPECT_EQ(dlg.m_curFrames[8], FrameRow{});
    EXPECT_EQ(dlg.m_nRxLength, 0u);
    EXPECT_EQ(dlg.GetDlgItem(IDC_TOTAL)->GetWindowText(), "2");
  });
}

TEST_F(DataStoreTest, ClearDuringASweepLeavesTheSweepRunning) {
  Run([&](CMainDlg& dlg) {
    dlg.m_bSweepMode = 1;
    Answer(dlg, 0, {0x01, 0x21});
    Answer(dlg, 1, {0x01, 0x22});
    dlg.m_nSweepIndex = 2;
    const std::string log = dlg.m_strSweepLog;
    ASSERT_FALSE(log.empty());

    ClickButton(dlg, IDC_CLEAR);
    Settle();

    EXPECT_EQ(dlg.m_frameCount[1], 0) << "the click reached the store";
    EXPECT_EQ(dlg.m_bSweepMode, 1);
    EXPECT_EQ(dlg.m_nSweepIndex, 2);
    EXPECT_EQ(dlg.m_strSweepLog, log);
  });
}

}  // namespace
