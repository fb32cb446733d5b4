#include "platform/Clock.h"

#include <thread>

Clock::time_point RealClock::Now() const { return std::chrono::steady_clock::now(); }

void RealClock::WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                          time_point deadline) {
  if (deadline == time_point::max())
    cv.wait(lock);
  else
    cv.wait_until(lock, deadline);
}

void RealClock::Sleep(duration length) { std::this_thread::sleep_for(length); }

Clock::time_point ManualClock::Now() const {
  return time_point(std::chrono::steady_clock::duration(ticks_.load()));
}

void ManualClock::WaitUntil(std::unique_lock<std::mutex>&, std::condition_variable&,
                            time_point deadline) {
  if (deadline != time_point::max()) AdvanceTo(deadline);
}

void ManualClock::Advance(duration step) { AdvanceTo(Now() + step); }

void ManualClock::AdvanceTo(time_point when) {
  auto target = when.time_since_epoch().count();
  auto current = ticks_.load();
  while (current < target && !ticks_.compare_exchange_weak(current, target)) {
  }
}
