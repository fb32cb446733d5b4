#include "DialogSession.h"

#include <fstream>

#include "platform/SerialPortNames.h"
#include "res/ProgramResources.h"

DialogSession::DialogSession() : runtime_(host_, clock_, ProgramResources(), "velnor") {
  for (int n = 1; n <= 8; ++n) SerialPortNames::Instance().Assign(n, "/nonexistent");
  // Port COM1 (which fails to open: one box at start-up) and the range Start 0, End 250, so
  // that the normal view sums squares over 250 positions as it does on a bench.
  std::ofstream(dir_.Path() / "config.ini", std::ios::binary) << "1;115200;0;250;";
}

void DialogSession::Run(const std::function<void(CMainDlg&)>& body) {
  CMainDlg dlg;
  host_.body = [&](CDialog&) {
    Settle();
    body(dlg);
  };
  dlg.DoModal();
  host_.body = nullptr;
}

void DialogSession::Settle() { runtime_.PumpUntil([] { return false; }, runtime_.GetClock().Now()); }

void DeliverFrame(CMainDlg& dlg, const BYTE* bytes, WPARAM count) {
  dlg.m_bAwaitingFrame = 1;
  dlg.m_bFrameArrived = 1;
  dlg.SendMessage(WM_FRAME_RECEIVED, count, reinterpret_cast<LPARAM>(bytes));
}
