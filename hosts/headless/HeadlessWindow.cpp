#include "hosts/headless/HeadlessWindow.h"

std::string HeadlessControl::GetItem(int index) const {
  return index >= 0 && index < GetCount() ? items[static_cast<std::size_t>(index)] : std::string();
}

void HeadlessControl::InsertItem(int index, const std::string& item) {
  items.insert(items.begin() + index, item);
  if (selection >= index) ++selection;
}

HeadlessWindow::HeadlessWindow(const DialogTemplate& tmpl) : controls_(tmpl.controls.size()), caption_(tmpl.caption) {
  for (std::size_t i = 0; i < tmpl.controls.size(); ++i) {
    const ControlTemplate& control = tmpl.controls[i];
    HeadlessControl& state = controls_[i];
    // A combo box starts with an empty edit field; its list is filled by the dialog.
    if (control.kind != ControlKind::ComboBox) state.text = control.text;
    state.visible = !control.Has(ControlStyle::Hidden);
    state.enabled = !control.Has(ControlStyle::Disabled);
  }
}
