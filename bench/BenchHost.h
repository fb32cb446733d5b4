// The smallest host that runs the main dialog for a benchmark: controls as plain state, the
// benchmark's body as the operator, every message box answered with OK, and file dialogs
// answered with a path the benchmark chooses.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/Host.h"

class BenchHost final : public Host {
 public:
  // Runs while the main dialog is modal; when it returns, the dialog is cancelled.
  std::function<void(CDialog&)> body;
  // The answer of every file dialog: a path for OK, nullopt for Cancel.
  std::optional<std::string> fileAnswer;
  int boxesShown = 0;

  std::unique_ptr<HostWindow> CreateHostWindow(CWnd&, const DialogTemplate& tmpl, const std::vector<HWND>&) override;
  void RunModalLoop(CDialog& dialog) override;
  int MessageBox(HWND, const std::string&, const std::string&, UINT) override;
  HWND GetFocus() const override { return focus_; }
  void SetFocus(HWND control) override { focus_ = control; }
  bool GetOpenFileName(const OPENFILENAME& request, std::string& path) override;

 private:
  bool mainRunning_ = false;
  HWND focus_ = kNoWindow;
};
