// Requests by button and key, the request time-out (timer 1) and the all-sensor sweep
// (timer 2).
#include "app/FileMessages.h"
#include "app/MainDlg.h"
#include "platform/Files.h"
#include "platform/Format.h"
#include "serial/SerialLink.h"

namespace {

constexpr UINT_PTR kTimeoutTimer = 1;
constexpr UINT_PTR kSweepTimer = 2;
constexpr UINT kButtonTick = 30;  // ms per time-out tick after a button or a sweep step
constexpr UINT kKeyTick = 100;    // ms per time-out tick after a key
constexpr int kTimeoutTicks = 10;
constexpr const char* kSweepFileName = "SensorAllData.txt";
constexpr const char* kNoAnswer = "Cann't receive data, please check serial port!";

}  // namespace

void CMainDlg::RequestSensor(int s, UINT tick) {
  PrepareRequest();
  SensorList()->SetCurSel(s);
  m_nCurSensor = static_cast<std::uint8_t>(s);
  UpdateData(TRUE);
  // The answer may come as soon as the byte has left: the gate opens before it goes.
  m_bFrameArrived = 0;
  m_bAwaitingFrame = 1;
  const BYTE request = static_cast<BYTE>(SensorChar(s));
  SendBytes(g_hComm, &request, 1);
  m_nTimeoutTicks = kTimeoutTicks;
  SetTimer(kTimeoutTimer, tick);
  m_nSavedMode = m_nDisplayMode;
}

void CMainDlg::OnSensorButton(UINT id) {
  const int s = SensorOfButton(static_cast<int>(id));
  if (IsSensorNumber(s)) RequestSensor(s, kButtonTick);
}

BOOL CMainDlg::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYUP) {
    const CWnd* focus = GetFocus();
    const bool inBounds = focus && (focus == GetDlgItem(IDC_START) || focus == GetDlgItem(IDC_END));
    const int s = SensorOfKey(static_cast<unsigned>(pMsg->wParam));
    if (!inBounds && IsSensorNumber(s)) RequestSensor(s, kKeyTick);
  }
  return CDialog::PreTranslateMessage(pMsg);
}

void CMainDlg::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kTimeoutTimer) {
    if (m_nTimeoutTicks > 0) {
      --m_nTimeoutTicks;
      if (m_bFrameArrived != 0) {
        m_bFrameArrived = 0;
        KillTimer(kTimeoutTimer);
        if (m_bSweepMode == 1) {
          ++m_nSweepIndex;
          SetTimer(kSweepTimer, 10);
        }
      }
      return;
    }
    KillTimer(kTimeoutTimer);
    if (m_bSweepMode == 1) {
      m_bSweepMode = 0;
      if (m_nSweepIndex == 0) {
        MessageBox(kNoAnswer);
      } else {
        // The sweep ends on the last sensor that answered. The silent sensor's request is
        // given up, so a late answer is not stored as the frame of that other sensor; and a
        // current sensor of 0 (asked for by hand during the sweep) stays 0.
        m_bAwaitingFrame = 0;
        if (m_nCurSensor > 0) --m_nCurSensor;
        SensorList()->SetCurSel(m_nCurSensor);
        FinishSweep();
      }
    } else {
      MessageBox(kNoAnswer);
    }
  } else if (nIDEvent == kSweepTimer) {
    KillTimer(kSweepTimer);
    if (m_nSweepIndex <= 29)
      RequestSensor(m_nSweepIndex, kButtonTick);
    else if (m_bSweepMode == 1) {
      m_bSweepMode = 0;
      FinishSweep();
    }
  }
}

void CMainDlg::FinishSweep() {
  MakeUpper(m_strSweepLog);
  std::string reason;
  if (!WriteWholeFile(kSweepFileName, m_strSweepLog, &reason)) {
    MessageBox(CannotWriteText(kSweepFileName, reason), nullptr, MB_ICONWARNING);
    return;
  }
  MessageBox("Receive data complete!");
}

void CMainDlg::OnAllSensor() {
  SetTimer(kSweepTimer, 30);
  m_nSweepIndex = 0;
  m_strSweepLog.clear();
  m_bSweepMode = 1;
}
