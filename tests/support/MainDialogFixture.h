// Runs the main dialog on a manual clock, in a fresh temporary working directory.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "app/MainDlg.h"
#include "platform/Clock.h"
#include "platform/Runtime.h"
#include "support/TestHost.h"

// Makes a fresh directory the current one for the test's life.
class ScopedWorkDir {
 public:
  ScopedWorkDir();
  ~ScopedWorkDir();
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

class MainDialogTest : public ::testing::Test {
 protected:
  MainDialogTest();

  // Starts the dialog (start-up runs in full), runs `body` as the operator, then cancels it.
  void Run(const std::function<void(CMainDlg&)>& body);
  // Dispatches whatever is ready, without letting time pass.
  void Settle();
  void WriteFile(const std::string& name, const std::string& content);
  std::optional<std::string> ReadFile(const std::string& name);

  // Hands a read to the intake as the receive worker does.
  static void Deliver(CMainDlg& dlg, const std::vector<BYTE>& bytes);

  ScopedWorkDir dir_;
  ManualClock clock_;
  TestHost host_;
  Runtime runtime_;
};
