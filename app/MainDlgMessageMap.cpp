// Which handler of the main dialog takes which message.
#include "app/MainDlg.h"

const MessageMap<CMainDlg>& CMainDlg::GetMessageMap() {
  static const MessageMap<CMainDlg> map = {
      msgmap::SysCommand(&CMainDlg::OnSysCommand),
      msgmap::Notice(WM_PAINT, &CMainDlg::OnPaint),
      msgmap::QueryDragIcon(&CMainDlg::OnQueryDragIcon),
      msgmap::Notice(WM_CLOSE, &CMainDlg::OnClose),
      msgmap::Message(WM_FRAME_RECEIVED, &CMainDlg::OnFrameReceived),
      msgmap::BnClicked(IDC_SET_COMM, &CMainDlg::OnSetComm),
      msgmap::CommandRange(1010, 1034, BN_CLICKED, &CMainDlg::OnSensorButton),
      msgmap::CommandRange(1044, 1048, BN_CLICKED, &CMainDlg::OnSensorButton),
      msgmap::Timer(&CMainDlg::OnTimer),
      msgmap::BnClicked(IDC_COMPARE, &CMainDlg::OnCompare),
      msgmap::BnClicked(IDC_CONTINUE, &CMainDlg::OnContinue),
      msgmap::BnClicked(IDC_DISPERSE, &CMainDlg::OnDisperse),
      msgmap::Command(IDC_SENSOR_LIST, CBN_EDITCHANGE, &CMainDlg::OnSensorEditChange),
      msgmap::Command(IDC_SENSOR_LIST, CBN_SELCHANGE, &CMainDlg::OnSensorSelChange),
      msgmap::BnClicked(IDC_AVERAGE, &CMainDlg::OnAverage),
      msgmap::BnClicked(IDC_CLEAR, &CMainDlg::OnClear),
      msgmap::BnClicked(IDC_SAVE, &CMainDlg::OnSave),
      msgmap::EraseBkgnd(&CMainDlg::OnEraseBkgnd),
      msgmap::BnClicked(IDC_PORT_TOGGLE, &CMainDlg::OnPortToggle),
      msgmap::BnClicked(IDC_IMPORT_FILE, &CMainDlg::OnImportFile),
      msgmap::BnClicked(IDC_ALL_SENSOR, &CMainDlg::OnAllSensor),
  };
  return map;
}

LRESULT CMainDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (DispatchThroughMap(*this, GetMessageMap(), message, wParam, lParam, result)) return result;
  return CDialog::WindowProc(message, wParam, lParam);
}
