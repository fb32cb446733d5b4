// The main dialog's data exchange, paint-style radio buttons and sensor list.
#include "app/MainDlg.h"
#include "platform/DataExchange.h"

void CMainDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_TOTAL, m_editTotal);
  DDX_Control(pDX, IDC_STATUS, m_staticInfo);
  DDX_Control(pDX, IDC_DATA, m_editData);
  DDX_Radio(pDX, IDC_CONTINUE, m_nPaintMode);
  DDX_Text(pDX, IDC_DATA, m_strData);
  DDX_Text(pDX, IDC_END, m_nEnd);
  DDX_Text(pDX, IDC_START, m_nStart);
  DDX_Text(pDX, IDC_SQUARE_SUM, m_nSquareSum);
  for (int s = 0; s < kSensorCount; ++s) DDX_Text(pDX, CountLabelId(s), m_strCount[s]);
}

void CMainDlg::OnContinue() { m_nPaintMode = 0; }

void CMainDlg::OnDisperse() { m_nPaintMode = 1; }

void CMainDlg::OnSensorEditChange() {}

CComboBox* CMainDlg::SensorList() { return static_cast<CComboBox*>(GetDlgItem(IDC_SENSOR_LIST)); }

void CMainDlg::OnSensorSelChange() {
  CComboBox* list = SensorList();
  const int i = list->GetCurSel();
  // "SENSOR Z" (and any index outside 0..29) names no sensor and has no row: the choice is
  // refused and the list goes back to the current sensor, so nothing reads or writes a row,
  // count or sum for it.
  if (!IsSensorNumber(i)) {
    list->SetCurSel(m_nCurSensor);
    return;
  }
  std::string text;
  list->GetLBText(i, text);
  m_nCurSensor = static_cast<std::uint8_t>(i);
  m_staticInfo.SetWindowText(text);
  m_nDisplayMode = m_nSavedMode;
  InvalidateRect(&m_rcPlot, TRUE);
}
