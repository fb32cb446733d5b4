// The serial driver over a pseudo-terminal: the test plays the device on the master side while
// the driver opens the slave as its port. Also the COMn names and the host's port list.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <linux/capability.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <termios.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/SerialPort.h"
#include "platform/SerialPortNames.h"

using namespace std::chrono_literals;
using ::testing::HasSubstr;
using SteadyClock = std::chrono::steady_clock;

namespace {

constexpr std::size_t kReadSize = 255;
constexpr auto kAtOnce = 1s;  // "promptly" on a busy machine

std::vector<BYTE> Pattern(std::size_t count) {
  std::vector<BYTE> bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<BYTE>(i * 37 + 11);
  return bytes;
}

// Calls Stop on `port` unless it is dismissed within `limit`, so a Read that would wait for
// ever ends the test with a failure instead of a hang.
class Watchdog {
 public:
  Watchdog(SerialPort& port, std::chrono::milliseconds limit)
      : thread_([this, &port, limit] {
          std::unique_lock lock(mutex_);
          if (!done_cv_.wait_for(lock, limit, [this] { return done_; })) port.Stop();
        }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    done_cv_.notify_all();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_cv_;
  bool done_ = false;
  std::thread thread_;
};

// Opens `path` on a thread without CAP_SYS_ADMIN, as an ordinary user's program would: root
// passes TIOCEXCL, nobody else does. False when the capability could not be dropped.
bool OpenAsOrdinaryUser(const std::string& path, std::unique_ptr<SerialPort>* port, std::string* error) {
  bool dropped = false;
  std::thread([&] {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct caps[_LINUX_CAPABILITY_U32S_3]{};
    if (::syscall(SYS_capget, &header, caps) != 0) return;
    caps[CAP_TO_INDEX(CAP_SYS_ADMIN)].effective &= ~CAP_TO_MASK(CAP_SYS_ADMIN);
    if (::syscall(SYS_capset, &header, caps) != 0) return;  // capabilities are per thread
    dropped = true;
    *port = SerialPort::Open(path, 9600, error);
  }).join();
  return dropped;
}

class SerialPortTest : public ::testing::Test {
 protected:
  // The slave starts cooked, as Linux opens a port (echo, line editing, CR/LF translation,
  // XON/XOFF): making it raw is the driver's job. The master's own line discipline starts raw;
  // termios calls on a master fd would change the slave's settings, so none is made on it.
  void SetUp() override {
    char name[256];
    ASSERT_EQ(::openpty(&master_, &slave_, name, nullptr, nullptr), 0);
    path_ = name;
    termios cooked{};
    ASSERT_EQ(::tcgetattr(slave_, &cooked), 0);
    cooked.c_iflag |= ICRNL | IXON;
    cooked.c_oflag |= OPOST | ONLCR;
    cooked.c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
    ASSERT_EQ(::tcsetattr(slave_, TCSANOW, &cooked), 0);
    ASSERT_EQ(::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK), 0);
  }
  void TearDown() override {
    HangUp();
    if (slave_ >= 0) ::close(slave_);
  }

  std::unique_ptr<SerialPort> OpenPort(int baud = 9600) {
    std::string error;
    auto port = SerialPort::Open(path_, baud, &error);
    EXPECT_NE(port, nullptr) << error;
    return port;
  }

  void WriteMaster(const std::vector<BYTE>& bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // What the driver wrote: up to `count` bytes, waiting at most `limit`.
  std::vector<BYTE> ReadMaster(std::size_t count, std::chrono::milliseconds limit = 2000ms) {
    std::vector<BYTE> bytes;
    const auto end = SteadyClock::now() + limit;
    while (bytes.size() < count) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - SteadyClock::now());
      pollfd p{master_, POLLIN, 0};
      if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) != 1) break;
      BYTE buffer[512];
      const ssize_t got = ::read(master_, buffer, std::min(sizeof buffer, count - bytes.size()));
      if (got < 0 && errno == EAGAIN) continue;
      if (got <= 0) break;
      bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return bytes;
  }

  // Closes the device side, as when the adapter is pulled out.
  void HangUp() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

  termios SlaveTermios() {
    termios t{};
    EXPECT_EQ(::tcgetattr(slave_, &t), 0);
    return t;
  }

  int master_ = -1;
  int slave_ = -1;  // held open by the test, to look at the line settings
  std::string path_;
};

// ----- Reads follow the reply's timing -----

