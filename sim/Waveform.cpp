#include "sim/Waveform.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numbers>

namespace {

enum class Shape { Sine, Triangle, Ramp, Square, Noise };

// splitmix64: small, fast and the same on every platform, unlike the standard distributions.
class NoiseSource {
 public:
  NoiseSource(std::uint32_t seed, int sensor, unsigned requestNumber)
      : state_((std::uint64_t{seed} << 32) ^ (std::uint64_t(sensor) << 24) ^ requestNumber) {}

  // Uniform in [-1, 1].
  double Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) / static_cast<double>(1ull << 52) - 1.0;
  }

 private:
  std::uint64_t state_;
};

// One period's value at position t in [0, 1), in [-1, 1].
double ShapeAt(Shape shape, double t) {
  switch (shape) {
    case Shape::Sine: return std::sin(2.0 * std::numbers::pi * t);
    case Shape::Triangle: return 1.0 - 4.0 * std::abs(t - 0.5);
    case Shape::Ramp: return 2.0 * t - 1.0;
    case Shape::Square: return t < 0.5 ? 1.0 : -1.0;
    case Shape::Noise: break;
  }
  return 0.0;
}

}  // namespace

int SensorForRequestByte(std::uint8_t byte) {
  if (byte >= '0' && byte <= '9') return byte - '0';
  if (byte >= 'A' && byte <= 'T') return byte - 'A' + 10;
  return -1;
}

char SensorCharacter(int sensor) {
  assert(sensor >= 0 && sensor < kSensorCount && "sensor out of range");
  return static_cast<char>(sensor < 10 ? '0' + sensor : 'A' + sensor - 10);
}

int NaturalFrameLength(int sensor) { return 100 + sensor * 37 % 101; }

std::vector<std::uint8_t> SimulatedFrame(int sensor, unsigned requestNumber, int frameLength, std::uint32_t seed) {
  assert(sensor >= 0 && sensor < kSensorCount && "sensor out of range");
  assert(frameLength >= 0 && frameLength <= 255 && "frame length out of range");
  const int count = frameLength > 0 ? frameLength : NaturalFrameLength(sensor);
  const auto shape = static_cast<Shape>(sensor % 5);
  const double amplitude = 40 + sensor * 23 % 88;  // 40..127 around the middle level
  const unsigned period = 20 + sensor * 11 % 60;   // 20..79 samples
  const unsigned phase = (sensor * 7u + requestNumber) % period;

  std::vector<std::uint8_t> frame;
  frame.reserve(count + 1);
  frame.push_back(static_cast<std::uint8_t>(count));
  NoiseSource noise(seed, sensor, requestNumber);
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>((i + phase) % period) / period;
    const double value = shape == Shape::Noise ? noise.Next() : ShapeAt(shape, t);
    frame.push_back(static_cast<std::uint8_t>(std::clamp(std::lround(128.0 + amplitude * value), 0L, 255L)));
  }
  return frame;
}
