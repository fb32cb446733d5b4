// The file-open dialog, shown by the host.
#pragma once

#include <string>
#include <vector>

#include "platform/Types.h"

class CWnd;

constexpr UINT OFN_OVERWRITEPROMPT = 0x00000002;
constexpr UINT OFN_HIDEREADONLY = 0x00000004;

// What the dialog is asked to show, and what it returns.
struct OPENFILENAME {
  std::string lpstrTitle;
  // Pairs of description and pattern, each ended by a NUL, the list ended by one more NUL.
  std::string lpstrFilter;
  UINT Flags = 0;
};

struct FileFilter {
  std::string description;
  std::string pattern;
};

// The description/pattern pairs of a filter string.
std::vector<FileFilter> ParseFilter(const std::string& filter);

class CFileDialog {
 public:
  CFileDialog(BOOL openFileDialog, const char* defaultExtension = nullptr, const char* fileName = nullptr,
              UINT flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
              CWnd* parent = nullptr);

  // IDOK when a file was chosen, IDCANCEL otherwise.
  int DoModal();
  std::string GetPathName() const { return path_; }

  OPENFILENAME m_ofn;

 private:
  std::string path_;
};
