// What the simulated device measures: one recognisable waveform per sensor.
//
// The shape follows the sensor number: sensor % 5 is 0 sine, 1 triangle, 2 ramp, 3 square,
// 4 noise. Amplitude, period and phase depend on the sensor too, and the phase moves on by
// one sample with every request, so two frames in a row differ while keeping their shape.
// Noise comes from a generator seeded with the seed, the sensor and the request number, so
// every frame can be computed again at will.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int kSensorCount = 30;

// The sensor a request byte names ('0'..'9' -> 0..9, 'A'..'T' -> 10..29), or -1.
int SensorForRequestByte(std::uint8_t byte);
// The request byte of sensor 0..29.
char SensorCharacter(int sensor);

// The number of samples sensor 0..29 sends when no frame length is imposed: 100..200.
int NaturalFrameLength(int sensor);

// The frame sensor 0..29 sends for its request number `requestNumber` (counted from 0): the
// length byte N, then N samples 0..255. `frameLength` 1..255 imposes N; 0 keeps the sensor's
// natural length.
std::vector<std::uint8_t> SimulatedFrame(int sensor, unsigned requestNumber, int frameLength, std::uint32_t seed);
