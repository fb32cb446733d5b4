// A menu as a list of items; hosts show the system menu's items wherever their platform
// puts such commands, and send WM_SYSCOMMAND with the item's id when one is chosen.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_SEPARATOR = 0x0800;

class CMenu {
 public:
  struct Item {
    UINT flags;
    UINT_PTR id;
    std::string text;
  };

  BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const std::string& text = {});
  const std::vector<Item>& Items() const { return items_; }

 private:
  std::vector<Item> items_;
};
