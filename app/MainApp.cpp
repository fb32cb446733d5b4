#include "app/MainApp.h"

#include "app/MainDlg.h"

CMainApp theApp;

CMainApp::CMainApp() = default;

CMainApp::~CMainApp() = default;

BOOL CMainApp::OnCmdMsg(UINT id) {
  if (id != ID_HELP) return FALSE;
  OnHelp();
  return TRUE;
}

BOOL CMainApp::InitInstance() {
  AfxEnableControlContainer();
  Enable3dControlsStatic();
  CMainDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  m_pMainWnd = nullptr;
  return FALSE;
}
