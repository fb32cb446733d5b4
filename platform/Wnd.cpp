#include "platform/Wnd.h"

#include <algorithm>
#include <cassert>

#include "platform/Controls.h"
#include "platform/DataExchange.h"
#include "platform/DialogUnits.h"
#include "platform/Format.h"
#include "platform/PaintDC.h"
#include "platform/Runtime.h"

namespace {
constexpr UINT SC_CLOSE = 0xF060;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const std::string& text) {
  items_.push_back({flags, id, (flags & MF_SEPARATOR) ? std::string() : text});
  return TRUE;
}

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_hWnd == kNoWindow) return;
  if (parent_)
    Detach();  // a subclassing object goes; the control itself stays with its dialog
  else
    DestroyWindow();
}

CWnd* CWnd::FromHandle(HWND hwnd) { return Runtime::Current().FromHandle(hwnd); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return Runtime::Current().Queue().Send(MSG{m_hWnd, message, wParam, lParam});
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_hWnd == kNoWindow) return FALSE;
  Runtime::Current().Queue().Post(MSG{m_hWnd, message, wParam, lParam});
  return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const MSG saved = current_;
  current_ = MSG{m_hWnd, message, wParam, lParam};
  const LRESULT result = WindowProc(message, wParam, lParam);
  current_ = saved;
  return result;
}

LRESULT CWnd::Default() { return DefWindowProc(current_.message, current_.wParam, current_.lParam); }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (parent_) return 0;  // controls keep their own behaviour in the host
  switch (message) {
    case WM_PAINT: {
      CPaintDC dc(this);
      return 0;
    }
    case WM_ERASEBKGND:
    case WM_ICONERASEBKGND:
      if (auto* dc = reinterpret_cast<CDC*>(wParam)) dc->FillSolidRect(dc->GetClipBox(), kDialogBackground);
      return 1;
    case WM_SETICON:
      if (hostWindow_) hostWindow_->SetIcon(reinterpret_cast<HICON>(lParam), wParam == ICON_BIG);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) SendMessage(WM_CLOSE);
      return 0;
    case WM_CLOSE:
      DestroyWindow();
      return 0;
    default:
      return 0;
  }
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs) {
  Runtime::Current().Queue().SetTimer(m_hWnd, id, Clock::duration(elapseMs));
  return id;
}

BOOL CWnd::KillTimer(UINT_PTR id) { return Runtime::Current().Queue().KillTimer(m_hWnd, id) ? TRUE : FALSE; }

void CWnd::InvalidateRect(const RECT* rect, BOOL erase) {
  RECT client;
  GetClientRect(&client);
  const RECT area = rect ? Intersect(*rect, client) : client;
  if (IsEmpty(area)) return;
  Runtime::Current().Queue().Invalidate(m_hWnd, area, erase != FALSE);
}

void CWnd::GetClientRect(RECT* rect) const {
  if (controlTemplate_) {
    const RECT r = ControlRect(*controlTemplate_);
    *rect = {0, 0, r.right - r.left, r.bottom - r.top};
  } else {
    *rect = {0, 0, clientSize_.cx, clientSize_.cy};
  }
}

// The layer has no screen of its own: a dialog's client area stands at the screen's origin,
// so screen and client coordinates of a dialog coincide.
void CWnd::GetWindowRect(RECT* rect) const {
  if (controlTemplate_)
    *rect = ControlRect(*controlTemplate_);
  else
    GetClientRect(rect);
}

void CWnd::ScreenToClient(RECT*) const {}

BOOL CWnd::IsIconic() const { return hostWindow_ && hostWindow_->IsIconic() ? TRUE : FALSE; }

void CWnd::SetWindowText(const std::string& text) {
  if (control_)
    control_->SetText(text);
  else if (hostWindow_)
    hostWindow_->SetCaption(text);
}

std::string CWnd::GetWindowText() const { return control_ ? control_->GetText() : std::string(); }

CWnd* CWnd::GetDlgItem(int id) const {
  const auto it = childIndex_.find(id);
  return it == childIndex_.end() ? nullptr : children_[it->second];
}

int CWnd::GetDlgCtrlID() const { return controlTemplate_ ? controlTemplate_->id : 0; }

void CWnd::SetDlgItemText(int id, const std::string& text) {
  if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, std::string& text) const {
  const CWnd* item = GetDlgItem(id);
  text = item ? item->GetWindowText() : std::string();
  return static_cast<int>(text.size());
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
  SetDlgItemText(id, isSigned ? Format("%d", static_cast<int>(value)) : Format("%u", value));
}

