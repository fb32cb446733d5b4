// The receive worker over a real pseudo-terminal: what reaches the intake, and how a worker
// ends when its port is closed, reopened or unplugged.
#include <thread>

#include <time.h>

#include "platform/Input.h"
#include "platform/SerialPortNames.h"
#include "serial/SerialLink.h"
#include "support/MainDialogFixture.h"
#include "support/Pty.h"

using namespace std::chrono_literals;

namespace {

std::vector<BYTE> Frame(int n) {
  std::vector<BYTE> frame{static_cast<BYTE>(n)};
  for (int i = 1; i <= n; ++i) frame.push_back(static_cast<BYTE>(i * 7));
  return frame;
}

std::chrono::nanoseconds ProcessCpuTime() {
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

class ReceiveWorkerTest : public RealTimeDialogTest {
 protected:
  ReceiveWorkerTest() {
    SerialPortNames::Instance().Assign(1, device_.DevicePath());
    WriteFile("config.ini", "1;115200;0;250;");
  }

  // Asks for sensor 2 as its button does and checks the request byte went out.
  void Request(CMainDlg& dlg) {
    ClickButton(dlg, 1012);
    Settle();
    ASSERT_EQ(device_.Read(1), std::vector<BYTE>{'2'});
  }

  // Lets the program run for a while (real time), handling whatever arrives.
  void RunFor(Clock::duration length) { PumpUntil([] { return false; }, length); }

  Pty device_;
};

TEST_F(ReceiveWorkerTest, AReplyWithoutGapsReachesTheIntakeAsOneRead) {
  Run([&](CMainDlg& dlg) {
    ASSERT_NE(g_pRxThread, nullptr);
    for (int n : {0, 12, 254}) {
      SCOPED_TRACE(n);
      Request(dlg);
      device_.Write(Frame(n));
      ASSERT_TRUE(PumpUntil([&] { return dlg.m_nRxLength != 0; }));
      EXPECT_EQ(dlg.m_nRxLength, static_cast<std::uint32_t>(n + 1));
      EXPECT_EQ(dlg.m_curFrames[2][n], Frame(n)[n]);
    }
  });
}

TEST_F(ReceiveWorkerTest, ALongReplyIsCutAt255BytesAndItsRestDropped) {
  Run([&](CMainDlg& dlg) {
    Request(dlg);
    std::vector<BYTE> reply = Frame(255);  // 256 bytes on the wire
    device_.Write(reply);
    ASSERT_TRUE(PumpUntil([&] { return dlg.m_nRxLength != 0; }));
    EXPECT_EQ(dlg.m_nRxLength, 255u);
    RunFor(200ms);  // the 256th byte is read on its own and dropped
    EXPECT_EQ(dlg.m_frameCount[2], 1);

    Request(dlg);
    device_.Write(Frame(3));
    ASSERT_TRUE(PumpUntil([&] { return dlg.m_nRxLength != 0; }));
    EXPECT_EQ(dlg.m_nRxLength, 4u) << "nothing of the earlier reply is left over";
    EXPECT_EQ(dlg.m_rxFrame[0], 3);
  });
}

TEST_F(ReceiveWorkerTest, AGapOfMoreThan50MsEndsTheRead) {
  Run([&](CMainDlg& dlg) {
    Request(dlg);
    const std::vector<BYTE> reply = Frame(20);
    device_.Write({reply.begin(), reply.begin() + 5});
    std::this_thread::sleep_for(150ms);
    device_.Write({reply.begin() + 5, reply.end()});
    ASSERT_TRUE(PumpUntil([&] { return dlg.m_nRxLength != 0; }));
    EXPECT_EQ(dlg.m_nRxLength, 5u);
    RunFor(200ms);
    EXPECT_EQ(dlg.m_frameCount[2], 1) << "the rest of the reply is dropped";
  });
}

TEST_F(ReceiveWorkerTest, BytesWhileNoRequestWaitsNeverReachTheIntake) {
  Run([&](CMainDlg& dlg) {
    device_.Write({0x05, 1, 2, 3});
    RunFor(200ms);
    EXPECT_EQ(dlg.m_nRxLength, 0u);
    EXPECT_EQ(dlg.m_frameCount[2], 0);
    EXPECT_EQ(dlg.GetDlgItem(IDC_TOTAL)->GetWindowText(), "");

    Request(dlg);
    device_.Write(Frame(2));
    ASSERT_TRUE(PumpUntil([&] { return dlg.m_nRxLength != 0; }));
    EXPECT_EQ(dlg.m_nRxLength, 3u);
  });
}

TEST_F(ReceiveWorkerTest, OpeningAnotherPortRetiresTheFirstWorker) {
  Pty second;
  SerialPortNames::Instance().Assign(2, second.DevicePath());
  Run([&](CMainDlg& dlg) {
    dlg.OpenPort(1, 9600);
    ASSERT_NE(g_pRxThread, nullptr);
    EXPECT_EQ(dlg.GetDlgItem(IDC_COM)->GetWindowText(), "2");

    dlg.m_bAwaitingFrame = 1;
    device_.Write(Frame(4));  // the old port is closed: nobody reads it
    RunFor(200ms);
    EXPECT_EQ(dlg.m_nRxLength, 0u);
    second.Write(Frame(6));
    ASSERT_TRUE(PumpUntil([&] { return dlg.m_nRxLength != 0; }));
    EXPECT_EQ(dlg.m_nRxLength, 7u);

    dlg.OpenPort(1, 9600);  // the same port again: the first open let it go
    EXPECT_EQ(dlg.GetDlgItem(IDC_COM)->GetWindowText(), "2");
    dlg.OpenPort(8, 9600);
    EXPECT_EQ(host_.BoxTexts().back(), "Serial port error!");
    EXPECT_EQ(g_pRxThread, nullptr) << "the port in use was closed before the index was checked";
  });
}

TEST_F(ReceiveWorkerTest, AnUnpluggedDeviceEndsTheWorkerWithoutSpinning) {
  Run([&](CMainDlg& dlg) {
    device_.Unplug();
    RunFor(50ms);
    const auto before = ProcessCpuTime();
    RunFor(300ms);
    EXPECT_LT(ProcessCpuTime() - before, 60ms);
    EXPECT_EQ(SendBytes(g_hComm, reinterpret_cast<const BYTE*>("1"), 1), 0) << "a write to a port that has gone fails";
    ClickButton(dlg, IDC_PORT_TOGGLE);  // hidden, but its command still closes the port
    dlg.OnPortToggle();
    EXPECT_EQ(g_pRxThread, nullptr);
    EXPECT_EQ(dlg.GetDlgItem(IDC_PORT_TOGGLE)->GetWindowText(), "打开串口");
    EXPECT_EQ(dlg.GetDlgItem(IDC_COM)->GetWindowText(), "");
    dlg.OnPortToggle();
    EXPECT_EQ(dlg.GetDlgItem(IDC_PORT_TOGGLE)->GetWindowText(), "关闭串口");
  });
}

}  // namespace

namespace {

// A device that hangs up in the middle of a reply, then a new one on the same name: the port
// reopened on it takes the first answer.
TEST_F(ReceiveWorkerTest, APortReopenedAfterAHangUpTakesItsFirstAnswer) {
  Run([&](CMainDlg& dlg) {
    Request(dlg);
    const std::vector<BYTE> cut = Frame(120);
    device_.Write({cut.begin(), cut.begin() + 106});
    std::this_thread::sleep_for(10ms);
    device_.Unplug();
    RunFor(400ms);
    EXPECT_EQ(host_.BoxTexts().back(), "Cann't receive data, please check serial port!");

    Pty replacement;
    SerialPortNames::Instance().Assign(1, replacement.DevicePath());
    dlg.OpenPort(0, 9600);
    ASSERT_NE(g_pRxThread, nullptr);
    ClickButton(dlg, 1028);
    Settle();
    ASSERT_EQ(replacement.Read(1), std::vector<BYTE>{'I'});
    std::this_thread::sleep_for(37ms);
    replacement.Write(Frame(197));
    ASSERT_TRUE(PumpUntil([&] { return dlg.m_nRxLength != 0; }, 2s));
    EXPECT_EQ(dlg.m_nRxLength, 198u);
    EXPECT_EQ(dlg.m_frameCount[18], 1);
  });
}

}  // namespace
