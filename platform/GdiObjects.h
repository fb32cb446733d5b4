// Pens and brushes a drawing context draws with.
#pragma once

#include "platform/Types.h"

constexpr int PS_SOLID = 0;

class CPen {
 public:
  CPen(int style, int width, COLORREF colour) : style_(style), width_(width < 1 ? 1 : width), colour_(colour) {}
  int Style() const { return style_; }
  int Width() const { return width_; }
  COLORREF Colour() const { return colour_; }

 private:
  int style_;
  int width_;
  COLORREF colour_;
};

class CBrush {
 public:
  explicit CBrush(COLORREF colour) : colour_(colour) {}
  COLORREF Colour() const { return colour_; }

 private:
  COLORREF colour_;
};
