// Drawing contexts: CDC draws on a window's surface, clipped to a rectangle; CPaintDC is the
// one a WM_PAINT handler makes: it begins the paint (takes the repaint area and erases it when
// the invalidation asked for that) and ends it when it goes out of scope.
#pragma once

#include <string>

#include "platform/GdiObjects.h"
#include "platform/Icon.h"
#include "platform/Surface.h"
#include "platform/Types.h"

class CWnd;

// Everything a context draws lands inside its clip rectangle (and the surface). A fresh
// context draws with a black pen one pixel wide and a white brush, and writes black text on
// an opaque white background with its top-left corner at the given point.
class CDC {
 public:
  CDC(Surface& surface, const RECT& clip);
  virtual ~CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  Surface& GetSurface() const { return surface_; }
  const RECT& GetClipBox() const { return clip_; }
  void FillSolidRect(const RECT& rect, COLORREF colour);

  // Selecting returns what was selected before, to be selected again when done.
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  COLORREF SetBkColor(COLORREF colour);
  COLORREF SetTextColor(COLORREF colour);

  // A line from the current position to (x, y), without its end point, in the current pen:
  // each point of the line covers width x width pixels from it to the right and down.
  POINT MoveTo(int x, int y);
  BOOL LineTo(int x, int y);
  // Fills left <= x < right, top <= y < bottom with the brush and draws its edge in the pen.
  BOOL Rectangle(int left, int top, int right, int bottom);
  COLORREF SetPixel(int x, int y, COLORREF colour);
  // Text with its top-left corner at (x, y), on the background colour, in the built-in font.
  BOOL TextOut(int x, int y, const std::string& text);
  BOOL DrawIcon(int x, int y, HICON icon);

 private:
  // Sets one surface pixel (0xFFRRGGBB) when it lies inside the clip.
  void Plot(int x, int y, std::uint32_t pixel);

  Surface& surface_;
  RECT clip_;
  CPen* pen_;
  CBrush* brush_;
  COLORREF background_ = RGB(255, 255, 255);
  COLORREF text_ = RGB(0, 0, 0);
  POINT position_{};
};

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC() override;

 private:
  struct Begun {
    RECT area{};
    bool erase = false;
  };
  static Begun BeginPaint(CWnd* window);
  CPaintDC(CWnd* window, Begun begun);

  CWnd& window_;
};
