// The main dialog's construction, start-up, system menu and closing.
#include <algorithm>

#include "app/AboutDlg.h"
#include "app/MainDlg.h"
#include "platform/WinApp.h"

CMainDlg::CMainDlg(CWnd* pParent)
    : CDialog(IDD_MAIN_DIALOG, pParent),
      m_nPaintMode(-1),
      m_nEnd(0),
      m_nStart(0),
      m_nSquareSum(0),
      m_hIcon(AfxLoadIcon(IDR_MAINFRAME)) {}

CMainDlg::~CMainDlg() { ClosePortAtEnd(); }

BOOL CMainDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
    const std::string strAboutMenu = AfxLoadString(IDS_ABOUTBOX);
    if (!strAboutMenu.empty()) {
      pSysMenu->AppendMenu(MF_SEPARATOR);
      pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
    }
  }

  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);

  m_nPaintMode = 0;
  UpdateData(FALSE);

  SensorList()->SetCurSel(0);

  InitPlotArea();

  if (ReadConfig() == 0)
    MessageBox("Don't open config file!");
  else if (m_nPortIndex == 0 && m_nBaudRate == 0)
    MessageBox("Config file error, cann't config serial port!");
  else
    OpenPort(static_cast<unsigned>(m_nPortIndex), m_nBaudRate);

  ResetAll();

  m_bSweepMode = 0;
  m_nDisplayMode = 0;
  m_rxFrame.fill(0);

  return TRUE;
}

void CMainDlg::OnSysCommand(UINT nID, LPARAM) {
  if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
  } else {
    Default();
  }
}

HICON CMainDlg::OnQueryDragIcon() { return m_hIcon; }

void CMainDlg::OnClose() {
  WriteConfig();
  Default();
}

BOOL CMainDlg::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
