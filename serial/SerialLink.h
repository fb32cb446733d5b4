// The serial link's process-wide state: the open port and its receive worker.
#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include "platform/MessageQueue.h"
#include "platform/SerialPort.h"

class CMainDlg;

// The receive worker of one open port. It blocks in the port's read, and hands every read to
// the main dialog with a synchronous WM_FRAME_RECEIVED while a request awaits its answer.
// It only ever reads the port it was started with.
//
// Retiring it (destruction, on the window thread) never waits on a worker that is inside its
// send: the send is abandoned first, then the read is woken, then the thread is joined. The
// worker holds the port until it has ended, so the descriptor is closed only after that.
class ReceiveWorker {
 public:
  ReceiveWorker(CMainDlg& dialog, std::shared_ptr<SerialPort> port);
  ~ReceiveWorker();
  ReceiveWorker(const ReceiveWorker&) = delete;
  ReceiveWorker& operator=(const ReceiveWorker&) = delete;

  CMainDlg& Dialog() const { return dialog_; }
  HWND Window() const { return window_; }
  SerialPort& Port() const { return *port_; }
  SendToken& Token() { return token_; }

 private:
  CMainDlg& dialog_;
  const HWND window_;  // taken when the worker starts: the dialog's handle is the window thread's
  std::shared_ptr<SerialPort> port_;
  SendToken token_;
  std::thread thread_;
};

// Both are used on the window thread only: the worker reads its own port, not g_hComm.
extern std::shared_ptr<SerialPort> g_hComm;
extern std::unique_ptr<ReceiveWorker> g_pRxThread;

// Writes `count` bytes to `port`; 1 when they all went at once, 0 otherwise (no port, a port
// that has gone, or a write the driver only partly took).
int SendBytes(const std::shared_ptr<SerialPort>& port, const BYTE* bytes, int count);

// The worker's body: reads until its port is stopped or gone.
void ReceiveThreadProc(ReceiveWorker* worker);
