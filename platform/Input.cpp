#include "platform/Input.h"

#include "platform/Controls.h"
#include "platform/Message.h"

namespace {

CWnd* Usable(CWnd& dialog, int id) {
  CWnd* control = dialog.GetDlgItem(id);
  if (!control || !control->IsWindowVisible() || !control->IsWindowEnabled()) return nullptr;
  return control;
}

void Notify(CWnd& dialog, const CWnd& control, UINT code) {
  dialog.PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<UINT>(control.GetDlgCtrlID()), code),
                     static_cast<LPARAM>(control.m_hWnd));
}

}  // namespace

void ClickButton(CWnd& dialog, int id) {
  CWnd* control = Usable(dialog, id);
  if (!control) return;
  const auto group = RadioGroupOf(dialog, id);
  for (CButton* button : group) button->SetCheck(button == control ? BST_CHECKED : BST_UNCHECKED);
  control->SetFocus();
  Notify(dialog, *control, BN_CLICKED);
}

void PressAndReleaseKey(CWnd& dialog, UINT virtualKey) {
  CWnd* focus = CWnd::GetFocus();
  CWnd& target = focus && focus->GetParent() == &dialog ? *focus : dialog;
  target.PostMessage(WM_KEYDOWN, virtualKey, 0);
  target.PostMessage(WM_KEYUP, virtualKey, 0);
}

void TypeIntoControl(CWnd& dialog, int id, const std::string& text) {
  CWnd* control = Usable(dialog, id);
  if (!control) return;
  control->SetFocus();
  control->SetWindowText(text);
  NotifyTextTyped(dialog, id);
}

void NotifyTextTyped(CWnd& dialog, int id) {
  const CWnd* control = dialog.GetDlgItem(id);
  if (!control) return;
  const bool combo = control->GetControlTemplate()->kind == ControlKind::ComboBox;
  Notify(dialog, *control, combo ? CBN_EDITCHANGE : EN_CHANGE);
}

void ChooseListEntry(CWnd& dialog, int id, int index) {
  auto* combo = static_cast<CComboBox*>(Usable(dialog, id));
  if (!combo || combo->GetControlTemplate()->kind != ControlKind::ComboBox) return;
  combo->SetFocus();
  if (combo->SetCurSel(index) != CB_ERR) Notify(dialog, *combo, CBN_SELCHANGE);
}
