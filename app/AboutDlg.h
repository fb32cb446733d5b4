// The About dialog (template 100): an icon, the version and OK.
#pragma once

#include "platform/Dialog.h"
#include "res/resource.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
  void DoDataExchange(CDataExchange*) override {}
};
