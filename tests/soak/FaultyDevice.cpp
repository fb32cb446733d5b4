#include "soak/FaultyDevice.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

FaultyDevice::FaultyDevice() {
  char name[256];
  if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) throw std::runtime_error("openpty failed");
  path_ = name;
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
  wake_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wake_ < 0) throw std::runtime_error("eventfd failed");
  thread_ = std::thread(&FaultyDevice::Serve, this);
}

FaultyDevice::~FaultyDevice() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  Wake();
  thread_.join();
  std::lock_guard lock(mutex_);
  CloseLocked();
  ::close(wake_);
}

void FaultyDevice::Expect(std::vector<Reply> replies) {
  std::lock_guard lock(mutex_);
  for (Reply& reply : replies) replies_.push_back(std::move(reply));
}

void FaultyDevice::Send(const Bytes& bytes) {
  std::unique_lock lock(mutex_);
  sends_.push_back(bytes);
  Wake();
  done_.wait(lock, [&] { return sends_.empty(); });
}

void FaultyDevice::Unplug() {
  std::unique_lock lock(mutex_);
  unplugAsked_ = true;
  Wake();
  done_.wait(lock, [&] { return master_ < 0; });
}

bool FaultyDevice::Unplugged() const {
  std::lock_guard lock(mutex_);
  return master_ < 0;
}

bool FaultyDevice::Quiet() const {
  std::lock_guard lock(mutex_);
  return due_.empty() && sends_.empty();
}

std::size_t FaultyDevice::Unread() const {
  std::lock_guard lock(mutex_);
  int count = 0;
  if (slave_ < 0 || ::ioctl(slave_, FIONREAD, &count) != 0) return 0;
  return static_cast<std::size_t>(count);
}

FaultyDevice::SteadyClock::time_point FaultyDevice::LastWrite() const {
  std::lock_guard lock(mutex_);
  return lastWrite_;
}

std::string FaultyDevice::TakeRequests() {
  std::lock_guard lock(mutex_);
  return std::exchange(requests_, {});
}

std::string FaultyDevice::TakeProblems() {
  std::lock_guard lock(mutex_);
  return std::exchange(problems_, {});
}

std::size_t FaultyDevice::DropUnusedReplies() {
  std::lock_guard lock(mutex_);
  const std::size_t unused = replies_.size();
  replies_.clear();
  return unused;
}

void FaultyDevice::Wake() const {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(wake_, &one, sizeof one);
}

void FaultyDevice::WriteLocked(const Bytes& bytes) {
  if (master_ < 0) {
    problems_ += "a write after the device was unplugged; ";
    return;
  }
  ssize_t put;
  do put = ::write(master_, bytes.data(), bytes.size());
  while (put < 0 && errno == EINTR);
  if (put != static_cast<ssize_t>(bytes.size()))
    problems_ += "a write of " + std::to_string(bytes.size()) + " bytes put " + std::to_string(put) + " (" +
                 std::strerror(errno) + "); ";
  lastWrite_ = SteadyClock::now();
}

void FaultyDevice::CloseLocked() {
  if (master_ >= 0) ::close(master_);
  if (slave_ >= 0) ::close(slave_);
  master_ = slave_ = -1;
  due_.clear();
}

void FaultyDevice::AwaitTakenLocked(std::chrono::milliseconds limit) {
  const auto start = SteadyClock::now();
  // The bytes reach the device side a moment after the write; then the program reads them.
  bool arrived = false;
  for (;;) {
    int unread = 0;
    ::ioctl(slave_, FIONREAD, &unread);
    arrived = arrived || unread > 0;
    const auto waited = SteadyClock::now() - start;
    if ((arrived && unread == 0) || waited >= limit || (!arrived && waited >= limit / 4)) return;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

void FaultyDevice::OnRequestLocked(BYTE request, SteadyClock::time_point now) {
  requests_ += static_cast<char>(request);
  if (replies_.empty()) {
    problems_ += std::string("an unplanned request byte 0x") + "0123456789ABCDEF"[request >> 4] +
                 "0123456789ABCDEF"[request & 15] + "; ";
    return;
  }
  Reply reply = std::move(replies_.front());
  replies_.pop_front();
  if (static_cast<BYTE>(reply.request) != request)
    problems_ += std::string("request byte '") + static_cast<char>(request) + "' where '" + reply.request +
                 "' was planned; ";
  if (reply.writes.empty()) {
    if (reply.hangUp) CloseLocked();
    return;
  }
  for (std::size_t i = 0; i < reply.writes.size(); ++i) {
    Due due{now + reply.writes[i].after, std::move(reply.writes[i].bytes),
            reply.hangUp && i + 1 == reply.writes.size()};
    const auto at = std::upper_bound(due_.begin(), due_.end(), due.at,
                                     [](SteadyClock::time_point t, const Due& d) { return t < d.at; });
    due_.insert(at, std::move(due));
  }
}

void FaultyDevice::Serve() {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (stop_) return;
    while (!sends_.empty()) {
      WriteLocked(sends_.front());
      sends_.pop_front();
    }
    if (unplugAsked_) {
      unplugAsked_ = false;
      CloseLocked();
    }
    while (!due_.empty() && due_.front().at <= SteadyClock::now()) {
      Due due = std::move(due_.front());
      due_.pop_front();
      WriteLocked(due.bytes);
      if (due.hangUpAfter) {
        // Once the program has the bytes, and long before its read would end by the 50 ms gap,
        // so that it is gathering a read when the line hangs up.
        AwaitTakenLocked(std::chrono::milliseconds(20));
        CloseLocked();
      }
    }
    done_.notify_all();

    timespec timeout{};
    timespec* limit = nullptr;
    if (!due_.empty()) {
      const auto left = std::max(due_.front().at - SteadyClock::now(), SteadyClock::duration::zero());
      const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
      timeout = {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
      limit = &timeout;
    }
    pollfd fds[2] = {{wake_, POLLIN, 0}, {master_, POLLIN, 0}};
    const nfds_t count = master_ >= 0 ? 2 : 1;
    lock.unlock();
    const int ready = ::ppoll(fds, count, limit, nullptr);
    lock.lock();
    if (ready <= 0) continue;
    if (fds[0].revents) {
      std::uint64_t value;
      [[maybe_unused]] const ssize_t ignored = ::read(wake_, &value, sizeof value);
    }
    if (count == 2 && master_ >= 0 && (fds[1].revents & POLLIN)) {
      BYTE buffer[256];
      const ssize_t got = ::read(master_, buffer, sizeof buffer);
      const auto now = SteadyClock::now();
      for (ssize_t i = 0; i < got; ++i) OnRequestLocked(buffer[i], now);
    } else if (count == 2 && master_ >= 0 && fds[1].revents) {
      // This side keeps the device side open, so the line cannot hang up from there.
      problems_ += "the master side reported events " + std::to_string(fds[1].revents) + "; ";
      CloseLocked();
    }
  }
}
