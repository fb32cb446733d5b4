// CWnd: a window as the program's code sees it. A top-level window (a dialog) has a host
// window, a pixel surface, timers and a system menu; a child window is one control of its
// dialog and keeps its state in the host's Control.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/DialogTemplate.h"
#include "platform/Host.h"
#include "platform/Icon.h"
#include "platform/Menu.h"
#include "platform/Message.h"
#include "platform/Surface.h"
#include "platform/Types.h"

class CDataExchange;
class CDC;

class CWnd {
 public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = kNoWindow;
  static CWnd* FromHandle(HWND hwnd);

  // Messages. A send from another thread blocks until the window thread has handled it.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Handles one message: remembers it for Default(), then runs WindowProc.
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The default handling of the message being handled now.
  LRESULT Default();

  // Timers and painting (top-level windows).
  UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs);
  BOOL KillTimer(UINT_PTR id);
  void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
  void Invalidate(BOOL erase = TRUE) { InvalidateRect(nullptr, erase); }
  void GetClientRect(RECT* rect) const;
  void GetWindowRect(RECT* rect) const;  // screen coordinates
  void ScreenToClient(RECT* rect) const;
  BOOL IsIconic() const;
  Surface* GetSurface() const { return surface_.get(); }

  // Text, controls and focus.
  void SetWindowText(const std::string& text);
  std::string GetWindowText() const;
  CWnd* GetParent() const { return parent_; }
  CWnd* GetDlgItem(int id) const;
  int GetDlgCtrlID() const;
  void SetDlgItemText(int id, const std::string& text);
  int GetDlgItemText(int id, std::string& text) const;
  void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
  BOOL IsWindowVisible() const;
  BOOL IsWindowEnabled() const;
  static CWnd* GetFocus();
  CWnd* SetFocus();

  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* pDX);

  // A message box owned by this window; without a caption it shows the application title.
  int MessageBox(const std::string& text, const char* caption = nullptr, UINT type = MB_OK);
  CMenu* GetSystemMenu(BOOL revert);
  HICON SetIcon(HICON icon, BOOL big);

  // Makes this object the window of dialog control `id` of `parent` (the control keeps its
  // state; only the object that stands for it changes).
  BOOL SubclassDlgItem(int id, CWnd* parent);

  // For the layer and hosts.
  Control* GetControl() const { return control_; }
  const ControlTemplate* GetControlTemplate() const { return controlTemplate_; }
  HostWindow* GetHostWindow() const { return hostWindow_.get(); }
  const std::vector<CWnd*>& Children() const { return children_; }
  void DestroyWindow();

 protected:
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  // Creates this top-level window and its controls from `tmpl`.
  void CreateFromTemplate(const DialogTemplate& tmpl);

 private:
  friend class CPaintDC;
  void AttachChild(CWnd* parent, const ControlTemplate* tmpl, Control* control, HWND hwnd);
  void Detach();

  MSG current_{};
  // Child side.
  CWnd* parent_ = nullptr;
  const ControlTemplate* controlTemplate_ = nullptr;
  Control* control_ = nullptr;
  // Top-level side.
  SIZE clientSize_{};
  std::unique_ptr<HostWindow> hostWindow_;
  std::unique_ptr<Surface> surface_;
  std::unique_ptr<CMenu> systemMenu_;
  std::vector<std::unique_ptr<CWnd>> ownChildren_;
  std::vector<CWnd*> children_;  // in template order; a subclassing object replaces its entry
  std::unordered_map<int, std::size_t> childIndex_;  // control id -> its first entry in children_
};
