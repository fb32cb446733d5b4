#include "PtyDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdlib.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <stdexcept>

#include "Monotonic.h"
#include "sim/Waveform.h"

namespace {

void MakeRaw(int fd) {
  termios settings{};
  if (::tcgetattr(fd, &settings) != 0) throw std::runtime_error("tcgetattr");
  ::cfmakeraw(&settings);
  if (::tcsetattr(fd, TCSANOW, &settings) != 0) throw std::runtime_error("tcsetattr");
}

}  // namespace

PtyDevice::PtyDevice(int frameLength) : frameLength_(frameLength) {
  if (::openpty(&master_, &terminal_, nullptr, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
  std::array<char, 128> name{};
  if (::ptsname_r(master_, name.data(), name.size()) != 0) throw std::runtime_error("ptsname");
  path_ = name.data();
  MakeRaw(master_);
  MakeRaw(terminal_);
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  ::fcntl(terminal_, F_SETFD, FD_CLOEXEC);
  wake_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wake_ < 0) throw std::runtime_error("eventfd");
  worker_ = std::thread(&PtyDevice::Serve, this);
}

PtyDevice::~PtyDevice() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(wake_, &one, sizeof one);
  worker_.join();
  ::close(master_);
  ::close(terminal_);
  ::close(wake_);
}

std::vector<double> PtyDevice::WriteTimes() const {
  std::lock_guard lock(mutex_);
  return writes_;
}

void PtyDevice::Serve() {
  for (;;) {
    pollfd fds[] = {{wake_, POLLIN, 0}, {master_, POLLIN, 0}};
    const int ready = ::poll(fds, 2, -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || fds[0].revents != 0 || !(fds[1].revents & POLLIN)) return;
    std::array<std::uint8_t, 64> bytes;
    const ssize_t count = ::read(master_, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return;
    for (ssize_t i = 0; i < count; ++i)
      if (const int sensor = SensorForRequestByte(bytes[static_cast<std::size_t>(i)]); sensor >= 0) Answer(sensor);
  }
}

void PtyDevice::Answer(int sensor) {
  const std::vector<std::uint8_t> frame = SimulatedFrame(sensor, requests_[sensor]++, frameLength_, 1);
  std::size_t done = 0;
  while (done < frame.size()) {
    const ssize_t written = ::write(master_, frame.data() + done, frame.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    done += static_cast<std::size_t>(written);
  }
  const double at = MonotonicMs();
  std::lock_guard lock(mutex_);
  writes_.push_back(at);
}
