// Painting the main dialog: the grid and the view the display mode names, or the icon while
// the window is minimised.
#include "app/MainDlg.h"
#include "platform/SystemMetrics.h"

void CMainDlg::OnPaint() {
  if (IsIconic()) {
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(static_cast<CDC*>(&dc)), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
    return;
  }
  CPaintDC dc(this);
  DrawGrid(&dc, 20);
  CWnd* label = GetDlgItem(IDC_MODE_LABEL);
  switch (m_nDisplayMode) {
    case 0:
      label->SetWindowText("Normal display");
      DrawNormalView(&dc);
      break;
    case 1:
      label->SetWindowText("Compare display");
      DrawCompareView(&dc);
      break;
    case 2:
      label->SetWindowText("Average display");
      DrawAverageView(&dc);
      break;
    default:
      break;
  }
  m_nDisplayMode = 0;
}

void CMainDlg::OnCompare() {
  m_nDisplayMode = 1;
  m_nSavedMode = 1;
  InvalidateRect(&m_rcPlot, TRUE);
}
