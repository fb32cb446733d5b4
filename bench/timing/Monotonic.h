// The monotonic clock in milliseconds. std::chrono::steady_clock reads CLOCK_MONOTONIC on
// Linux, the one clock that the tools, the program and the Python client (time.clock_gettime)
// all share, so that moments taken in different threads and processes compare.
#pragma once

#include <chrono>

inline double MonotonicMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
