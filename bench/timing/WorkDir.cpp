#include "WorkDir.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

WorkDir::WorkDir() {
  std::string pattern = (fs::temp_directory_path() / "velnor-timing-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary directory");
  path_ = pattern;
}

WorkDir::~WorkDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

fs::path WorkDir::Write(const std::string& name, const std::string& content) const {
  const fs::path file = path_ / name;
  std::ofstream(file, std::ios::binary) << content;
  return file;
}

ScopedCurrentDir::ScopedCurrentDir(const fs::path& dir) : previous_(fs::current_path()) { fs::current_path(dir); }

ScopedCurrentDir::~ScopedCurrentDir() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
}
