#include "BenchFrames.h"

#include <cmath>
#include <numbers>

std::array<BYTE, kRowLength> MakeFrame(unsigned seed) {
  std::array<BYTE, kRowLength> frame{};
  frame[0] = kRowLength - 1;
  unsigned noise = seed * 2654435761u + 1;
  const double amplitude = 60.0 + static_cast<double>(seed % 7) * 8.0;
  for (int k = 1; k < kRowLength; ++k) {
    noise = noise * 1103515245u + 12345u;
    const double wave = std::sin(2.0 * std::numbers::pi * (k + seed * 13) / 64.0);
    const int level = 128 + static_cast<int>(amplitude * wave) + static_cast<int>((noise >> 16) % 9) - 4;
    frame[static_cast<std::size_t>(k)] = static_cast<BYTE>(level);
  }
  return frame;
}
