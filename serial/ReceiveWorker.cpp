// The receive worker: one thread per open port, handing reads to the main dialog.
#include <array>

#include "app/MainDlg.h"
#include "platform/Runtime.h"
#include "serial/SerialLink.h"

ReceiveWorker::ReceiveWorker(CMainDlg& dialog, std::shared_ptr<SerialPort> port)
    : dialog_(dialog), window_(dialog.m_hWnd), port_(std::move(port)), thread_(ReceiveThreadProc, this) {}

ReceiveWorker::~ReceiveWorker() {
  Runtime::Current().Queue().Abandon(token_);
  port_->Stop();
  thread_.join();
}

void ReceiveThreadProc(ReceiveWorker* worker) {
  CMainDlg& dialog = worker->Dialog();
  MessageQueue& queue = Runtime::Current().Queue();
  const HWND window = worker->Window();
  std::array<BYTE, 512> buffer{};
  for (;;) {
    buffer.fill(0);
    const auto read = worker->Port().Read(buffer.data(), 255);
    // Stopped, or the port has gone (hang-up, unplugged, read error): this worker reads no
    // more, and what it had gathered is not handed over.
    if (read.status != SerialPort::ReadStatus::Data) return;
    if (read.count == 0) continue;
    if (dialog.m_bAwaitingFrame == 1) {
      dialog.m_bFrameArrived = 1;
      queue.Send(MSG{window, WM_FRAME_RECEIVED, read.count, reinterpret_cast<LPARAM>(buffer.data())},
                 &worker->Token());
    }
  }
}
