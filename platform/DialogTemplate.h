// A dialog template: the window and every control, as data. Positions and sizes are in
// dialog units; the layer converts them to pixels (see DialogUnits.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class ControlKind {
  PushButton,
  RadioButton,  // automatic radio button
  CheckBox,
  GroupBox,
  StaticText,
  Icon,         // static icon control; text is the icon resource id in decimal
  Edit,
  ComboBox,     // combo box with an edit field (drop-down)
};

// Style bits of a control. Only those the layer or a host acts on are named.
namespace ControlStyle {
constexpr std::uint32_t None = 0;
constexpr std::uint32_t Hidden = 1u << 0;       // created without WS_VISIBLE
constexpr std::uint32_t Disabled = 1u << 1;     // WS_DISABLED
constexpr std::uint32_t Group = 1u << 2;        // WS_GROUP: first control of a group
constexpr std::uint32_t TabStop = 1u << 3;      // WS_TABSTOP: takes the focus
constexpr std::uint32_t DefaultButton = 1u << 4;
constexpr std::uint32_t Border = 1u << 5;
constexpr std::uint32_t ReadOnly = 1u << 6;
constexpr std::uint32_t Multiline = 1u << 7;
constexpr std::uint32_t VScroll = 1u << 8;
constexpr std::uint32_t WantReturn = 1u << 9;   // Enter inserts a line break
constexpr std::uint32_t AutoHScroll = 1u << 10; // text scrolls horizontally while typed
constexpr std::uint32_t Sorted = 1u << 11;      // combo box list kept sorted
}  // namespace ControlStyle

// Control id of controls that have none (labels, frames).
constexpr int IDC_STATIC = -1;

struct ControlTemplate {
  int id = IDC_STATIC;
  ControlKind kind = ControlKind::StaticText;
  std::string text;                 // UTF-8
  int x = 0, y = 0, cx = 0, cy = 0; // dialog units
  std::uint32_t style = ControlStyle::None;
  std::vector<std::string> items;   // initial list entries of a combo box, in template order

  bool Has(std::uint32_t bits) const { return (style & bits) == bits; }
};

namespace DialogStyle {
constexpr std::uint32_t None = 0;
constexpr std::uint32_t Caption = 1u << 0;
constexpr std::uint32_t SysMenu = 1u << 1;
constexpr std::uint32_t MinimizeBox = 1u << 2;
constexpr std::uint32_t MaximizeBox = 1u << 3;
constexpr std::uint32_t ModalFrame = 1u << 4;
constexpr std::uint32_t Visible = 1u << 5;
constexpr std::uint32_t AppWindow = 1u << 6;  // own task-bar button
}  // namespace DialogStyle

struct DialogTemplate {
  int id = 0;
  std::string caption;              // UTF-8
  int x = 0, y = 0, cx = 0, cy = 0; // dialog units
  std::string fontName;             // UTF-8
  int fontPointSize = 9;
  std::uint32_t style = DialogStyle::None;
  std::vector<ControlTemplate> controls;  // in creation (tab) order

  bool Has(std::uint32_t bits) const { return (style & bits) == bits; }
  const ControlTemplate* Find(int controlId) const;
};
