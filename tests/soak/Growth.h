// Whether a measure (heap, resident memory) grows over a long run. The first window of samples
// is the baseline; the latest window is compared with it, its smallest value against the
// baseline's largest, so that ordinary ups and downs do not count but steady growth does.
#pragma once

#include <algorithm>
#include <cstddef>
#include <deque>
#include <string>

class Growth {
 public:
  static constexpr std::size_t kWindow = 20;

  void Sample(std::size_t value) {
    if (baseline_.size() < kWindow) baseline_.push_back(value);
    recent_.push_back(value);
    if (recent_.size() > kWindow) recent_.pop_front();
    ++samples_;
  }
  // The two windows are full and apart.
  bool Ready() const { return samples_ >= 2 * kWindow; }
  std::size_t Baseline() const { return Largest(baseline_); }
  // How far the latest window lies above the baseline (0 when it does not).
  std::size_t Excess() const {
    const std::size_t low = Smallest(recent_), high = Baseline();
    return low > high ? low - high : 0;
  }
  std::string Describe() const {
    return std::to_string(Smallest(baseline_)) + ".." + std::to_string(Largest(baseline_)) + " at first, " +
           std::to_string(Smallest(recent_)) + ".." + std::to_string(Largest(recent_)) + " lately";
  }

 private:
  static std::size_t Smallest(const std::deque<std::size_t>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }
  static std::size_t Largest(const std::deque<std::size_t>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

  std::deque<std::size_t> baseline_;
  std::deque<std::size_t> recent_;
  std::size_t samples_ = 0;
};
