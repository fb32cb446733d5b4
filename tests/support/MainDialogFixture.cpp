#include "support/MainDialogFixture.h"

#include <fstream>
#include <sstream>

#include "platform/SerialPortNames.h"
#include "res/ProgramResources.h"

DialogTestBase::DialogTestBase(Clock& clock) : runtime_(host_, clock, ProgramResources(), "velnor") {
  // No test opens a real port: every COM name points at a device that does not exist, unless
  // the test maps one itself.
  for (int n = 1; n <= 8; ++n) SerialPortNames::Instance().Assign(n, (dir_.Path() / "no-such-device").string());
}

void DialogTestBase::Run(const std::function<void(CMainDlg&)>& body) {
  CMainDlg dlg;
  host_.body = [&](CDialog&) {
    Settle();
    body(dlg);
  };
  dlg.DoModal();
}

void DialogTestBase::Settle() {
  runtime_.PumpUntil([] { return false; }, runtime_.GetClock().Now());
}

void DialogTestBase::WriteFile(const std::string& name, const std::string& content) {
  std::ofstream(dir_.Path() / name, std::ios::binary) << content;
}

std::optional<std::string> DialogTestBase::ReadFile(const std::string& name) {
  std::ifstream in(dir_.Path() / name, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void DialogTestBase::Deliver(CMainDlg& dlg, const std::vector<BYTE>& bytes) {
  dlg.m_bFrameArrived = 1;
  dlg.SendMessage(WM_FRAME_RECEIVED, bytes.size(), reinterpret_cast<LPARAM>(bytes.data()));
}
