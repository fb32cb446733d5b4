// Requests by button and key, the ten-tick time-out and the all-sensor sweep, on a manual
// clock. A pseudo-terminal stands in for the port where the bytes sent matter.
#include <filesystem>
#include <functional>

#include "platform/Format.h"
#include "platform/Input.h"
#include "platform/SerialPortNames.h"
#include "reports/SensorBlock.h"
#include "support/MainDialogFixture.h"
#include "support/Pty.h"

using namespace std::chrono_literals;

namespace {

constexpr const char* kNoAnswer = "Cann't receive data, please check serial port!";

std::vector<BYTE> FrameOf(int sensor) { return {3, static_cast<BYTE>(sensor), 0x80, 0xFF}; }

class SequencingTest : public MainDialogTest {
 protected:
  // Runs the dialog with a device that answers `answers(sensor)` a few ms after each request,
  // until `until` holds or `limit` of manual time has passed.
  void Drive(CMainDlg& dlg, const std::function<bool(int)>& answers, const std::function<bool()>& until,
             Clock::duration limit = 20s) {
    const auto end = clock_.Now() + limit;
    while (!until() && clock_.Now() < end) {
      if (dlg.m_bAwaitingFrame == 1 && dlg.m_nTimeoutTicks == 10 && answers(dlg.m_nCurSensor)) {
        clock_.Advance(5ms);
        Deliver(dlg, FrameOf(dlg.m_nCurSensor));
      }
      clock_.Advance(1ms);
      Settle();
    }
  }

  void Tick(Clock::duration step) {
    clock_.Advance(step);
    Settle();
  }

  std::string SweepFile(int first, int last) {
    std::string text;
    for (int s = first; s <= last; ++s) AppendSweepBlock(text, SensorChar(s), FrameOf(s).data());
    MakeUpper(text);
    return text;
  }

