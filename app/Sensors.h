// Sensors by number, character, button, count label and sensor-list entry.
#pragma once

#include <cstdint>

constexpr int kSensorCount = 30;   // sensors 0..29, characters '0'..'9' and 'A'..'T'
constexpr int kRowLength = 255;    // a frame row: position 0 the length, 1..254 the samples
constexpr int kSensorListEntries = 31;  // "SENSOR 0".."SENSOR T" and "SENSOR Z", which names none

constexpr bool IsSensorNumber(int n) { return n >= 0 && n < kSensorCount; }

constexpr char SensorChar(int s) { return static_cast<char>(s < 10 ? '0' + s : 'A' + (s - 10)); }

// The sensor a character names, or -1.
constexpr int SensorFromChar(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'T') return c - 'A' + 10;
  return -1;
}

constexpr int SensorButtonId(int s) { return s <= 24 ? 1010 + s : 1044 + (s - 25); }

constexpr int CountLabelId(int s) { return s <= 5 ? 1038 + s : 1043 + s; }

// The sensor a button id stands for, or -1.
constexpr int SensorOfButton(int id) {
  if (id >= 1010 && id <= 1034) return id - 1010;
  if (id >= 1044 && id <= 1048) return id - 1044 + 25;
  return -1;
}

// The sensor a released key requests, or -1: the digit keys (48..57) and keypad keys
// (96..105) for 0..9, the letter keys A..T (65..84) for 10..29, whatever the shift state.
constexpr int SensorOfKey(unsigned key) {
  if (key >= 48 && key <= 57) return static_cast<int>(key) - 48;
  if (key >= 96 && key <= 105) return static_cast<int>(key) - 96;
  if (key >= 65 && key <= 84) return static_cast<int>(key) - 65 + 10;
  return -1;
}
