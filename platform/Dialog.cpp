#include "platform/Dialog.h"

#include <cassert>

#include "platform/Controls.h"
#include "platform/Runtime.h"
#include "platform/WinApp.h"

CDialog::CDialog(int templateId, CWnd* parent) : templateId_(templateId), parentWnd_(parent) {}

int CDialog::DoModal() {
  Runtime& runtime = Runtime::Current();
  const DialogTemplate* tmpl = runtime.Resources().FindDialog(templateId_);
  assert(tmpl && "every dialog has its template among the resources");
  result_.reset();
  CreateFromTemplate(*tmpl);
  if (SendMessage(WM_INITDIALOG) != FALSE) FocusFirstTabStop();
  Invalidate(TRUE);  // the first showing paints the whole client area
  if (!IsEnded()) runtime.GetHost().RunModalLoop(*this);
  DestroyWindow();
  return result_.value_or(IDCANCEL);
}

BOOL CDialog::OnInitDialog() {
  FillListsFromTemplate();
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result) {
  if (!result_) result_ = result;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message != WM_KEYDOWN) return FALSE;
  if (pMsg->wParam == VK_ESCAPE) {
    SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    return TRUE;
  }
  if (pMsg->wParam != VK_RETURN) return FALSE;
  const CWnd* focus = GetFocus();
  const ControlTemplate* focused = focus ? focus->GetControlTemplate() : nullptr;
  if (focused && focused->Has(ControlStyle::Multiline | ControlStyle::WantReturn)) return FALSE;
  for (CWnd* child : Children()) {
    const ControlTemplate* tmpl = child->GetControlTemplate();
    if (tmpl && tmpl->Has(ControlStyle::DefaultButton) && child->IsWindowEnabled()) {
      SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<UINT>(tmpl->id), BN_CLICKED));
      break;
    }
  }
  return TRUE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
        OnOK();
        return 0;
      }
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
        OnCancel();
        return 0;
      }
      if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) app->OnCmdMsg(LOWORD(wParam));
      return 0;
    default:
      return CWnd::WindowProc(message, wParam, lParam);
  }
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    // A dialog closes through its Cancel command, unless its Cancel button is disabled.
    const CWnd* cancel = GetDlgItem(IDCANCEL);
    if (!cancel || cancel->IsWindowEnabled()) SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    return 0;
  }
  return CWnd::DefWindowProc(message, wParam, lParam);
}

void CDialog::FillListsFromTemplate() {
  for (CWnd* child : Children()) {
    const ControlTemplate* tmpl = child->GetControlTemplate();
    if (!tmpl || tmpl->kind != ControlKind::ComboBox) continue;
    auto* combo = static_cast<CComboBox*>(child);
    for (const std::string& item : tmpl->items) combo->AddString(item);
  }
}

void CDialog::FocusFirstTabStop() {
  for (CWnd* child : Children()) {
    const ControlTemplate* tmpl = child->GetControlTemplate();
    if (tmpl && tmpl->Has(ControlStyle::TabStop) && child->IsWindowVisible() && child->IsWindowEnabled()) {
      child->SetFocus();
      return;
    }
  }
}
