// The main dialog with a stopwatch on its window procedure: it notes CLOCK_MONOTONIC when the
// intake has handled WM_FRAME_RECEIVED (the frame is stored) and when the first paint after
// that intake has ended. The program itself is unchanged: every message goes to CMainDlg first.
#pragma once

#include <vector>

#include "Monotonic.h"
#include "app/MainDlg.h"

class TimedMainDlg final : public CMainDlg {
 public:
  struct Intake {
    double at;
    WPARAM bytes;
  };
  std::vector<Intake> intakes;
  std::vector<double> paints;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    const LRESULT result = CMainDlg::WindowProc(message, wParam, lParam);
    if (message == WM_FRAME_RECEIVED) {
      intakes.push_back({MonotonicMs(), wParam});
      paintDue_ = true;
    } else if (message == WM_PAINT && paintDue_) {
      paints.push_back(MonotonicMs());
      paintDue_ = false;
    }
    return result;
  }

 private:
  bool paintDue_ = false;
};