BOOL CWnd::IsWindowVisible() const { return control_ ? control_->IsVisible() : m_hWnd != kNoWindow; }

BOOL CWnd::IsWindowEnabled() const { return control_ ? control_->IsEnabled() : m_hWnd != kNoWindow; }

CWnd* CWnd::GetFocus() { return FromHandle(Runtime::Current().GetHost().GetFocus()); }

CWnd* CWnd::SetFocus() {
  CWnd* previous = GetFocus();
  Runtime::Current().GetHost().SetFocus(m_hWnd);
  return previous;
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return dx.m_bFailed ? FALSE : TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

int CWnd::MessageBox(const std::string& text, const char* caption, UINT type) {
  Runtime& runtime = Runtime::Current();
  return runtime.GetHost().MessageBox(m_hWnd, text, caption ? std::string(caption) : runtime.AppTitle(), type);
}

CMenu* CWnd::GetSystemMenu(BOOL) { return systemMenu_.get(); }

HICON CWnd::SetIcon(HICON icon, BOOL big) {
  return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

BOOL CWnd::SubclassDlgItem(int id, CWnd* parent) {
  assert(m_hWnd == kNoWindow && "a window object stands for one window at a time");
  CWnd* original = parent ? parent->GetDlgItem(id) : nullptr;
  if (!original) return FALSE;
  auto slot = std::find(parent->children_.begin(), parent->children_.end(), original);
  *slot = this;
  AttachChild(parent, original->controlTemplate_, original->control_, original->m_hWnd);
  Runtime::Current().Rebind(m_hWnd, *this);
  return TRUE;
}

void CWnd::AttachChild(CWnd* parent, const ControlTemplate* tmpl, Control* control, HWND hwnd) {
  parent_ = parent;
  controlTemplate_ = tmpl;
  control_ = control;
  m_hWnd = hwnd;
}

void CWnd::Detach() {
  if (parent_ && parent_->m_hWnd != kNoWindow) {
    // Hand the control back to the object the dialog made for it.
    auto slot = std::find(parent_->children_.begin(), parent_->children_.end(), this);
    if (slot != parent_->children_.end()) {
      const auto index = static_cast<std::size_t>(slot - parent_->children_.begin());
      *slot = parent_->ownChildren_[index].get();
      Runtime::Current().Rebind(m_hWnd, **slot);
    }
  }
  parent_ = nullptr;
  controlTemplate_ = nullptr;
  control_ = nullptr;
  m_hWnd = kNoWindow;
}

void CWnd::CreateFromTemplate(const DialogTemplate& tmpl) {
  assert(m_hWnd == kNoWindow && "window already created");
  Runtime& runtime = Runtime::Current();
  m_hWnd = runtime.Register(*this);
  clientSize_ = ClientSize(tmpl);
  surface_ = std::make_unique<Surface>(clientSize_.cx, clientSize_.cy, kDialogBackground);
  if (tmpl.Has(DialogStyle::SysMenu)) systemMenu_ = std::make_unique<CMenu>();

  std::vector<HWND> handles;
  for (const ControlTemplate& control : tmpl.controls) {
    auto child = MakeControlWindow(control.kind);
    child->m_hWnd = runtime.Register(*child);
    handles.push_back(child->m_hWnd);
    childIndex_.emplace(control.id, children_.size());
    children_.push_back(child.get());
    ownChildren_.push_back(std::move(child));
  }
  hostWindow_ = runtime.GetHost().CreateHostWindow(*this, tmpl, handles);
  for (std::size_t i = 0; i < tmpl.controls.size(); ++i)
    ownChildren_[i]->AttachChild(this, &tmpl.controls[i], &hostWindow_->GetControl(i), handles[i]);
}

void CWnd::DestroyWindow() {
  if (m_hWnd == kNoWindow || parent_) return;
  Runtime& runtime = Runtime::Current();
  for (CWnd* child : children_) {
    runtime.Unregister(child->m_hWnd);
    child->parent_ = nullptr;  // the dialog goes with its controls; nothing to hand back
    child->Detach();
  }
  children_.clear();
  childIndex_.clear();
  hostWindow_.reset();
  ownChildren_.clear();
  runtime.Unregister(m_hWnd);
  m_hWnd = kNoWindow;
}
