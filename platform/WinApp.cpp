#include "platform/WinApp.h"

#include <cassert>

#include "platform/Runtime.h"
#include "platform/Wnd.h"

namespace {
CWinApp* theApplication = nullptr;
}

CWinApp::CWinApp() {
  assert(!theApplication && "a program has one application object");
  theApplication = this;
}

CWinApp::~CWinApp() { theApplication = nullptr; }

BOOL CWinApp::OnCmdMsg(UINT) { return FALSE; }

// The program ships no help file, so help has nothing to open.
void CWinApp::OnHelp() {}

// Three-dimensional control borders are the host's look already.
void CWinApp::Enable3dControlsStatic() {}

HICON AfxLoadIcon(int id) { return Runtime::Current().Resources().LoadIcon(id); }

std::string AfxLoadString(int id) { return Runtime::Current().Resources().LoadString(id); }

CWinApp* AfxGetApp() { return theApplication; }

int AfxMessageBox(const std::string& text, UINT type) {
  if ((type & MB_ICONMASK) == 0 && ((type & MB_TYPEMASK) == MB_OK || (type & MB_TYPEMASK) == MB_OKCANCEL))
    type |= MB_ICONEXCLAMATION;
  Runtime& runtime = Runtime::Current();
  const CWinApp* app = AfxGetApp();
  const HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : kNoWindow;
  return runtime.GetHost().MessageBox(owner, text, runtime.AppTitle(), type);
}

// The templates hold no embedded controls, so there is nothing to prepare for them.
void AfxEnableControlContainer() {}

int AfxWinMain(CWinApp& app) {
  app.InitInstance();
  return 0;
}
