// What a host gives the layer: the controls and windows a person (or a script) sees, modal
// loops, message boxes and the keyboard focus. The headless host keeps control state in plain
// structs; the desktop host keeps it in widgets.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/DialogTemplate.h"
#include "platform/Icon.h"
#include "platform/Types.h"

class CDialog;
class CWnd;
struct OPENFILENAME;

// Host-side state of one dialog control.
class Control {
 public:
  virtual ~Control() = default;
  virtual std::string GetText() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual int GetCheck() const = 0;  // buttons: 1 checked, 0 not
  virtual void SetCheck(int state) = 0;
  // The list of a combo box.
  virtual int GetCount() const = 0;
  virtual std::string GetItem(int index) const = 0;
  virtual void InsertItem(int index, const std::string& text) = 0;
  virtual int GetCurSel() const = 0;  // -1: none
  virtual void SetCurSel(int index) = 0;
  virtual bool IsVisible() const = 0;
  virtual bool IsEnabled() const = 0;
};

// Host side of a top-level window (a dialog) and its controls, in template order.
class HostWindow {
 public:
  virtual ~HostWindow() = default;
  virtual Control& GetControl(std::size_t index) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetIcon(HICON icon, bool big) = 0;
  virtual bool IsIconic() const = 0;
  // The window's surface has been painted in `area` (client pixels): show it.
  virtual void SurfacePainted(const RECT& area) = 0;
};

class Host {
 public:
  virtual ~Host() = default;
  // Builds the host side of `window` from its template; controlHandles[i] is the handle the
  // layer gave the template's i-th control.
  virtual std::unique_ptr<HostWindow> CreateHostWindow(CWnd& window, const DialogTemplate& tmpl,
                                                       const std::vector<HWND>& controlHandles) = 0;
  // Shows `dialog` and dispatches until it has ended (CDialog::IsEnded).
  virtual void RunModalLoop(CDialog& dialog) = 0;
  // Shows a message box and returns the id of the button that closed it. While it is open,
  // sent messages and timers keep being dispatched.
  virtual int MessageBox(HWND owner, const std::string& text, const std::string& caption,
                         UINT type) = 0;
  virtual HWND GetFocus() const = 0;
  virtual void SetFocus(HWND control) = 0;
  // Shows a file-open dialog; true, with the chosen file's path, when the person chose one.
  // While it is open, sent messages and timers keep being dispatched.
  virtual bool GetOpenFileName(const OPENFILENAME& request, std::string& path) = 0;
};

// Message-box types and results.
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x00000040;
constexpr UINT MB_ICONMASK = 0x000000F0;
