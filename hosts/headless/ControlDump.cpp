#include "hosts/headless/ControlDump.h"

#include <nlohmann/json.hpp>

#include "platform/Controls.h"

std::string DumpControls(const CWnd& dialog) {
  nlohmann::ordered_json texts = nlohmann::ordered_json::object();
  nlohmann::ordered_json checked = nlohmann::ordered_json::array();
  nlohmann::ordered_json selected = nlohmann::ordered_json::object();
  for (const CWnd* child : dialog.Children()) {
    const ControlTemplate* tmpl = child->GetControlTemplate();
    if (!tmpl || tmpl->id == IDC_STATIC) continue;
    const std::string id = std::to_string(tmpl->id);
    texts[id] = child->GetWindowText();
    if (tmpl->kind == ControlKind::RadioButton && static_cast<const CButton*>(child)->GetCheck() == BST_CHECKED)
      checked.push_back(tmpl->id);
    if (tmpl->kind == ControlKind::ComboBox) selected[id] = static_cast<const CComboBox*>(child)->GetCurSel();
  }
  const CWnd* focus = CWnd::GetFocus();
  nlohmann::ordered_json dump = {{"texts", texts},
                                 {"checked", checked},
                                 {"selected", selected},
                                 {"focus", focus && focus->GetParent() == &dialog ? focus->GetDlgCtrlID() : 0}};
  // Texts read from files may hold bytes that are not UTF-8; they are shown as U+FFFD.
  return dump.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}
