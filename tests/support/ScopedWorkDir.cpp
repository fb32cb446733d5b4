#include "support/ScopedWorkDir.h"

#include <atomic>
#include <string>

#include <unistd.h>

ScopedWorkDir::ScopedWorkDir() : previous_(std::filesystem::current_path()) {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("velnor-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
  std::filesystem::current_path(path_);
}

ScopedWorkDir::~ScopedWorkDir() {
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}
