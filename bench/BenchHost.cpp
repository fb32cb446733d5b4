#include "BenchHost.h"

#include "hosts/headless/HeadlessWindow.h"
#include "platform/Dialog.h"
#include "platform/FileDialog.h"
#include "platform/Runtime.h"

std::unique_ptr<HostWindow> BenchHost::CreateHostWindow(CWnd&, const DialogTemplate& tmpl, const std::vector<HWND>&) {
  return std::make_unique<HeadlessWindow>(tmpl);
}

void BenchHost::RunModalLoop(CDialog& dialog) {
  if (mainRunning_) {
    // No benchmark opens a nested dialog on purpose: cancel any that comes.
    dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    Runtime::Current().PumpUntil([&] { return dialog.IsEnded(); });
    return;
  }
  mainRunning_ = true;
  if (body) body(dialog);
  mainRunning_ = false;
  if (!dialog.IsEnded()) dialog.EndDialog(IDCANCEL);
}

int BenchHost::MessageBox(HWND, const std::string&, const std::string&, UINT) {
  ++boxesShown;
  return IDOK;
}

bool BenchHost::GetOpenFileName(const OPENFILENAME&, std::string& path) {
  if (!fileAnswer) return false;
  path = *fileAnswer;
  return true;
}
