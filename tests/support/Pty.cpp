#include "support/Pty.h"

#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <stdexcept>

Pty::Pty() {
  char name[256];
  if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) throw std::runtime_error("openpty failed");
  // The device side stays as Linux opens it (cooked): making it raw is the program's job.
  path_ = name;
}

Pty::~Pty() {
  Unplug();
  if (slave_ >= 0) ::close(slave_);
}

void Pty::Write(const std::vector<BYTE>& bytes) {
  if (!bytes.empty() && ::write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
    throw std::runtime_error("short write to the pseudo-terminal");
}

std::vector<BYTE> Pty::Read(std::size_t count, std::chrono::milliseconds limit) {
  std::vector<BYTE> bytes;
  const auto end = std::chrono::steady_clock::now() + limit;
  while (bytes.size() < count) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    pollfd p{master_, POLLIN, 0};
    if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) != 1) break;
    BYTE buffer[512];
    const ssize_t got = ::read(master_, buffer, std::min(sizeof buffer, count - bytes.size()));
    if (got <= 0) break;
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  return bytes;
}

void Pty::Unplug() {
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}
