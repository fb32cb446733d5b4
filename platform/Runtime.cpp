#include "platform/Runtime.h"

#include <cassert>

#include "platform/Wnd.h"

namespace {
Runtime* current = nullptr;
}

Runtime::Runtime(Host& host, Clock& clock, const ResourceProvider& resources, std::string appTitle)
    : host_(host),
      clock_(clock),
      resources_(resources),
      appTitle_(std::move(appTitle)),
      queue_(clock),
      previous_(current) {
  queue_.SetDispatcher([this](const MSG& msg, MessageQueue::Kind kind) { return Deliver(msg, kind); });
  current = this;
}

Runtime::~Runtime() { current = previous_; }

Runtime& Runtime::Current() {
  assert(current && "no Runtime: the program or test must create one first");
  return *current;
}

HWND Runtime::Register(CWnd& window) {
  const HWND hwnd = nextHandle_++;
  windows_[hwnd] = &window;
  return hwnd;
}

void Runtime::Rebind(HWND hwnd, CWnd& window) { windows_[hwnd] = &window; }

void Runtime::Unregister(HWND hwnd) {
  windows_.erase(hwnd);
  queue_.ForgetWindow(hwnd);
}

CWnd* Runtime::FromHandle(HWND hwnd) const {
  auto it = windows_.find(hwnd);
  return it == windows_.end() ? nullptr : it->second;
}

LRESULT Runtime::Deliver(const MSG& msg, MessageQueue::Kind kind) {
  CWnd* window = FromHandle(msg.hwnd);
  if (!window) return 0;
  if (kind == MessageQueue::Kind::Posted || kind == MessageQueue::Kind::Timer) {
    MSG copy = msg;
    if (PreTranslate(copy)) return 0;
    window = FromHandle(msg.hwnd);  // pre-translation may have destroyed the window
    if (!window) return 0;
  }
  return window->HandleMessage(msg.message, msg.wParam, msg.lParam);
}

bool Runtime::PreTranslate(MSG& msg) {
  const HWND target = msg.hwnd;
  for (CWnd* w = FromHandle(target); w; w = w->GetParent()) {
    if (w->PreTranslateMessage(&msg)) return true;
    if (!FromHandle(target)) return true;  // the window has gone: nothing left to deliver to
  }
  return false;
}

bool Runtime::PumpUntil(const std::function<bool()>& done, Clock::time_point deadline) {
  for (;;) {
    while (!done() && queue_.DispatchOne()) {
    }
    if (done()) return true;
    if (clock_.Now() >= deadline) return false;
    queue_.WaitForWork(deadline);
  }
}
