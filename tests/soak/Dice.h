// The soak's one source of chance, seeded so that a run can be repeated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <utility>
#include <vector>

#include "platform/Types.h"

class Dice {
 public:
  explicit Dice(std::uint64_t seed) : rng_(seed) {}

  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }

  std::vector<BYTE> Random(std::size_t count) {
    std::vector<BYTE> bytes(count);
    for (BYTE& b : bytes) b = static_cast<BYTE>(Between(0, 255));
    return bytes;
  }

  // A frame: the length byte N, then N samples of any value.
  std::vector<BYTE> Frame(int n) {
    std::vector<BYTE> frame = Random(static_cast<std::size_t>(n) + 1);
    frame[0] = static_cast<BYTE>(n);
    return frame;
  }

  // One of the values, each as likely as its weight.
  template <class T>
  T Pick(std::initializer_list<std::pair<T, int>> weighted) {
    int total = 0;
    for (const auto& [value, weight] : weighted) total += weight;
    int roll = Between(0, total - 1);
    for (const auto& [value, weight] : weighted) {
      if (roll < weight) return value;
      roll -= weight;
    }
    return weighted.begin()->first;
  }

 private:
  std::mt19937_64 rng_;
};
