// A host for tests: controls as plain state (as headless), a body that stands in for the
// operator while the main dialog runs, message boxes recorded, nested dialogs answered by
// the test.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "hosts/headless/HeadlessWindow.h"
#include "platform/Dialog.h"
#include "platform/Host.h"

class TestHost final : public Host {
 public:
  struct Box {
    std::string text;
    std::string caption;
    UINT type;
  };

  // Runs while the first dialog is modal; when it returns, the dialog is cancelled.
  std::function<void(CDialog&)> body;
  // Runs while a box is shown (after it is recorded); may pump the queue. Returns the answer.
  std::function<int(const Box&)> onBox;
  // Answers a nested dialog; the default cancels it.
  std::function<void(CDialog&)> onDialog;

  std::vector<Box> boxes;
  std::vector<int> nestedDialogs;  // template ids, in the order they were run

  std::vector<std::string> BoxTexts() const;

  std::unique_ptr<HostWindow> CreateHostWindow(CWnd&, const DialogTemplate& tmpl, const std::vector<HWND>&) override {
    return std::make_unique<HeadlessWindow>(tmpl);
  }
  void RunModalLoop(CDialog& dialog) override;
  int MessageBox(HWND, const std::string& text, const std::string& caption, UINT type) override;
  HWND GetFocus() const override { return focus_; }
  void SetFocus(HWND control) override { focus_ = control; }
  bool GetOpenFileName(const OPENFILENAME& request, std::string& path) override;

  // Answers the next file dialogs in order: a path for OK, nullopt for Cancel (and when none is left).
  std::vector<std::optional<std::string>> fileAnswers;
  std::vector<std::string> fileDialogTitles;
  std::vector<std::string> fileDialogFilters;

 private:
  bool mainRunning_ = false;
  HWND focus_ = kNoWindow;
};
