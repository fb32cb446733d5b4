// The handful of integer and handle types that window-system code speaks in.
#pragma once

#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// A window is known to the rest of the program by an opaque number; 0 is no window.
using HWND = std::uint32_t;
constexpr HWND kNoWindow = 0;

struct POINT {
  int x = 0;
  int y = 0;
  friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const SIZE&, const SIZE&) = default;
};

struct RECT {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const RECT&, const RECT&) = default;
};

// Dialog and message-box results and the standard command ids.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
