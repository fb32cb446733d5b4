// Dialog units to pixels. The dialog font's base units are 6 x 12 pixels, so one dialog unit
// is 1.5 pixels across and 1.5 down; halves round up. Position and size convert separately.
#pragma once

#include "platform/DialogTemplate.h"
#include "platform/Types.h"

constexpr int DialogUnitsToPixels(int units) {
  return units >= 0 ? (units * 3 + 1) / 2 : -((-units * 3) / 2);
}

// The control's rectangle in its dialog's client area.
constexpr RECT ControlRect(const ControlTemplate& control) {
  const int left = DialogUnitsToPixels(control.x);
  const int top = DialogUnitsToPixels(control.y);
  return {left, top, left + DialogUnitsToPixels(control.cx), top + DialogUnitsToPixels(control.cy)};
}

// The dialog's client area, from (0, 0).
constexpr SIZE ClientSize(const DialogTemplate& dialog) {
  return {DialogUnitsToPixels(dialog.cx), DialogUnitsToPixels(dialog.cy)};
}
