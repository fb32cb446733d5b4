// The application object and the framework's free functions the program calls.
#pragma once

#include <string>

#include "platform/Host.h"
#include "platform/Icon.h"
#include "platform/Types.h"

class CWnd;

constexpr UINT ID_HELP = 0xE146;

class CWinApp {
 public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return FALSE; }
  // Routes a command that no window handled; TRUE when the application handled it.
  virtual BOOL OnCmdMsg(UINT id);
  void OnHelp();
  void Enable3dControlsStatic();

  CWnd* m_pMainWnd = nullptr;
};

// The program's one application object.
CWinApp* AfxGetApp();
// A message box owned by the main window, titled with the application title. Without an icon
// of its own an OK or OK/Cancel box gets the exclamation icon.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);
void AfxEnableControlContainer();
// Resources by id: an icon (nullptr when there is none) and a string (empty when there is none).
HICON AfxLoadIcon(int id);
std::string AfxLoadString(int id);
// Runs the application: InitInstance, whose modal dialog is the whole program.
int AfxWinMain(CWinApp& app);