struct Chunk {
  std::chrono::milliseconds gapBefore;
  std::size_t size;
};
struct ReplyCase {
  const char* name;
  std::vector<Chunk> chunks;        // written by the device, each in one call
  std::vector<std::size_t> reads;   // the reads the driver makes of them, buffer of 255
};

void PrintTo(const ReplyCase& reply, std::ostream* out) { *out << reply.name; }

class SerialReplyTest : public SerialPortTest, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(SerialReplyTest, ArrivesInReadsSplitOnlyByAFullBufferOrAGap) {
  const ReplyCase& reply = GetParam();
  auto port = OpenPort();
  ASSERT_NE(port, nullptr);
  Watchdog watchdog(*port, 5s);

  std::size_t total = 0;
  for (const Chunk& chunk : reply.chunks) total += chunk.size;
  const std::vector<BYTE> sent = Pattern(total);
  std::vector<SteadyClock::time_point> written(reply.chunks.size());
  std::thread device([&] {
    std::size_t at = 0;
    for (std::size_t i = 0; i < reply.chunks.size(); ++i) {
      std::this_thread::sleep_for(reply.chunks[i].gapBefore);
      written[i] = SteadyClock::now();
      WriteMaster({sent.begin() + at, sent.begin() + at + reply.chunks[i].size});
      at += reply.chunks[i].size;
    }
  });

  std::vector<SerialPort::ReadResult> results;
  std::vector<std::vector<BYTE>> got;
  std::vector<SteadyClock::time_point> returned;
  for (std::size_t i = 0; i < reply.reads.size(); ++i) {
    BYTE buffer[512] = {};
    results.push_back(port->Read(buffer, kReadSize));
    returned.push_back(SteadyClock::now());
    got.emplace_back(buffer, buffer + results.back().count);
    if (results.back().status != SerialPort::ReadStatus::Data) break;
  }
  device.join();

