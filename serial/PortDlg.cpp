#include "serial/PortDlg.h"

#include "app/MainDlg.h"
#include "platform/DataExchange.h"
#include "serial/ConfigFile.h"

void CPortDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_CBString(pDX, IDC_PORT_LIST, m_strPort);
  DDX_CBString(pDX, IDC_BAUD_LIST, m_strBaud);
}

// Always opens on "COM1" and "57600", whatever is in use.
BOOL CPortDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  static_cast<CComboBox*>(GetDlgItem(IDC_PORT_LIST))->SetCurSel(0);
  static_cast<CComboBox*>(GetDlgItem(IDC_BAUD_LIST))->SetCurSel(4);
  return TRUE;
}

void CMainDlg::OnSetComm() {
  CPortDlg dlg;
  if (dlg.DoModal() != IDOK) return;
  for (int i = 0; i < 8; ++i) {
    if (dlg.m_strPort == "COM" + std::to_string(i + 1)) {
      m_nPortIndex = i;
      break;
    }
  }
  m_nBaudRate = TextToNumber(dlg.m_strBaud);
  OpenPort(static_cast<unsigned>(m_nPortIndex), m_nBaudRate);
}
