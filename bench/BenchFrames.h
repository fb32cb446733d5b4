// Frames as a device sends them: a length byte and a waveform of samples.
#pragma once

#include <array>

#include "app/Sensors.h"
#include "platform/Types.h"

// A 255-byte read: 254 samples of a noisy sine wave whose phase and amplitude depend on `seed`.
std::array<BYTE, kRowLength> MakeFrame(unsigned seed);