  static bool SweepOver(CMainDlg& dlg) { return dlg.m_bSweepMode == 0; }
};

TEST_F(SequencingTest, AnUnansweredRequestTimesOutOnItsEleventhTickWithOneBox) {
  struct Case {
    const char* name;
    std::function<void(CMainDlg&)> request;
    Clock::duration tick;
  };
  const Case cases[] = {
      {"button 5", [](CMainDlg& dlg) { ClickButton(dlg, 1015); }, 30ms},
      {"keypad 5", [](CMainDlg& dlg) { PressAndReleaseKey(dlg, 101); }, 100ms},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host_.boxes.clear();
    Run([&](CMainDlg& dlg) {
      host_.boxes.clear();
      c.request(dlg);
      Settle();
      EXPECT_EQ(dlg.m_nCurSensor, 5);
      EXPECT_EQ(dlg.GetDlgItem(IDC_SENSOR_LIST)->GetWindowText(), "SENSOR 5");
      EXPECT_EQ(dlg.m_bAwaitingFrame, 1);
      for (int tick = 1; tick <= 10; ++tick) {
        Tick(c.tick - 1ms);
        EXPECT_EQ(dlg.m_nTimeoutTicks, 11 - tick) << "tick " << tick << " not yet";
        Tick(1ms);
        EXPECT_EQ(dlg.m_nTimeoutTicks, 10 - tick);
      }
      EXPECT_TRUE(host_.boxes.empty());
      Tick(c.tick);
      EXPECT_EQ(host_.BoxTexts(), std::vector<std::string>{kNoAnswer});
      Tick(10 * c.tick);
      EXPECT_EQ(host_.boxes.size(), 1u) << "the timer stopped before the box";
      EXPECT_EQ(dlg.m_bAwaitingFrame, 1) << "a late answer is still taken for the sensor asked";
      Deliver(dlg, FrameOf(5));
      EXPECT_EQ(dlg.m_frameCount[5], 1);
    });
  }
}

TEST_F(SequencingTest, AnAnswerBetweenTheSecondAndThirdTickEndsTheRequestQuietly) {
  Run([&](CMainDlg& dlg) {
    host_.boxes.clear();
    ClickButton(dlg, 1020);
    Settle();
    Tick(30ms);
    Tick(30ms);
    Tick(5ms);
    Deliver(dlg, FrameOf(10));
    EXPECT_EQ(dlg.m_nTimeoutTicks, 8);
    Tick(25ms);
    EXPECT_EQ(dlg.m_nTimeoutTicks, 7);
    EXPECT_EQ(dlg.m_bFrameArrived, 0);
    Tick(1s);
    EXPECT_EQ(dlg.m_nTimeoutTicks, 7) << "timer 1 stopped on the tick that saw the answer";
    EXPECT_TRUE(host_.boxes.empty());
    EXPECT_EQ(dlg.m_frameCount[10], 1);
  });
}

TEST_F(SequencingTest, SensorKeysRequestUnlessStartOrEndHasTheFocus) {
  struct Case {
    int focus;
    UINT key;
    int sensor;  // -1: no request
  };
  const Case cases[] = {
      {IDC_START, 67, -1}, {IDC_END, 48, -1},      {IDC_SENSOR_LIST, 67, 12}, {0, 84, 29},
      {IDC_CLEAR, 57, 9},  {IDC_SENSOR_LIST, 85, -1}, {0, 96, 0},             {0, 105, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "focus " << c.focus << " key " << c.key);
    Run([&](CMainDlg& dlg) {
      if (c.focus)
        dlg.GetDlgItem(c.focus)->SetFocus();
      else
        host_.SetFocus(kNoWindow);
      dlg.PostMessage(WM_KEYDOWN, c.key);
      Settle();
      EXPECT_EQ(dlg.m_bAwaitingFrame, 0) << "a key press alone requests nothing";
      PressAndReleaseKey(dlg, c.key);
      Settle();
      EXPECT_EQ(dlg.m_bAwaitingFrame, c.sensor >= 0 ? 1 : 0);
      if (c.sensor >= 0) {
        EXPECT_EQ(dlg.m_nCurSensor, c.sensor);
      }
    });
  }
}

TEST_F(SequencingTest, ASweepWritesTheBlocksOfEverySensorThatAnswered) {
  struct Case {
    const char* name;
    int answering;  // sensors 0..answering-1 answer
    std::vector<std::string> boxes;
    const char* listText;
  };
  const Case cases[] = {
      {"all 30", 30, {"Receive data complete!"}, "SENSOR T"},
      {"0..7, 8 silent", 8, {"Receive data complete!"}, "SENSOR 7"},
      {"0 silent", 0, {kNoAnswer}, "SENSOR 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove("SensorAllData.txt");
    Run([&](CMainDlg& dlg) {
      host_.boxes.clear();
      ClickButton(dlg, IDC_ALL_SENSOR);
      Settle();
      Drive(dlg, [&](int s) { return s < c.answering; }, [&] { return SweepOver(dlg); });
      EXPECT_EQ(dlg.m_bSweepMode, 0);
      EXPECT_EQ(host_.BoxTexts(), c.boxes);
      EXPECT_EQ(dlg.GetDlgItem(IDC_SENSOR_LIST)->GetWindowText(), c.listText);
      EXPECT_EQ(dlg.m_nCurSensor, std::max(c.answering - 1, 0));
    });
    if (c.answering == 0)
      EXPECT_FALSE(ReadFile("SensorAllData.txt"));
    else
      EXPECT_EQ(ReadFile("SensorAllData.txt"), SweepFile(0, c.answering - 1));
  }
}

TEST_F(SequencingTest, ALateAnswerAfterASweepTimedOutIsNotStoredForTheSensorBefore) {
  Run([&](CMainDlg& dlg) {
    ClickButton(dlg, IDC_ALL_SENSOR);
    Settle();
    Drive(dlg, [](int s) { return s < 3; }, [&] { return SweepOver(dlg); });
    ASSERT_EQ(dlg.m_nCurSensor, 2);
    const FrameRow before = dlg.m_curFrames[2];
    Deliver(dlg, FrameOf(3));
    EXPECT_EQ(dlg.m_frameCount[2], 1);
    EXPECT_EQ(dlg.m_curFrames[2], before);
  });
}

TEST_F(SequencingTest, SensorZeroAskedByHandDuringASweepStaysCurrentWhenItTimesOut) {
  Run([&](CMainDlg& dlg) {
    ClickButton(dlg, IDC_ALL_SENSOR);
    Settle();
    Drive(dlg, [](int s) { return s < 5; }, [&] { return dlg.m_nSweepIndex == 3 && dlg.m_bAwaitingFrame == 1; });
    ClickButton(dlg, 1010);  // the operator asks for sensor 0 while the sweep waits
    Drive(dlg, [](int) { return false; }, [&] { return SweepOver(dlg); });
    EXPECT_EQ(dlg.m_nCurSensor, 0);
    EXPECT_EQ(dlg.GetDlgItem(IDC_SENSOR_LIST)->GetWindowText(), "SENSOR 0");
  });
}

TEST_F(SequencingTest, AllSensorDuringASweepStartsAgainWithAnEmptyLog) {
  Run([&](CMainDlg& dlg) {
    ClickButton(dlg, IDC_ALL_SENSOR);
    Settle();
    Drive(dlg, [](int) { return true; }, [&] { return dlg.m_nSweepIndex == 4; });
    ClickButton(dlg, IDC_ALL_SENSOR);
    Settle();
    Settle();
    EXPECT_EQ(dlg.m_nSweepIndex, 0);
    EXPECT_TRUE(dlg.m_strSweepLog.empty());
    Drive(dlg, [](int s) { return s < 6; }, [&] { return SweepOver(dlg); });
  });
  EXPECT_EQ(ReadFile("SensorAllData.txt"), SweepFile(0, 5));
}

TEST_F(SequencingTest, ASweepFileThatCannotBeWrittenIsReportedWithItsName) {
  std::filesystem::create_directory("SensorAllData.txt");
  Run([&](CMainDlg& dlg) {
    host_.boxes.clear();
    ClickButton(dlg, IDC_ALL_SENSOR);
    Settle();
    Drive(dlg, [](int s) { return s < 2; }, [&] { return SweepOver(dlg); });
    ASSERT_EQ(host_.boxes.size(), 1u);
    EXPECT_NE(host_.boxes[0].text.find("SensorAllData.txt"), std::string::npos) << host_.boxes[0].text;
    EXPECT_EQ(dlg.m_nCurSensor, 1);
  });
}

// The request byte goes out on the port: a pseudo-terminal's other side reads it.
TEST_F(SequencingTest, ButtonsAndKeysWriteTheSensorCharacter) {
  Pty device;
  SerialPortNames::Instance().Assign(1, device.DevicePath());
  WriteFile("config.ini", "1;9600;0;0;");
  Run([&](CMainDlg& dlg) {
    EXPECT_EQ(dlg.GetDlgItem(IDC_COM)->GetWindowText(), "1");
    EXPECT_EQ(dlg.GetDlgItem(IDC_BAUDRATE)->GetWindowText(), "9600");
    ClickButton(dlg, 1015);
    Settle();
    EXPECT_EQ(device.Read(1), std::vector<BYTE>{0x35});
    ClickButton(dlg, 1048);
    Settle();
    EXPECT_EQ(device.Read(1), std::vector<BYTE>{'T'});
    dlg.GetDlgItem(IDC_SENSOR_LIST)->SetFocus();
    PressAndReleaseKey(dlg, 67);
    Settle();
    EXPECT_EQ(device.Read(1), std::vector<BYTE>{'C'});
  });
}

}  // namespace
