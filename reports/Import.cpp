// "Import file": sensor blocks read back into the latest frames and the counts.
#include "app/FileMessages.h"
#include "app/MainDlg.h"
#include "platform/FileDialog.h"
#include "platform/Files.h"
#include "reports/BlockScanner.h"

void CMainDlg::OnImportFile() {
  CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, nullptr);
  dlg.m_ofn.lpstrTitle = "Open data file";
  dlg.m_ofn.lpstrFilter = std::string("Text files(*.txt)\0*.txt\0\0", 26);
  if (dlg.DoModal() != IDOK) return;

  const std::string path = dlg.GetPathName();
  std::string reason;
  const auto content = ReadWholeFile(path, &reason);
  if (!content) {
    MessageBox(CannotReadText(path, reason), nullptr, MB_ICONWARNING);
    return;
  }
  // The text ends at the first NUL byte, if the file holds one.
  const std::string_view text(content->data(), std::min(content->size(), content->find('\0')));

  m_nDisplayMode = 0;
  m_nSavedMode = 0;
  if (text.empty()) return;

  ScanSensorBlocks(text, [this](int s) -> FrameRow& {
    ++m_frameCount[s];
    UpdateCountLabel(static_cast<unsigned>(s));
    UpdateData(FALSE);
    return m_curFrames[s];
  });
}
