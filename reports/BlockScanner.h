// Reading sensor blocks back from text: the importer's scan, which finds each block by its
// ']' and then counts commas from there, reading values from just before them.
#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "platform/Types.h"

// The value of a hex digit as the importer reads it: '0'..'9' give 0..9, every other
// character gives its code less 55 (so 'A'..'F' give 10..15), modulo 256.
BYTE HexDigitValue(char c);

// Scans `text` for sensor blocks. For each one found it calls `begin(sensor)` (sensor 0..29),
// which returns the 255-byte row that receives the block's length at position 0 and its
// samples from position 1. The scan reads only inside `text` and writes only inside rows
// (a length of 255 is taken as 254 samples), and always comes to an end: a block cut short
// keeps the values read so far and ends the scan, as does a ']' after a character that
// names no sensor.
void ScanSensorBlocks(std::string_view text, const std::function<std::array<BYTE, 255>&(int)>& begin);
