#include "sim/SimDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdlib.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "sim/Waveform.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLongestExtra = 1 << 20;

// Milliseconds from now to `deadline` for poll, rounded up so that a wait never ends early.
int PollTimeout(Clock::time_point deadline) {
  const auto left = deadline - Clock::now();
  if (left <= Clock::duration::zero()) return 0;
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

std::string SystemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

std::string CheckOptions(const SimOptions& options) {
  using std::chrono::milliseconds;
  if (options.frameLength < 0 || options.frameLength > 255) return "frame length must be 0..255";
  for (const int sensor : options.silentSensors)
    if (sensor < 0 || sensor >= kSensorCount) return "silent sensor " + std::to_string(sensor) + " is not 0..29";
  if (options.replyDelay < milliseconds::zero()) return "reply delay must not be negative";
  if (options.gapAfterBytes < 0) return "gap position must not be negative";
  if (options.gapLength < milliseconds::zero()) return "gap length must not be negative";
  if (options.extraBytes < 0 || options.extraBytes > kLongestExtra) return "extra bytes must be 0..1048576";
  if (options.idleEvery < milliseconds::zero()) return "idle interval must not be negative";
  return {};
}

bool MakeRaw(int fd) {
  termios settings{};
  if (::tcgetattr(fd, &settings) != 0) return false;
  ::cfmakeraw(&settings);
  return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

bool SetFlag(int fd, int getCommand, int setCommand, int flag) {
  const int flags = ::fcntl(fd, getCommand);
  return flags >= 0 && ::fcntl(fd, setCommand, flags | flag) == 0;
}

}  // namespace

std::unique_ptr<SimDevice> SimDevice::Start(const SimOptions& options, std::string* error) {
  auto fail = [error](std::string reason) {
    if (error) *error = std::move(reason);
    return nullptr;
  };
  if (std::string reason = CheckOptions(options); !reason.empty()) return fail(reason);

  int master = -1;
  int terminal = -1;
  if (::openpty(&master, &terminal, nullptr, nullptr, nullptr) != 0) return fail(SystemError("openpty"));
  std::array<char, 128> name{};
  std::string reason;
  if (::ptsname_r(master, name.data(), name.size()) != 0) reason = SystemError("ptsname");
  else if (!MakeRaw(terminal) || !MakeRaw(master)) reason = SystemError("raw mode");
  else if (!SetFlag(master, F_GETFD, F_SETFD, FD_CLOEXEC) || !SetFlag(terminal, F_GETFD, F_SETFD, FD_CLOEXEC) ||
           !SetFlag(master, F_GETFL, F_SETFL, O_NONBLOCK))
    reason = SystemError("fcntl");
  const int wake = reason.empty() ? ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK) : -1;
  if (reason.empty() && wake < 0) reason = SystemError("eventfd");
  if (!reason.empty()) {
    ::close(master);
    ::close(terminal);
    return fail(reason);
  }

  std::unique_ptr<SimDevice> device(new SimDevice(options, master, terminal, wake, name.data()));
  device->worker_ = std::thread(&SimDevice::Serve, device.get());
  return device;
}

SimDevice::SimDevice(const SimOptions& options, int master, int terminal, int wake, std::string path)
    : options_(options), path_(std::move(path)), master_(master), terminal_(terminal), wake_(wake) {}

SimDevice::~SimDevice() { Unplug(); }

void SimDevice::Unplug() {
  std::lock_guard lock(unplugMutex_);
  if (unplugged_) return;
  unplugged_ = true;
  const std::uint64_t one = 1;
  while (::write(wake_, &one, sizeof one) < 0 && errno == EINTR) {
  }
  if (worker_.joinable()) worker_.join();
  ::close(master_);
  ::close(terminal_);
  ::close(wake_);
}

std::vector<std::uint8_t> SimDevice::FrameFor(int sensor, unsigned requestNumber) const {
  return SimulatedFrame(sensor, requestNumber, options_.frameLength, options_.seed);
}

std::vector<std::uint8_t> SimDevice::ReplyFor(int sensor, unsigned requestNumber) const {
  std::vector<std::uint8_t> reply = FrameFor(sensor, requestNumber);
  reply.insert(reply.end(), options_.extraBytes, kFillerByte);
  return reply;
}

std::vector<SentFrame> SimDevice::Sent() const {
  std::lock_guard lock(sentMutex_);
  return sent_;
}

