// The headless host: no window; the main dialog is driven by a script and every message box
// is answered with OK at once and reported as a `box:` line on standard output.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <vector>

#include "hosts/headless/Script.h"
#include "platform/Host.h"

class HeadlessHost final : public Host {
 public:
  HeadlessHost(std::vector<Command> script, std::ostream& out, std::ostream& err);

  // 0 after close, cancel or the end of the script; 3 when an await-box saw no box.
  int ExitStatus() const { return exitStatus_; }
  std::size_t BoxesShown() const { return boxes_; }
  // What the next "Set Baudrate" dialog gets: PORT and BAUD with OK, or Cancel.
  void ArrangePortDialog(const Command& answer) { portAnswer_ = answer; }
  // What the next file-open dialog returns: PATH with OK, or Cancel.
  void ArrangeFileDialog(const Command& answer) { fileAnswer_ = answer; }

  std::unique_ptr<HostWindow> CreateHostWindow(CWnd& window, const DialogTemplate& tmpl,
                                               const std::vector<HWND>& controlHandles) override;
  void RunModalLoop(CDialog& dialog) override;
  int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) override;
  HWND GetFocus() const override { return focus_; }
  void SetFocus(HWND control) override { focus_ = control; }
  bool GetOpenFileName(const OPENFILENAME& request, std::string& path) override;

 private:
  void AnswerDialog(CDialog& dialog);

  std::vector<Command> script_;
  std::ostream& out_;
  std::ostream& err_;
  bool scriptStarted_ = false;
  std::size_t boxes_ = 0;
  HWND focus_ = kNoWindow;
  int exitStatus_ = 0;
  std::optional<Command> portAnswer_;
  std::optional<Command> fileAnswer_;
};

// A message box's text as a `box:` line writes it: backslash, CR and LF escaped.
std::string EscapeBoxText(const std::string& text);
