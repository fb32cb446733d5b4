#include "platform/DataExchange.h"

#include <climits>

#include "platform/Controls.h"
#include "platform/Format.h"
#include "platform/WinApp.h"
#include "platform/Wnd.h"

namespace {

CWnd* Item(CDataExchange* pDX, int id) { return pDX->m_pDlgWnd->GetDlgItem(id); }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

void CDataExchange::Fail(int id) {
  m_bFailed = true;
  if (CWnd* item = Item(this, id)) item->SetFocus();
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  if (control.m_hWnd == kNoWindow) control.SubclassDlgItem(id, pDX->m_pDlgWnd);
}

void DDX_Radio(CDataExchange* pDX, int id, int& value) {
  if (pDX->m_bFailed) return;
  if (pDX->m_bSaveAndValidate) value = -1;
  int position = 0;
  for (CButton* button : RadioGroupOf(*pDX->m_pDlgWnd, id)) {
    if (pDX->m_bSaveAndValidate) {
      if (button->GetCheck() == BST_CHECKED) value = position;
    } else {
      button->SetCheck(position == value ? BST_CHECKED : BST_UNCHECKED);
    }
    ++position;
  }
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
  if (pDX->m_bFailed) return;
  CWnd* item = Item(pDX, id);
  if (!item) return;
  if (pDX->m_bSaveAndValidate)
    value = item->GetWindowText();
  else
    item->SetWindowText(value);
}

namespace {

template <typename Number>
void ExchangeNumber(CDataExchange* pDX, int id, Number& value, bool isSigned) {
  if (pDX->m_bFailed) return;
  CWnd* item = Item(pDX, id);
  if (!item) return;
  if (!pDX->m_bSaveAndValidate) {
    item->SetWindowText(isSigned ? Format("%d", static_cast<int>(value)) : Format("%u", static_cast<UINT>(value)));
    return;
  }
  const auto parsed = ParseWholeNumber(item->GetWindowText(), isSigned);
  if (!parsed) {
    AfxMessageBox(isSigned ? "Please enter an integer." : "Please enter a positive integer.");
    pDX->Fail(id);
    return;
  }
  value = static_cast<Number>(*parsed);
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int id, int& value) { ExchangeNumber(pDX, id, value, true); }

void DDX_Text(CDataExchange* pDX, int id, UINT& value) { ExchangeNumber(pDX, id, value, false); }

void DDX_CBString(CDataExchange* pDX, int id, std::string& value) {
  if (pDX->m_bFailed) return;
  auto* combo = static_cast<CComboBox*>(Item(pDX, id));
  if (!combo) return;
  if (pDX->m_bSaveAndValidate)
    value = combo->GetWindowText();
  else if (combo->SelectString(-1, value) == CB_ERR)
    combo->SetWindowText(value);
}

std::optional<std::int64_t> ParseWholeNumber(const std::string& text, bool isSigned) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (!isSigned) return std::nullopt;
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t digitsStart = i;
  std::int64_t magnitude = 0;
  const std::int64_t limit = isSigned ? (negative ? -std::int64_t{INT_MIN} : INT_MAX) : UINT_MAX;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'), limit);
  if (i == digitsStart) return std::nullopt;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i != text.size()) return std::nullopt;
  return negative ? -magnitude : magnitude;
}
