// The main dialog, started up in full on a manual clock in a fresh temporary working
// directory, with every COM name pointing at a device that does not exist.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "app/MainDlg.h"
#include "platform/Clock.h"
#include "platform/Runtime.h"
#include "support/ScopedWorkDir.h"
#include "support/TestHost.h"

class DialogSession {
 public:
  DialogSession();

  // Starts the dialog, dispatches what start-up left ready, runs `body` on the window thread
  // while the dialog is modal, then cancels it.
  void Run(const std::function<void(CMainDlg&)>& body);
  // Dispatches whatever is ready, without letting time pass.
  void Settle();

  TestHost& Host() { return host_; }
  const std::filesystem::path& Dir() const { return dir_.Path(); }

 private:
  ScopedWorkDir dir_;
  ManualClock clock_;
  TestHost host_;
  Runtime runtime_;
};

// Hands a read to the intake as the receive worker does, with a request outstanding.
void DeliverFrame(CMainDlg& dlg, const BYTE* bytes, WPARAM count);
