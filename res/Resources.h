// The program's resources: dialog templates 100, 102 and 129, string 101 and icon 128.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/DialogTemplate.h"
#include "platform/Icon.h"
#include "res/resource.h"

// The template with this id, or nullptr.
const DialogTemplate* FindDialogTemplate(int id);

// Text of a string-table entry (UTF-8); empty when there is none.
std::string LoadResourceString(int id);

// The images of an icon resource (largest first); empty when there is none.
const std::vector<IconImage>& LoadIconResource(int id);
