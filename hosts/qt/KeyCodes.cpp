#include "hosts/qt/KeyCodes.h"

UINT VirtualKeyOf(const QKeyEvent& key) {
  const int k = key.key();
  if (k >= Qt::Key_0 && k <= Qt::Key_9) {
    const UINT digit = static_cast<UINT>(k - Qt::Key_0);
    return (key.modifiers() & Qt::KeypadModifier) ? 96 + digit : 48 + digit;
  }
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<UINT>(65 + (k - Qt::Key_A));
  if (k == Qt::Key_Return || k == Qt::Key_Enter) return 13;
  if (k == Qt::Key_Escape) return 27;
  return 0;
}