// The worker: reads requests and answers them one after the other until it is woken.
void SimDevice::Serve() {
  std::array<unsigned, kSensorCount> requests{};
  Clock::time_point lastTraffic = Clock::now();
  for (;;) {
    int timeout = -1;
    if (options_.idleEvery > std::chrono::milliseconds::zero()) timeout = PollTimeout(lastTraffic + options_.idleEvery);
    pollfd fds[] = {{wake_, POLLIN, 0}, {master_, POLLIN, 0}};
    const int ready = ::poll(fds, 2, timeout);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || fds[0].revents != 0) return;
    if (ready == 0) {
      if (!SendStrayByte()) return;
      lastTraffic = Clock::now();
      continue;
    }
    // The device keeps the terminal side open, so the master is never hung up; anything but
    // readable data means the pseudo-terminal is broken.
    if (!(fds[1].revents & POLLIN)) return;
    std::array<std::uint8_t, 64> bytes;
    const ssize_t count = ::read(master_, bytes.data(), bytes.size());
    if (count < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (count <= 0) return;
    for (ssize_t i = 0; i < count; ++i) {
      const int sensor = SensorForRequestByte(bytes[i]);
      if (sensor < 0) continue;
      const unsigned requestNumber = requests[sensor]++;
      if (options_.silentSensors.contains(sensor)) continue;
      if (!Reply(sensor, requestNumber)) return;
    }
    lastTraffic = Clock::now();
  }
}

bool SimDevice::Reply(int sensor, unsigned requestNumber) {
  std::size_t entry;
  {
    std::lock_guard lock(sentMutex_);
    entry = sent_.size();
    sent_.push_back({sensor, requestNumber, {}});
  }
  if (!Pause(options_.replyDelay)) return false;
  const std::vector<std::uint8_t> reply = ReplyFor(sensor, requestNumber);
  std::size_t first = reply.size();
  if (options_.gapAfterBytes > 0 && static_cast<std::size_t>(options_.gapAfterBytes) < reply.size())
    first = options_.gapAfterBytes;
  if (!WriteLogged(entry, reply.data(), first)) return false;
  if (first == reply.size()) return true;
  return Pause(options_.gapLength) && WriteLogged(entry, reply.data() + first, reply.size() - first);
}

bool SimDevice::SendStrayByte() {
  std::size_t entry;
  {
    std::lock_guard lock(sentMutex_);
    entry = sent_.size();
    sent_.push_back({kStray, 0, {}});
  }
  return WriteLogged(entry, &kStrayByte, 1);
}

// Logs the bytes first, so that a reader who has them finds them in Sent(); what could not be
// written is taken out of the log again.
bool SimDevice::WriteLogged(std::size_t entry, const std::uint8_t* bytes, std::size_t count) {
  std::size_t logged;
  {
    std::lock_guard lock(sentMutex_);
    std::vector<std::uint8_t>& log = sent_[entry].bytes;
    logged = log.size();
    log.insert(log.end(), bytes, bytes + count);
  }
  std::size_t done = 0;
  while (done < count) {
    const ssize_t written = ::write(master_, bytes + done, count - done);
    if (written > 0) {
      done += static_cast<std::size_t>(written);
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno == EAGAIN && WaitWritable()) continue;
    std::lock_guard lock(sentMutex_);
    sent_[entry].bytes.resize(logged + done);
    return false;
  }
  std::lock_guard lock(sentMutex_);
  sent_[entry].writtenAt = Clock::now();
  return true;
}

// The program is not reading and the terminal's input queue is full: waits for room; false
// when the device is told to stop meanwhile.
bool SimDevice::WaitWritable() {
  for (;;) {
    pollfd fds[] = {{wake_, POLLIN, 0}, {master_, POLLOUT, 0}};
    const int ready = ::poll(fds, 2, -1);
    if (ready < 0 && errno == EINTR) continue;
    return ready > 0 && fds[0].revents == 0;
  }
}

// Waits `length`; false when the device is told to stop meanwhile.
bool SimDevice::Pause(std::chrono::milliseconds length) {
  const Clock::time_point deadline = Clock::now() + length;
  for (;;) {
    pollfd wake{wake_, POLLIN, 0};
    const int ready = ::poll(&wake, 1, PollTimeout(deadline));
    if (ready > 0) return false;
    if (ready < 0 && errno != EINTR) return false;
    if (ready == 0 && Clock::now() >= deadline) return true;
  }
}
