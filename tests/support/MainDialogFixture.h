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
#include "support/ScopedWorkDir.h"
#include "support/TestHost.h"

// Holds a fixture's clock, so that it exists before the runtime that uses it.
template <class ClockType>
struct ClockHolder {
  ClockType clock_;
};

class DialogTestBase : public ::testing::Test {
 protected:
  explicit DialogTestBase(Clock& clock);

  // Starts the dialog (start-up runs in full), runs `body` as the operator, then cancels it.
  void Run(const std::function<void(CMainDlg&)>& body);
  // Dispatches whatever is ready, without letting time pass.
  void Settle();
  void WriteFile(const std::string& name, const std::string& content);
  std::optional<std::string> ReadFile(const std::string& name);

  // Hands a read to the intake as the receive worker does.
  static void Deliver(CMainDlg& dlg, const std::vector<BYTE>& bytes);

  ScopedWorkDir dir_;
  TestHost host_;
  Runtime runtime_;
};

// The main dialog on a manual clock: time passes only when the test says so.
class MainDialogTest : protected ClockHolder<ManualClock>, public DialogTestBase {
 protected:
  MainDialogTest() : DialogTestBase(clock_) {}
};

// The main dialog on the real clock, for tests with real threads and devices.
class RealTimeDialogTest : protected ClockHolder<RealClock>, public DialogTestBase {
 protected:
  RealTimeDialogTest() : DialogTestBase(clock_) {}
  // Dispatches, waiting as needed, until `done` holds or `limit` has passed.
  bool PumpUntil(const std::function<bool()>& done, Clock::duration limit = std::chrono::seconds(5)) {
    return runtime_.PumpUntil(done, clock_.Now() + limit);
  }
};