  std::size_t at = 0;
  for (std::size_t i = 0; i < results.size(); ++i) {
    SCOPED_TRACE("read " + std::to_string(i));
    ASSERT_EQ(results[i].status, SerialPort::ReadStatus::Data);
    ASSERT_EQ(results[i].count, reply.reads[i]);
    EXPECT_EQ(got[i], std::vector<BYTE>(sent.begin() + at, sent.begin() + at + reply.reads[i]));
    at += reply.reads[i];
    // The read ends soon after the write that brought its last byte, and unless the buffer
    // filled, only once the 50 ms gap has passed.
    std::size_t last = 0, end = 0;
    while ((end += reply.chunks[last].size) < at) ++last;
    const auto after = returned[i] - written[last];
    EXPECT_LT(after, kAtOnce);
    if (reply.reads[i] < kReadSize) {
      EXPECT_GE(after, SerialPort::kGap);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Serial, SerialReplyTest,
    ::testing::Values(ReplyCase{"Count0", {{0ms, 1}}, {1}},
                      ReplyCase{"Count12", {{0ms, 13}}, {13}},
                      ReplyCase{"Count254FillsOneRead", {{0ms, 255}}, {255}},
                      ReplyCase{"Count255LeavesItsLastByteToTheNextRead", {{0ms, 256}}, {255, 1}},
                      ReplyCase{"GapAfterOneByteSplits", {{0ms, 1}, {200ms, 12}}, {1, 12}},
                      ReplyCase{"GapAfterFiveBytesSplits", {{0ms, 5}, {200ms, 8}}, {5, 8}},
                      ReplyCase{"ShortGapsDoNotSplit", {{0ms, 3}, {10ms, 4}, {10ms, 6}, {10ms, 50}}, {63}}),
    [](const ::testing::TestParamInfo<ReplyCase>& param) { return std::string(param.param.name); });

// ----- Raw mode -----

TEST_F(SerialPortTest, ControlAndLineBytesPassThroughBothWaysUnchanged) {
  const std::vector<BYTE> bytes = {0x0D, 0x0A, 0x03, 0x11, 0x13, 0x7F, 0x00, 0xFF};
  auto port = OpenPort();
  ASSERT_NE(port, nullptr);
  Watchdog watchdog(*port, 5s);

  EXPECT_TRUE(port->Write(bytes.data(), bytes.size()));
  EXPECT_EQ(ReadMaster(bytes.size() + 1, 300ms), bytes);  // and nothing more

  WriteMaster(bytes);
  BYTE buffer[512] = {};
  const auto result = port->Read(buffer, kReadSize);
  ASSERT_EQ(result.status, SerialPort::ReadStatus::Data);
  EXPECT_EQ(std::vector<BYTE>(buffer, buffer + result.count), bytes);
  EXPECT_TRUE(ReadMaster(1, 100ms).empty()) << "nothing echoed back";

  // XON/XOFF received must not have stopped output: a request still goes out.
  const BYTE request = '7';
  EXPECT_TRUE(port->Write(&request, 1));
  EXPECT_EQ(ReadMaster(1), std::vector<BYTE>{request});
}

// ----- Stop and hang-up -----

TEST_F(SerialPortTest, StopWakesAWaitingReadAndEndsEveryLaterOne) {
  auto port = OpenPort();
  ASSERT_NE(port, nullptr);
  std::atomic<bool> returned{false};
  SerialPort::ReadResult result{};
  SteadyClock::time_point returnedAt{};
  std::thread worker([&] {
    BYTE buffer[512];
    result = port->Read(buffer, kReadSize);
    returnedAt = SteadyClock::now();
    returned = true;
  });
  std::this_thread::sleep_for(200ms);
  EXPECT_FALSE(returned) << "a read waits for its first byte";
  const auto stoppedAt = SteadyClock::now();
  port->Stop();
  worker.join();
  EXPECT_EQ(result.status, SerialPort::ReadStatus::Stopped);
  EXPECT_EQ(result.count, 0u);
  EXPECT_LT(returnedAt - stoppedAt, kAtOnce);

  WriteMaster(Pattern(5));  // even with bytes waiting
  for (int i = 0; i < 3; ++i) {
    BYTE buffer[512];
    const auto start = SteadyClock::now();
    const auto later = port->Read(buffer, kReadSize);
    EXPECT_EQ(later.status, SerialPort::ReadStatus::Stopped);
    EXPECT_EQ(later.count, 0u);
    EXPECT_LT(SteadyClock::now() - start, kAtOnce);
  }
}

TEST_F(SerialPortTest, HangUpEndsAWaitingReadAndTheDriverSaysGoneFromThenOn) {
  auto port = OpenPort();
  ASSERT_NE(port, nullptr);
  Watchdog watchdog(*port, 5s);
  SerialPort::ReadResult result{};
  SteadyClock::time_point returnedAt{};
  std::thread worker([&] {
    BYTE buffer[512];
    result = port->Read(buffer, kReadSize);
    returnedAt = SteadyClock::now();
  });
  std::this_thread::sleep_for(200ms);
  const auto hungUpAt = SteadyClock::now();
  HangUp();
  worker.join();
  EXPECT_EQ(result.status, SerialPort::ReadStatus::Gone);
  EXPECT_EQ(result.count, 0u);
  EXPECT_LT(returnedAt - hungUpAt, kAtOnce);

  // A worker that reads on after Gone would spin; every later read says Gone at once.
  for (int i = 0; i < 3; ++i) {
    BYTE buffer[512];
    const auto start = SteadyClock::now();
    EXPECT_EQ(port->Read(buffer, kReadSize).status, SerialPort::ReadStatus::Gone);
    EXPECT_LT(SteadyClock::now() - start, kAtOnce);
  }
  const BYTE request = '0';
  EXPECT_FALSE(port->Write(&request, 1));
}

// ----- Opening -----

TEST_F(SerialPortTest, OneProgramAtATimeUntilThePortIsClosed) {
  auto first = OpenPort();
  ASSERT_NE(first, nullptr);
  std::string error;
  EXPECT_EQ(SerialPort::Open(path_, 9600, &error), nullptr);  // here the lock stops it
  EXPECT_THAT(error, HasSubstr(path_));
  EXPECT_THAT(error, HasSubstr("in use"));

  std::unique_ptr<SerialPort> second;
  error.clear();
  if (!OpenAsOrdinaryUser(path_, &second, &error)) GTEST_SKIP() << "cannot drop CAP_SYS_ADMIN";
  EXPECT_EQ(second, nullptr);  // here the exclusive tty stops it, before the lock
  EXPECT_THAT(error, HasSubstr(path_));
  EXPECT_THAT(error, HasSubstr("in use"));

  first.reset();
  error.clear();
  ASSERT_TRUE(OpenAsOrdinaryUser(path_, &second, &error));
  EXPECT_NE(second, nullptr) << "the port is free again even while another descriptor holds the tty: " << error;
}

TEST(SerialPortOpen, FailsWithAReasonForWhatIsNoSerialDevice) {
  const auto dir = std::filesystem::temp_directory_path() / ("velnor-serial-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string file = (dir / "plain-file").string();
  std::ofstream(file) << "not a tty";
  struct Case {
    std::string path;
    std::string reason;
  };
  const Case cases[] = {
      {(dir / "no-such-device").string(), "No such file or directory"},
      {file, "not a serial device"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::string error;
    EXPECT_EQ(SerialPort::Open(c.path, 9600, &error), nullptr);
    EXPECT_THAT(error, HasSubstr(c.path));
    EXPECT_THAT(error, HasSubstr(c.reason));
  }
  std::filesystem::remove_all(dir);
}

// ----- Line settings -----

TEST_F(SerialPortTest, OpenMakesTheLineRawAtTheRateAndKeepsStopBitsAndHardwareFlowControl) {
  struct Case {
    int baud;
    tcflag_t kept;          // set on the line before the open, or not
    speed_t expected;       // B0: not looked at (a pty may or may not take a custom rate)
  };
  const Case cases[] = {
      {115200, CSTOPB | CRTSCTS, B115200},
      {0, 0, B4800},  // 0 leaves the rate as it is
      {250000, CSTOPB | CRTSCTS, B0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("baud " + std::to_string(c.baud));
    termios before = SlaveTermios();  // the kernel's cooked defaults
    before.c_cflag = (before.c_cflag & ~(CSTOPB | CRTSCTS)) | c.kept;
    before.c_cc[VMIN] = 0;
    before.c_cc[VTIME] = 5;
    ::cfsetispeed(&before, B4800);
    ::cfsetospeed(&before, B4800);
    ASSERT_EQ(::tcsetattr(slave_, TCSANOW, &before), 0);
    ASSERT_TRUE(SlaveTermios().c_lflag & ICANON);

    auto port = OpenPort(c.baud);
    ASSERT_NE(port, nullptr);
    const termios after = SlaveTermios();
    EXPECT_EQ(after.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(after.c_cflag & PARENB, 0u);
    EXPECT_EQ(after.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(after.c_cflag & (CSTOPB | CRTSCTS), c.kept);
    EXPECT_EQ(after.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(after.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXOFF), 0u);
    EXPECT_EQ(after.c_oflag & OPOST, 0u);
    EXPECT_EQ(after.c_cc[VMIN], 1);
    EXPECT_EQ(after.c_cc[VTIME], 0);
    if (c.expected != B0) {
      EXPECT_EQ(::cfgetospeed(&after), c.expected);
    }

    // Back to cooked for the next case.
    port.reset();
    termios cooked = after;
    cooked.c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
    cooked.c_iflag |= ICRNL | IXON;
    cooked.c_oflag |= OPOST;
    ASSERT_EQ(::tcsetattr(slave_, TCSANOW, &cooked), 0);
  }
}

// ----- COMn names -----

TEST(SerialPortNames, HostPortsAreUsbAdaptersInNaturalOrderThenOnBoardPorts) {
  namespace fs = std::filesystem;
  const fs::path tty = fs::temp_directory_path() / ("velnor-sys-class-tty-" + std::to_string(::getpid()));
  fs::remove_all(tty);
  for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyACM0"}) fs::create_directories(tty / name / "device");
  fs::create_directories(tty / "devices" / "serial-1");  // no driver link: not an empty 8250 port
  fs::create_directories(tty / "ttyS1");
  fs::create_directory_symlink(tty / "devices" / "serial-1", tty / "ttyS1" / "device");
  fs::create_directories(tty / "tty0");  // a virtual terminal: no device
  fs::create_directories(tty / "ttyS9");
  fs::create_directory_symlink(tty / "devices" / "gone", tty / "ttyS9" / "device");  // dangling

  EXPECT_EQ(SerialPortNames::FindHostPorts(tty.string()),
            (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyS1"}));
  EXPECT_TRUE(SerialPortNames::FindHostPorts((tty / "missing").string()).empty());
  fs::remove_all(tty);
}

TEST(SerialPortNames, AnAssignedPathWinsUntilCleared) {
  SerialPortNames& names = SerialPortNames::Instance();
  const std::string path = "/nonexistent/velnor-com3";
  names.Assign(3, path);
  EXPECT_EQ(names.PathOf(3), path);
  names.Clear();
  EXPECT_NE(names.PathOf(3), path);
  EXPECT_EQ(names.PathOf(0), std::nullopt);
}

}  // namespace
