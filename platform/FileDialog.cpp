#include "platform/FileDialog.h"

#include "platform/Runtime.h"

std::vector<FileFilter> ParseFilter(const std::string& filter) {
  std::vector<FileFilter> filters;
  std::size_t at = 0;
  while (at < filter.size() && filter[at] != '\0') {
    const std::size_t descriptionEnd = filter.find('\0', at);
    if (descriptionEnd == std::string::npos) break;
    const std::size_t patternEnd = filter.find('\0', descriptionEnd + 1);
    if (patternEnd == std::string::npos) break;
    filters.push_back({filter.substr(at, descriptionEnd - at), filter.substr(descriptionEnd + 1, patternEnd - descriptionEnd - 1)});
    at = patternEnd + 1;
  }
  return filters;
}

CFileDialog::CFileDialog(BOOL, const char*, const char* fileName, UINT flags, const char* filter, CWnd*) {
  m_ofn.Flags = flags;
  if (filter) m_ofn.lpstrFilter = filter;
  if (fileName) path_ = fileName;
}

int CFileDialog::DoModal() {
  std::string chosen;
  if (!Runtime::Current().GetHost().GetOpenFileName(m_ofn, chosen)) return IDCANCEL;
  path_ = std::move(chosen);
  return IDOK;
}
