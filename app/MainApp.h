// The application object: runs the main dialog modally and ends with it.
#pragma once

#include "platform/WinApp.h"

class CMainApp : public CWinApp {
 public:
  CMainApp();
  ~CMainApp() override;
  BOOL InitInstance() override;
  BOOL OnCmdMsg(UINT id) override;
};

extern CMainApp theApp;
