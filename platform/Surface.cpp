#include "platform/Surface.h"

#include <algorithm>

Surface::Surface(int width, int height, COLORREF fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), PixelOf(fill)) {}

COLORREF Surface::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return ColourOf(pixels_[static_cast<std::size_t>(y) * width_ + x]);
}

void Surface::SetPixel(int x, int y, COLORREF colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = PixelOf(colour);
}

void Surface::Fill(const RECT& rect, COLORREF colour) {
  const RECT area = Intersect(rect, {0, 0, width_, height_});
  const std::uint32_t pixel = PixelOf(colour);
  for (int y = area.top; y < area.bottom; ++y) {
    auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_;
    std::fill(row + area.left, row + area.right, pixel);
  }
}

RECT Intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (IsEmpty(r)) return {};
  return r;
}

bool IsEmpty(const RECT& rect) { return rect.left >= rect.right || rect.top >= rect.bottom; }
