// The resource data behind Resources.h, one builder per resource. Each returns an object
// built once on first use and kept for the life of the process.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/DialogTemplate.h"
#include "platform/Types.h"
#include "res/Resources.h"

const DialogTemplate& AboutDialogTemplate();    // template 100
const DialogTemplate& MainDialogTemplate();     // template 102
const DialogTemplate& PortDialogTemplate();     // template 129
const std::vector<IconImage>& AppIconImages();  // icon 128

// One control of a template, written the way a resource script lists it: id, kind, text,
// position and size in dialog units, style bits and, for a combo box, its initial list.
inline ControlTemplate MakeControl(int id, ControlKind kind, std::string text, int x, int y, int cx,
                                   int cy, std::uint32_t style,
                                   std::vector<std::string> items = {}) {
  ControlTemplate control;
  control.id = id;
  control.kind = kind;
  control.text = std::move(text);
  control.x = x;
  control.y = y;
  control.cx = cx;
  control.cy = cy;
  control.style = style;
  control.items = std::move(items);
  return control;
}
