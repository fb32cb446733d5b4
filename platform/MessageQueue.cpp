#include "platform/MessageQueue.h"

#include <algorithm>
#include <cassert>

namespace {

RECT Union(const RECT& a, const RECT& b) {
  if (a.left >= a.right || a.top >= a.bottom) return b;
  if (b.left >= b.right || b.top >= b.bottom) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

}  // namespace

MessageQueue::MessageQueue(Clock& clock) : clock_(clock), windowThread_(std::this_thread::get_id()) {}

MessageQueue::~MessageQueue() {
  std::unique_lock lock(mutex_);
  for (PendingSend* send : sends_) Release(*send, 0);
  sends_.clear();
}

void MessageQueue::SetDispatcher(Dispatcher dispatcher) { dispatcher_ = std::move(dispatcher); }

void MessageQueue::SetWakeHandler(std::function<void()> wake) {
  std::lock_guard lock(mutex_);
  wake_ = std::move(wake);
}

void MessageQueue::Notify(std::unique_lock<std::mutex>& lock) {
  auto wake = wake_;
  workArrived_.notify_all();
  lock.unlock();
  if (wake) wake();
}

void MessageQueue::Release(PendingSend& send, LRESULT result) {
  send.result = result;
  send.done = true;
  sendDone_.notify_all();
}

LRESULT MessageQueue::Send(const MSG& msg, SendToken* token) {
  if (OnWindowThread()) return dispatcher_ ? dispatcher_(msg, Kind::Sent) : 0;
  PendingSend send{msg, token};
  std::unique_lock lock(mutex_);
  if (token && token->abandoned_) return 0;
  sends_.push_back(&send);
  Notify(lock);
  lock.lock();
  sendDone_.wait(lock, [&] { return send.done; });
  return send.result;
}

void MessageQueue::Post(const MSG& msg) {
  std::unique_lock lock(mutex_);
  posted_.push_back(msg);
  Notify(lock);
}

void MessageQueue::Abandon(SendToken& token) {
  std::lock_guard lock(mutex_);
  token.abandoned_ = true;
  std::erase_if(sends_, [&](PendingSend* send) {
    if (send->token != &token) return false;
    Release(*send, 0);
    return true;
  });
}

std::size_t MessageQueue::PendingSends() const {
  std::lock_guard lock(mutex_);
  return sends_.size();
}

void MessageQueue::SetTimer(HWND hwnd, UINT_PTR id, Clock::duration interval) {
  interval = std::max(interval, Clock::duration(1));
  std::lock_guard lock(mutex_);
  const auto due = clock_.Now() + interval;
  for (Timer& timer : timers_) {
    if (timer.hwnd == hwnd && timer.id == id) {
      timer.interval = interval;
      timer.due = due;
      return;
    }
  }
  timers_.push_back({hwnd, id, interval, due});
}

bool MessageQueue::KillTimer(HWND hwnd, UINT_PTR id) {
  std::lock_guard lock(mutex_);
  return std::erase_if(timers_, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; }) > 0;
}

void MessageQueue::Invalidate(HWND hwnd, const RECT& rect, bool erase) {
  std::lock_guard lock(mutex_);
  for (PendingPaint& paint : paints_) {
    if (paint.hwnd == hwnd) {
      paint.update.rect = Union(paint.update.rect, rect);
      paint.update.erase = paint.update.erase || erase;
      paint.serial = ++paintSerial_;
      return;
    }
  }
  if (rect.left >= rect.right || rect.top >= rect.bottom) return;
  paints_.push_back({hwnd, {rect, erase}, ++paintSerial_});
}

std::optional<MessageQueue::Update> MessageQueue::PeekUpdate(HWND hwnd) const {
  std::lock_guard lock(mutex_);
  for (const PendingPaint& paint : paints_)
    if (paint.hwnd == hwnd) return paint.update;
  return std::nullopt;
}

std::optional<MessageQueue::Update> MessageQueue::TakeUpdate(HWND hwnd) {
  std::lock_guard lock(mutex_);
  for (auto it = paints_.begin(); it != paints_.end(); ++it) {
    if (it->hwnd == hwnd) {
      Update update = it->update;
      paints_.erase(it);
      return update;
    }
  }
  return std::nullopt;
}

void MessageQueue::ForgetWindow(HWND hwnd) {
  std::lock_guard lock(mutex_);
  std::erase_if(posted_, [&](const MSG& m) { return m.hwnd == hwnd; });
  std::erase_if(timers_, [&](const Timer& t) { return t.hwnd == hwnd; });
  std::erase_if(paints_, [&](const PendingPaint& p) { return p.hwnd == hwnd; });
  std::erase_if(sends_, [&](PendingSend* send) {
    if (send->msg.hwnd != hwnd) return false;
    Release(*send, 0);
    return true;
  });
}

bool MessageQueue::HasReadyWorkLocked(Clock::time_point now) const {
  if (!sends_.empty() || !posted_.empty() || !paints_.empty()) return true;
  return std::any_of(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.due <= now; });
}

bool MessageQueue::DispatchOne() { return DispatchOne(clock_.Now()); }

void MessageQueue::DispatchAll() {
  const auto horizon = clock_.Now();
  while (DispatchOne(horizon)) {
  }
}

bool MessageQueue::DispatchOne(Clock::time_point timerHorizon) {
  assert(OnWindowThread() && "only the window thread dispatches");
  std::unique_lock lock(mutex_);
  if (!sends_.empty()) {
    PendingSend* send = sends_.front();
    sends_.pop_front();
    const MSG msg = send->msg;
    lock.unlock();
    // The sender stays blocked, so its PendingSend lives until we release it.
    const LRESULT result = dispatcher_ ? dispatcher_(msg, Kind::Sent) : 0;
    lock.lock();
    Release(*send, result);
    return true;
  }
  if (!posted_.empty()) {
    const MSG msg = posted_.front();
    posted_.pop_front();
    lock.unlock();
    if (dispatcher_) dispatcher_(msg, Kind::Posted);
    return true;
  }
  if (!paints_.empty()) {
    const PendingPaint paint = paints_.front();
    lock.unlock();
    if (dispatcher_) dispatcher_(MSG{paint.hwnd, WM_PAINT, 0, 0}, Kind::Paint);
    // A paint handler that never began a paint must not be asked again and again.
    lock.lock();
    std::erase_if(paints_, [&](const PendingPaint& p) { return p.serial == paint.serial; });
    return true;
  }
  const auto now = std::min(clock_.Now(), timerHorizon);
  auto next = std::min_element(timers_.begin(), timers_.end(),
                               [](const Timer& a, const Timer& b) { return a.due < b.due; });
  if (next == timers_.end() || next->due > now) return false;
  const auto missed = (clock_.Now() - next->due) / next->interval;
  next->due += next->interval * (missed + 1);
  const MSG msg{next->hwnd, WM_TIMER, next->id, 0};
  lock.unlock();
  if (dispatcher_) dispatcher_(msg, Kind::Timer);
  return true;
}

Clock::time_point MessageQueue::NextTimerDue() const {
  std::lock_guard lock(mutex_);
  auto due = Clock::time_point::max();
  for (const Timer& timer : timers_) due = std::min(due, timer.due);
  return due;
}

void MessageQueue::WaitForWork(Clock::time_point deadline) {
  std::unique_lock lock(mutex_);
  if (HasReadyWorkLocked(clock_.Now())) return;
  for (const Timer& timer : timers_) deadline = std::min(deadline, timer.due);
  clock_.WaitUntil(lock, workArrived_, deadline);
}
