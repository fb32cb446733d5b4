// A window's 32-bit pixel surface, the size of its client area.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Types.h"

class Surface {
 public:
  Surface(int width, int height, COLORREF fill);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Rows from the top, pixels as 0xFFRRGGBB.
  const std::uint32_t* Data() const { return pixels_.data(); }
  std::uint32_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const std::uint32_t* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }

  COLORREF GetPixel(int x, int y) const;  // CLR_INVALID outside the surface
  void SetPixel(int x, int y, COLORREF colour);  // ignored outside the surface
  // Fills left <= x < right, top <= y < bottom, cut to the surface.
  void Fill(const RECT& rect, COLORREF colour);

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// A colour as a surface pixel, 0xFFRRGGBB.
constexpr std::uint32_t PixelOf(COLORREF colour) {
  return 0xFF000000u | ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

// A surface pixel (0xAARRGGBB; the alpha is ignored) as a colour.
constexpr COLORREF ColourOf(std::uint32_t pixel) {
  return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16);
}

// The background of every dialog's client area.
constexpr COLORREF kDialogBackground = RGB(240, 240, 240);

RECT Intersect(const RECT& a, const RECT& b);
bool IsEmpty(const RECT& rect);
