// "Set Comm.": the port settings dialog and the reopening of the port.
#include "platform/Input.h"
#include "platform/SerialPortNames.h"
#include "serial/SerialLink.h"
#include "support/MainDialogFixture.h"
#include "support/Pty.h"

namespace {

class PortSettingsTest : public MainDialogTest {
 protected:
  PortSettingsTest() {
    SerialPortNames::Instance().Assign(2, com2_.DevicePath());
    SerialPortNames::Instance().Assign(4, com4_.DevicePath());
    WriteFile("config.ini", "2;9600;0;250;");
  }

  // Runs "Set Comm." answering the dialog with `port` and `baud` and OK, or with Cancel.
  void SetComm(CMainDlg& dlg, const char* port, const char* baud, bool ok = true) {
    host_.onDialog = [=, this](CDialog& portDlg) {
      shownPort_ = portDlg.GetDlgItem(IDC_PORT_LIST)->GetWindowText();
      shownBaud_ = portDlg.GetDlgItem(IDC_BAUD_LIST)->GetWindowText();
      portDlg.SetDlgItemText(IDC_PORT_LIST, port);
      portDlg.SetDlgItemText(IDC_BAUD_LIST, baud);
      portDlg.PostMessage(WM_COMMAND, MAKEWPARAM(ok ? IDOK : IDCANCEL, BN_CLICKED));
    };
    ClickButton(dlg, IDC_SET_COMM);
    Settle();
  }

  std::string Shown(CMainDlg& dlg) {
    return dlg.GetDlgItem(IDC_COM)->GetWindowText() + " " + dlg.GetDlgItem(IDC_BAUDRATE)->GetWindowText();
  }

  Pty com2_, com4_;
  std::string shownPort_, shownBaud_;
};

TEST_F(PortSettingsTest, TheChoiceReopensThePortAtOnce) {
  struct Case {
    const char* port;
    const char* baud;
    const char* shown;  // "Com" and "Baudrate" afterwards
    int index;
    int rate;
  };
  const Case cases[] = {
      {"COM4", "19200", "4 19200", 3, 19200},
      {"com4", "9600x", "2 9600", 1, 9600},  // an unknown name keeps the port in use
      {"COM9", "115200", "2 115200", 1, 115200},
      {"COM4", "fast", "4 0", 3, 0},  // no digits: rate 0, which leaves the line's rate alone
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.port << " " << c.baud);
    Run([&](CMainDlg& dlg) {
      ASSERT_EQ(Shown(dlg), "2 9600");
      SetComm(dlg, c.port, c.baud);
      EXPECT_EQ(shownPort_, "COM1") << "the dialog always opens on COM1 and 57600";
      EXPECT_EQ(shownBaud_, "57600");
      EXPECT_EQ(Shown(dlg), c.shown);
      EXPECT_EQ(dlg.m_nPortIndex, c.index);
      EXPECT_EQ(dlg.m_nBaudRate, c.rate);
      EXPECT_NE(g_pRxThread, nullptr);
    });
  }
  EXPECT_EQ(host_.nestedDialogs, std::vector<int>(4, IDD_PORT_DIALOG));
}

TEST_F(PortSettingsTest, CancelLeavesThePortAsItWas) {
  Run([&](CMainDlg& dlg) {
    const ReceiveWorker* worker = g_pRxThread.get();
    SetComm(dlg, "COM4", "19200", false);
    EXPECT_EQ(Shown(dlg), "2 9600");
    EXPECT_EQ(g_pRxThread.get(), worker);
    EXPECT_EQ(dlg.m_nPortIndex, 1);
  });
}

TEST_F(PortSettingsTest, ClosingWritesThePortInUse) {
  Run([&](CMainDlg& dlg) {
    SetComm(dlg, "COM4", "19200");
    dlg.SendMessage(WM_CLOSE);
  });
  EXPECT_EQ(ReadFile("config.ini"), "4;19200;0;250;");
}

}  // namespace
