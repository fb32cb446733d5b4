// Sensor blocks: the text unit of "SensorAllData.txt" and "SensorAvg.txt". Blocks are built
// in mixed case; the writer of a file upper-cases the whole text just before writing it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Types.h"

// A sweep block for the frame just received: frame[0] is the length N, frame[1..N] the
// samples; the average time is 1 and the block sum 0.
void AppendSweepBlock(std::string& text, char sensor, const BYTE* frame);

// A report block: `length` samples samples[1..length], standing for `averageTime` frames,
// with the block sum `blockSum`.
void AppendReportBlock(std::string& text, char sensor, BYTE length, unsigned averageTime,
                       std::int32_t blockSum, const BYTE* samples);
