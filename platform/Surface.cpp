#include "platform/Surface.h"

#include <algorithm>

namespace {

std::uint32_t ToPixel(COLORREF colour) { return PixelOf(colour); }

COLORREF ToColour(std::uint32_t pixel) {
  return RGB(static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
             static_cast<int>(pixel & 0xFF));
}

}  // namespace

Surface::Surface(int width, int height, COLORREF fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), ToPixel(fill)) {}

COLORREF Surface::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return ToColour(pixels_[static_cast<std::size_t>(y) * width_ + x]);
}

void Surface::SetPixel(int x, int y, COLORREF colour) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = ToPixel(colour);
}

void Surface::Fill(const RECT& rect, COLORREF colour) {
  const RECT area = Intersect(rect, {0, 0, width_, height_});
  const std::uint32_t pixel = ToPixel(colour);
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
