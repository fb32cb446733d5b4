// CDialog: a window built from a dialog template and run modally. DoModal creates it, runs
// OnInitDialog, lets the host show it and dispatch until EndDialog, then destroys it.
#pragma once

#include <optional>

#include "platform/DialogTemplate.h"
#include "platform/Wnd.h"

class CDialog : public CWnd {
 public:
  explicit CDialog(int templateId, CWnd* parent = nullptr);

  virtual int DoModal();
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  void EndDialog(int result);
  bool IsEnded() const { return result_.has_value(); }
  int TemplateId() const { return templateId_; }

  // The dialog keyboard: Escape is the Cancel command, Enter clicks the default button
  // (unless a multi-line edit box that takes Enter has the focus). TRUE when it took the key;
  // every other key goes on to the focused control.
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FillListsFromTemplate();
  void FocusFirstTabStop();

  int templateId_;
  CWnd* parentWnd_;
  std::optional<int> result_;
};
