// The control windows of a dialog: what the program calls on a button, an edit box, a static
// text or a combo box. Each forwards to the control's state in the host.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Wnd.h"

constexpr int CB_ERR = -1;
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

class CButton : public CWnd {
 public:
  int GetCheck() const;
  void SetCheck(int state);
};

class CEdit : public CWnd {};

class CStatic : public CWnd {};

class CComboBox : public CWnd {
 public:
  int GetCount() const;
  int GetCurSel() const;
  // Selects entry `index` and shows its text in the edit field; -1 or an index outside the
  // list clears both and returns CB_ERR.
  int SetCurSel(int index);
  int GetLBText(int index, std::string& text) const;
  // Adds an entry: at the end, or in its place when the list is sorted (letters compare
  // without regard to case). Returns its index.
  int AddString(const std::string& text);
  int InsertString(int index, const std::string& text);
  // The first entry after `startAfter` (wrapping round) that begins with `prefix`, case
  // ignored; CB_ERR when there is none.
  int FindString(int startAfter, const std::string& prefix) const;
  // Selects that entry; CB_ERR (and nothing changes) when there is none.
  int SelectString(int startAfter, const std::string& prefix);
};

// The window class that stands for a control of this kind.
std::unique_ptr<CWnd> MakeControlWindow(ControlKind kind);

// The radio buttons of the group that control `id` of `dialog` belongs to, in template order;
// empty when `id` is not a radio button. A group runs from a radio button with the Group style
// (or the first radio button after another kind of control) through the radio buttons after it.
std::vector<CButton*> RadioGroupOf(const CWnd& dialog, int id);
