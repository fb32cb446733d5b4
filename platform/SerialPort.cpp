#include "platform/SerialPort.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

using SteadyClock = std::chrono::steady_clock;

struct StandardRate {
  int baud;
  speed_t constant;
};

constexpr StandardRate kStandardRates[] = {
    {50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},       {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
    {576000, B576000}, {921600, B921600}, {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

std::string Reason(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

// Raw mode: no echo, no line editing or signals, no CR/LF translation, no output processing;
// 8 data bits, no parity. Stop bits (CSTOPB) and hardware flow control (CRTSCTS) stay. XON/XOFF
// goes: Linux turns IXON on for every tty it opens, and a reply is binary, so it would swallow
// 0x11 and 0x13 samples and a 0x13 would stop every later request from going out.
void MakeRaw(termios& t) {
  t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | INPCK |
                                      IXON | IXOFF | IXANY);
  t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
  t.c_cflag |= CS8 | CLOCAL | CREAD;
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
}

bool SetStandardRate(termios& t, int baud) {
  for (const StandardRate& rate : kStandardRates) {
    if (rate.baud == baud) {
      cfsetispeed(&t, rate.constant);
      cfsetospeed(&t, rate.constant);
      return true;
    }
  }
  return false;
}

// Waits until `fd` or the wake descriptor is ready, or `deadline` passes (none: wait for ever).
// Returns the revents of both.
std::pair<short, short> Wait(int fd, int wakeFd, const SteadyClock::time_point* deadline) {
  for (;;) {
    pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    timespec timeout{};
    timespec* limit = nullptr;
    if (deadline) {
      const auto left = std::max(*deadline - SteadyClock::now(), SteadyClock::duration::zero());
      const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
      timeout.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
      timeout.tv_nsec = static_cast<long>(ns % 1'000'000'000);
      limit = &timeout;
    }
    const int ready = ::ppoll(fds, 2, limit, nullptr);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return {POLLERR, 0};
    return {fds[0].revents, fds[1].revents};
  }
}

}  // namespace

std::unique_ptr<SerialPort> SerialPort::Open(const std::string& path, int baud, std::string* error) {
  auto fail = [&](const std::string& why, int fd) -> std::unique_ptr<SerialPort> {
    if (error) *error = why;
    if (fd >= 0) ::close(fd);
    return nullptr;
  };
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0 && errno == EBUSY) return fail(path + ": in use by another program", -1);  // TIOCEXCL
  if (fd < 0) return fail(Reason(path.c_str()), -1);
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
    return fail(errno == EWOULDBLOCK ? path + ": in use by another program" : Reason("flock"), fd);
  if (::ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY) return fail(Reason("TIOCEXCL"), fd);

  termios t{};
  if (::tcgetattr(fd, &t) != 0) return fail(path + ": not a serial device", fd);
  MakeRaw(t);
  const bool standard = baud > 0 && SetStandardRate(t, baud);
  if (::tcsetattr(fd, TCSANOW, &t) != 0) return fail(Reason("tcsetattr"), fd);
  if (baud > 0 && !standard) SetCustomBaudRate(fd, baud);  // refused rates go unreported
  ::tcflush(fd, TCIOFLUSH);

  const int wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd < 0) return fail(Reason("eventfd"), fd);
  return std::unique_ptr<SerialPort>(new SerialPort(fd, wakeFd));
}

SerialPort::~SerialPort() {
  ::ioctl(fd_, TIOCNXCL);  // the tty's exclusive flag outlives this descriptor otherwise
  ::close(fd_);
  ::close(wakeFd_);
}

bool SerialPort::Write(const BYTE* bytes, std::size_t count) {
  for (;;) {
    const ssize_t put = ::write(fd_, bytes, count);
    if (put < 0 && errno == EINTR) continue;
    return put >= 0 && static_cast<std::size_t>(put) == count;
  }
}

void SerialPort::Stop() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(wakeFd_, &one, sizeof one);
}

SerialPort::ReadResult SerialPort::Read(BYTE* buffer, std::size_t size) {
  std::size_t count = 0;
  SteadyClock::time_point first{}, last{};
  while (count < size) {
    SteadyClock::time_point deadline{};
    if (count > 0) deadline = std::min(last + kGap, first + kLongest);
    const auto [port, wake] = Wait(fd_, wakeFd_, count > 0 ? &deadline : nullptr);
    if (wake) return {ReadStatus::Stopped, 0};
    if (port == 0) {
      if (count > 0 && SteadyClock::now() >= deadline) break;
      continue;
    }
    if (port & (POLLERR | POLLNVAL)) return {ReadStatus::Gone, 0};
    const ssize_t got = ::read(fd_, buffer + count, size - count);
    if (got < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (got <= 0) return {ReadStatus::Gone, 0};  // end of file or an error: the port has gone
    last = SteadyClock::now();
    if (count == 0) first = last;
    count += static_cast<std::size_t>(got);
  }
  return {ReadStatus::Data, count};
}
