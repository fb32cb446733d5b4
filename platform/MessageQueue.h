// The one queue of the window thread.
//
// Work comes in four kinds, and the queue always hands out the most urgent one first:
//   1. messages sent from other threads: the sender blocks until the handler has returned;
//   2. posted messages and input, first in, first out;
//   3. painting, for a window whose repaint rectangle is not empty;
//   4. timer ticks that are due. A late tick is delivered once, not once per missed interval,
//      and the timer keeps its phase.
// Only the window thread dispatches. Sends and posts may come from any thread; timers and
// repaint rectangles belong to the window thread. Handlers run outside the queue's lock, so a
// handler may post, send, set timers or run a nested loop that dispatches again.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "platform/Clock.h"
#include "platform/Message.h"

// Lets a sending thread be released for good: once abandoned, its blocked send returns 0 at
// once and later sends with it return 0 without waiting.
class SendToken {
 private:
  friend class MessageQueue;
  bool abandoned_ = false;  // guarded by the queue's lock
};

class MessageQueue {
 public:
  enum class Kind { Sent, Posted, Paint, Timer };
  using Dispatcher = std::function<LRESULT(const MSG&, Kind)>;

  struct Update {
    RECT rect;
    bool erase = false;
  };

  explicit MessageQueue(Clock& clock);
  ~MessageQueue();
  MessageQueue(const MessageQueue&) = delete;
  MessageQueue& operator=(const MessageQueue&) = delete;

  Clock& GetClock() const { return clock_; }
  void SetDispatcher(Dispatcher dispatcher);
  // Called from whichever thread adds work, after the work is queued (a host's event loop
  // uses it to wake up). Must not call back into the queue.
  void SetWakeHandler(std::function<void()> wake);
  bool OnWindowThread() const { return std::this_thread::get_id() == windowThread_; }

  // Any thread. From the window thread a send is handled at once.
  LRESULT Send(const MSG& msg, SendToken* token = nullptr);
  // Releases the blocked send made with `token`, and every later one, with result 0 (the
  // message is not handled).
  void Abandon(SendToken& token);
  void Post(const MSG& msg);
  std::size_t PendingSends() const;

  // Window thread.
  void SetTimer(HWND hwnd, UINT_PTR id, Clock::duration interval);
  bool KillTimer(HWND hwnd, UINT_PTR id);
  void Invalidate(HWND hwnd, const RECT& rect, bool erase);
  std::optional<Update> PeekUpdate(HWND hwnd) const;
  std::optional<Update> TakeUpdate(HWND hwnd);
  void ForgetWindow(HWND hwnd);

  // Dispatches the most urgent ready item; false when nothing is ready.
  bool DispatchOne();
  // Dispatches until nothing is ready. Timers count as ready only if due when this began,
  // so a busy handler cannot keep it running for ever.
  void DispatchAll();
  Clock::time_point NextTimerDue() const;
  // Blocks until work may be ready or `deadline` comes (a timer that falls due earlier ends
  // the wait too).
  void WaitForWork(Clock::time_point deadline);

 private:
  struct PendingSend {
    MSG msg;
    SendToken* token;
    LRESULT result = 0;
    bool done = false;
  };
  struct Timer {
    HWND hwnd;
    UINT_PTR id;
    Clock::duration interval;
    Clock::time_point due;
  };
  struct PendingPaint {
    HWND hwnd;
    Update update;
    unsigned serial;
  };

  bool DispatchOne(Clock::time_point timerHorizon);
  bool HasReadyWorkLocked(Clock::time_point now) const;
  void Notify(std::unique_lock<std::mutex>& lock);
  void Release(PendingSend& send, LRESULT result);

  Clock& clock_;
  std::thread::id windowThread_;
  Dispatcher dispatcher_;
  std::function<void()> wake_;

  mutable std::mutex mutex_;
  std::condition_variable workArrived_;
  std::condition_variable sendDone_;
  std::deque<PendingSend*> sends_;
  std::deque<MSG> posted_;
  std::vector<PendingPaint> paints_;
  std::vector<Timer> timers_;
  unsigned paintSerial_ = 0;
};
