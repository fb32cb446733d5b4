// Reading and writing "config.ini".
#include "serial/ConfigFile.h"

#include "app/MainDlg.h"
#include "platform/Files.h"

int CMainDlg::ReadConfig() {
  const auto text = ReadWholeFile(kConfigFileName);
  if (!text) return 0;
  const auto fields = SplitConfigFields(*text);
  SetDlgItemText(IDC_COM, fields[0]);
  SetDlgItemText(IDC_BAUDRATE, fields[1]);
  m_nStart = TextToNumber(fields[2]);
  m_nEnd = TextToNumber(fields[3]);
  m_nPortIndex = TextToNumber(fields[0]);
  m_nBaudRate = TextToNumber(fields[1]);
  if (m_nPortIndex != 0) m_nPortIndex -= 1;
  return 1;
}

int CMainDlg::WriteConfig() {
  UpdateData(TRUE);
  std::string text;
  for (int id : {IDC_COM, IDC_BAUDRATE, IDC_START, IDC_END}) {
    std::string field;
    GetDlgItemText(id, field);
    text += field + ";";
  }
  return WriteWholeFile(kConfigFileName, text) ? 1 : 0;
}
