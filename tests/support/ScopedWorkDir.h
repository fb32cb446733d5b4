// A fresh temporary directory made the current one for the object's life, and removed with
// everything in it afterwards: the program reads and writes its files in its current directory.
#pragma once

#include <filesystem>

class ScopedWorkDir {
 public:
  ScopedWorkDir();
  ~ScopedWorkDir();
  ScopedWorkDir(const ScopedWorkDir&) = delete;
  ScopedWorkDir& operator=(const ScopedWorkDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};
