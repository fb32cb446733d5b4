// The desktop host: the program's dialogs as Qt widgets, its queue pumped by the Qt event loop.
//
// The window thread is Qt's GUI thread. Whenever the queue gets work (a post, or a send from
// the receive worker) it wakes the host through a queued call, and a single-shot timer wakes
// it when the next timer tick falls due; each wake dispatches whatever is ready, in the
// queue's order. Modal things (message boxes, the port dialog, the file dialog) run Qt's own
// nested loops, inside which the same wakes keep dispatching.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include <QObject>
#include <QTimer>

#include "platform/Host.h"

class QEventLoop;
class QtWindow;
class Runtime;

class QtHost final : public Host, public QObject {
 public:
  QtHost();
  ~QtHost() override;

  // Connects the host to the runtime's queue; call once the runtime exists. The runtime must
  // end before the host does, as it does when it is made after the host.
  void Attach(Runtime& runtime);

  std::unique_ptr<HostWindow> CreateHostWindow(CWnd& window, const DialogTemplate& tmpl,
                                               const std::vector<HWND>& controlHandles) override;
  void RunModalLoop(CDialog& dialog) override;
  int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) override;
  HWND GetFocus() const override;
  void SetFocus(HWND control) override;
  bool GetOpenFileName(const OPENFILENAME& request, std::string& path) override;

  // Dispatches what is ready, then ends the modal loops whose dialogs have ended.
  void Pump();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct ModalLoop {
    CDialog* dialog;
    QEventLoop* loop;
  };

  QtWindow* WindowOf(HWND hwnd) const;
  QWidget* ParentFor(HWND owner) const;
  void ScheduleTimer();

  Runtime* runtime_ = nullptr;
  std::vector<QtWindow*> windows_;
  std::vector<ModalLoop> loops_;
  std::atomic<bool> wakePending_{false};
  QTimer timer_;
};
