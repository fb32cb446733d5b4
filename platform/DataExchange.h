// Data exchange between a dialog's members and its controls. UpdateData(FALSE) writes members
// to controls; UpdateData(TRUE) reads controls into members and fails at the first text that is
// not a number of its type: a message box asks for a whole number, the focus goes to that
// control, and the exchanges after it are skipped.
#pragma once

#include <optional>
#include <string>

#include "platform/Types.h"

class CWnd;

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  bool m_bFailed = false;

  // Reports a failed exchange on control `id`: it takes the focus, later exchanges do nothing.
  void Fail(int id);
};

void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// Radio group starting at `id`: the position of the checked button, -1 when none is.
void DDX_Radio(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, UINT& value);
// Combo box: towards the control, select the first entry that begins with the text (case
// ignored), else put the text into the edit field; from the control, the edit field's text.
void DDX_CBString(CDataExchange* pDX, int id, std::string& value);

// A whole decimal number as the exchange accepts it: blanks and tabs around it, an optional
// sign (signed only), digits; values beyond 32 bits saturate. nullopt for anything else,
// including an empty text.
std::optional<std::int64_t> ParseWholeNumber(const std::string& text, bool isSigned);
