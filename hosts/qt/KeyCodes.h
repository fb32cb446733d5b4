// Qt keys as the virtual-key codes the program knows.
#pragma once

#include <QKeyEvent>

#include "platform/Types.h"

// '0'..'9' as 48..57 on the main keyboard and 96..105 on the keypad, 'A'..'Z' as 65..90
// whatever the shift state, Enter 13, Escape 27; 0 for any other key.
UINT VirtualKeyOf(const QKeyEvent& key);
