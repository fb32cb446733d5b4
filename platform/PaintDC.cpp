#include "platform/PaintDC.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <utility>

#include "platform/BitmapFont.h"
#include "platform/Runtime.h"
#include "platform/Wnd.h"

namespace {

// What every fresh context has selected.
CPen blackPen(PS_SOLID, 1, RGB(0, 0, 0));
CBrush whiteBrush(RGB(255, 255, 255));

}  // namespace

CDC::CDC(Surface& surface, const RECT& clip)
    : surface_(surface),
      clip_(Intersect(clip, {0, 0, surface.Width(), surface.Height()})),
      pen_(&blackPen),
      brush_(&whiteBrush) {}

void CDC::FillSolidRect(const RECT& rect, COLORREF colour) {
  surface_.Fill(Intersect(rect, clip_), colour);
}

CPen* CDC::SelectObject(CPen* pen) { return std::exchange(pen_, pen); }

CBrush* CDC::SelectObject(CBrush* brush) { return std::exchange(brush_, brush); }

COLORREF CDC::SetBkColor(COLORREF colour) { return std::exchange(background_, colour); }

COLORREF CDC::SetTextColor(COLORREF colour) { return std::exchange(text_, colour); }

void CDC::Plot(int x, int y, std::uint32_t pixel) {
  // The clip lies inside the surface, so a pixel inside it can be written directly.
  if (x >= clip_.left && x < clip_.right && y >= clip_.top && y < clip_.bottom) surface_.Row(y)[x] = pixel;
}

POINT CDC::MoveTo(int x, int y) { return std::exchange(position_, POINT{x, y}); }

BOOL CDC::LineTo(int x, int y) {
  // Bresenham from the current position; the end point itself is not drawn. Each point covers
  // width x width pixels, written straight into the surface's rows inside the clip.
  const int width = pen_->Width();
  const std::uint32_t pixel = PixelOf(pen_->Colour());
  int px = position_.x, py = position_.y;
  const int dx = std::abs(x - px), dy = -std::abs(y - py);
  const int sx = px < x ? 1 : -1, sy = py < y ? 1 : -1;
  int error = dx + dy;
  while (px != x || py != y) {
    for (int oy = py; oy < py + width; ++oy) {
      if (oy < clip_.top || oy >= clip_.bottom) continue;
      std::uint32_t* row = surface_.Row(oy);
      for (int ox = std::max(px, clip_.left); ox < std::min(px + width, clip_.right); ++ox) row[ox] = pixel;
    }
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      px += sx;
    }
    if (twice <= dx) {
      error += dx;
      py += sy;
    }
  }
  position_ = {x, y};
  return TRUE;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
  if (left >= right || top >= bottom) return FALSE;
  FillSolidRect({left, top, right, bottom}, brush_->Colour());
  const std::uint32_t edge = PixelOf(pen_->Colour());
  for (int x = left; x < right; ++x) {
    Plot(x, top, edge);
    Plot(x, bottom - 1, edge);
  }
  for (int y = top; y < bottom; ++y) {
    Plot(left, y, edge);
    Plot(right - 1, y, edge);
  }
  return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF colour) {
  Plot(x, y, PixelOf(colour));
  return colour;
}

BOOL CDC::TextOut(int x, int y, const std::string& text) {
  const std::uint32_t ink = PixelOf(text_);
  int left = x;
  for (unsigned char c : text) {
    FillSolidRect({left, y, left + kGlyphWidth, y + kGlyphHeight}, background_);
    for (int row = 0; row < kGlyphHeight; ++row) {
      const std::uint8_t bits = GlyphRow(c, row);
      for (int column = 0; column < kGlyphWidth; ++column)
        if (bits & (0x80 >> column)) Plot(left + column, y + row, ink);
    }
    left += kGlyphWidth;
  }
  return TRUE;
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) {
  if (!icon || icon->images.empty()) return FALSE;
  const IconImage& image = icon->images.front();
  for (int row = 0; row < image.height; ++row) {
    for (int column = 0; column < image.width; ++column) {
      const std::uint32_t pixel = image.pixels[static_cast<std::size_t>(row * image.width + column)];
      if ((pixel >> 24) < 0x80) continue;  // transparent
      Plot(x + column, y + row, pixel | 0xFF000000u);
    }
  }
  return TRUE;
}

namespace {

Surface& SurfaceOf(CWnd* window) {
  assert(window && window->GetSurface() && "painting needs a top-level window");
  return *window->GetSurface();
}

}  // namespace

CPaintDC::Begun CPaintDC::BeginPaint(CWnd* window) {
  auto update = Runtime::Current().Queue().TakeUpdate(window->m_hWnd);
  if (!update) return {};
  return {update->rect, update->erase};
}

CPaintDC::CPaintDC(CWnd* window) : CPaintDC(window, BeginPaint(window)) {}

CPaintDC::CPaintDC(CWnd* window, Begun begun) : CDC(SurfaceOf(window), begun.area), window_(*window) {
  if (begun.erase && !IsEmpty(GetClipBox()))
    window_.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(static_cast<CDC*>(this)));
}

CPaintDC::~CPaintDC() {
  if (HostWindow* host = window_.GetHostWindow(); host && !IsEmpty(GetClipBox()))
    host->SurfacePainted(GetClipBox());
}
