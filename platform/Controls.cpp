#include "platform/Controls.h"

#include <algorithm>
#include <cctype>

namespace {

int CompareNoCase(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

}  // namespace

int CButton::GetCheck() const { return GetControl() ? GetControl()->GetCheck() : BST_UNCHECKED; }

void CButton::SetCheck(int state) {
  if (GetControl()) GetControl()->SetCheck(state);
}

int CComboBox::GetCount() const { return GetControl() ? GetControl()->GetCount() : 0; }

int CComboBox::GetCurSel() const { return GetControl() ? GetControl()->GetCurSel() : CB_ERR; }

int CComboBox::SetCurSel(int index) {
  Control* control = GetControl();
  if (!control) return CB_ERR;
  if (index < 0 || index >= control->GetCount()) {
    control->SetCurSel(-1);
    control->SetText({});
    return CB_ERR;
  }
  control->SetCurSel(index);
  control->SetText(control->GetItem(index));
  return index;
}

int CComboBox::GetLBText(int index, std::string& text) const {
  if (index < 0 || index >= GetCount()) return CB_ERR;
  text = GetControl()->GetItem(index);
  return static_cast<int>(text.size());
}

int CComboBox::AddString(const std::string& text) {
  int index = GetCount();
  if (const ControlTemplate* tmpl = GetControlTemplate(); tmpl && tmpl->Has(ControlStyle::Sorted)) {
    index = 0;
    while (index < GetCount() && CompareNoCase(GetControl()->GetItem(index), text) <= 0) ++index;
  }
  return InsertString(index, text);
}

int CComboBox::InsertString(int index, const std::string& text) {
  Control* control = GetControl();
  if (!control) return CB_ERR;
  if (index < 0 || index > control->GetCount()) index = control->GetCount();
  control->InsertItem(index, text);
  return index;
}

int CComboBox::FindString(int startAfter, const std::string& prefix) const {
  const int count = GetCount();
  if (count == 0 || prefix.empty()) return CB_ERR;
  for (int step = 1; step <= count; ++step) {
    const int index = ((startAfter < 0 ? -1 : startAfter) + step) % count;
    if (StartsWithNoCase(GetControl()->GetItem(index), prefix)) return index;
  }
  return CB_ERR;
}

int CComboBox::SelectString(int startAfter, const std::string& prefix) {
  const int index = FindString(startAfter, prefix);
  return index == CB_ERR ? CB_ERR : SetCurSel(index);
}

std::unique_ptr<CWnd> MakeControlWindow(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::RadioButton:
    case ControlKind::CheckBox:
    case ControlKind::GroupBox:
      return std::make_unique<CButton>();
    case ControlKind::Edit:
      return std::make_unique<CEdit>();
    case ControlKind::ComboBox:
      return std::make_unique<CComboBox>();
    case ControlKind::StaticText:
    case ControlKind::Icon:
      return std::make_unique<CStatic>();
  }
  return std::make_unique<CWnd>();
}

std::vector<CButton*> RadioGroupOf(const CWnd& dialog, int id) {
  const auto& children = dialog.Children();
  auto isRadio = [](const CWnd* w) {
    return w->GetControlTemplate() && w->GetControlTemplate()->kind == ControlKind::RadioButton;
  };
  auto it = std::find_if(children.begin(), children.end(), [&](const CWnd* w) { return w->GetDlgCtrlID() == id; });
  if (it == children.end() || !isRadio(*it)) return {};
  auto first = it;
  while (first != children.begin() && !(*first)->GetControlTemplate()->Has(ControlStyle::Group) &&
         isRadio(*(first - 1)))
    --first;
  std::vector<CButton*> group;
  for (auto w = first; w != children.end() && isRadio(*w); ++w) {
    if (w != first && (*w)->GetControlTemplate()->Has(ControlStyle::Group)) break;
    group.push_back(static_cast<CButton*>(*w));
  }
  return group;
}
