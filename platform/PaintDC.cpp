#include "platform/PaintDC.h"

#include <cassert>

#include "platform/Runtime.h"
#include "platform/Wnd.h"

CDC::CDC(Surface& surface, const RECT& clip)
    : surface_(surface), clip_(Intersect(clip, {0, 0, surface.Width(), surface.Height()})) {}

void CDC::FillSolidRect(const RECT& rect, COLORREF colour) {
  surface_.Fill(Intersect(rect, clip_), colour);
}

namespace {

Surface& SurfaceOf(CWnd* window) {
  assert(window && window->GetSurface() && "painting needs a top-level window");
  return *window->GetSurface();
}

}  // namespace

CPaintDC::Begun CPaintDC::BeginPaint(CWnd* window) {
  auto update = Runtime::Current().Queue().TakeUpdate(window->m_hWnd);
  if (!update) return {};
  return {update->rect, update->erase};
}

CPaintDC::CPaintDC(CWnd* window) : CPaintDC(window, BeginPaint(window)) {}

CPaintDC::CPaintDC(CWnd* window, Begun begun) : CDC(SurfaceOf(window), begun.area), window_(*window) {
  if (begun.erase && !IsEmpty(GetClipBox()))
    window_.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(static_cast<CDC*>(this)));
}

CPaintDC::~CPaintDC() {
  if (HostWindow* host = window_.GetHostWindow(); host && !IsEmpty(GetClipBox()))
    host->SurfacePainted(GetClipBox());
}
