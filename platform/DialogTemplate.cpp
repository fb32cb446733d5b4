#include "platform/DialogTemplate.h"

const ControlTemplate* DialogTemplate::Find(int controlId) const {
  for (const ControlTemplate& control : controls) {
    if (control.id == controlId) return &control;
  }
  return nullptr;
}
