// "Set Baudrate" (template 129): the choice of serial port and baud rate.
#pragma once

#include <string>

#include "platform/Dialog.h"
#include "res/resource.h"

class CPortDlg : public CDialog {
 public:
  explicit CPortDlg(CWnd* pParent = nullptr) : CDialog(IDD_PORT_DIALOG, pParent) {}

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  std::string m_strPort;  // 1037, such as "COM3"
  std::string m_strBaud;  // 1036, such as "9600"
};
