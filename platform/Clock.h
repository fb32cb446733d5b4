// Where the window thread's time comes from: the real steady clock in the product, a manual
// clock in tests, so that timers, time-outs and sweeps run deterministically and fast.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

class Clock {
 public:
  using time_point = std::chrono::steady_clock::time_point;
  using duration = std::chrono::milliseconds;

  virtual ~Clock() = default;
  virtual time_point Now() const = 0;

  // Blocks until `deadline` has come or `cv` is notified; `lock` holds cv's mutex. May return
  // early; callers re-check their condition.
  virtual void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                         time_point deadline) = 0;
  // Lets `length` pass on the calling thread.
  virtual void Sleep(duration length) = 0;
};

class RealClock final : public Clock {
 public:
  time_point Now() const override;
  void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                 time_point deadline) override;
  void Sleep(duration length) override;
};

// Time stands still until someone advances it. Waiting for a deadline moves time to it at once:
// nothing else runs in manual time, so whatever would happen meanwhile happens at the deadline.
class ManualClock final : public Clock {
 public:
  time_point Now() const override;
  void WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                 time_point deadline) override;
  void Sleep(duration length) override { Advance(length); }

  void Advance(duration step);
  void AdvanceTo(time_point when);

 private:
  std::atomic<std::chrono::steady_clock::rep> ticks_{0};
};
