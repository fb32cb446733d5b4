#include "platform/Files.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Failed(std::string* error) {
  if (error) *error = std::strerror(errno);
  return false;
}

// Closes the descriptor when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) {
    Failed(error);
    return std::nullopt;
  }
  std::string content;
  // Room for the whole file at once: growing the string chunk by chunk costs far more than the
  // read itself on a file of tens of megabytes. The size is only a hint; the loop reads to the end.
  struct stat status {};
  if (::fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0)
    content.reserve(static_cast<std::size_t>(status.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got == 0) return content;
    if (got < 0) {
      if (errno == EINTR) continue;
      Failed(error);
      return std::nullopt;
    }
    content.append(buffer, static_cast<std::size_t>(got));
  }
}

bool WriteWholeFile(const std::string& path, std::string_view data, std::string* error) {
  FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (file.get() < 0) return Failed(error);
  while (!data.empty()) {
    const ssize_t put = ::write(file.get(), data.data(), data.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return Failed(error);
    }
    data.remove_prefix(static_cast<std::size_t>(put));
  }
  if (::close(file.release()) != 0) return Failed(error);
  return true;
}

std::optional<std::string> CurrentDirectory(std::string* error) {
  std::string buffer(256, '\0');
  for (;;) {
    if (::getcwd(buffer.data(), buffer.size())) {
      buffer.resize(std::strlen(buffer.c_str()));
      return buffer;
    }
    if (errno != ERANGE) {
      Failed(error);
      return std::nullopt;
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string PathIn(const std::string& directory, const std::string& name) {
  if (!directory.empty() && directory.back() == '/') return directory + name;
  return directory + "/" + name;
}
