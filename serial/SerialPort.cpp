// Opening the serial port.
#include "app/MainDlg.h"

// This build has no serial driver yet, so every port fails to open, as a missing device would.
void CMainDlg::OpenPort(unsigned index, int) {
  if (index > 7) {
    MessageBox("Serial port error!");
    return;
  }
  MessageBox("Can't open the serial port, please check the hardware!", nullptr, MB_ICONWARNING);
  SetDlgItemText(IDC_COM, "");
  SetDlgItemText(IDC_BAUDRATE, "");
}
