// The simulated device, seen from where the program stands: the terminal side of its
// pseudo-terminal, opened and put in raw mode as the serial driver does. Every read waits for
// the bytes it expects, up to a generous deadline; only the checks for silence wait a fixed time.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "sim/SimCommandLine.h"
#include "sim/SimDevice.h"
#include "sim/Waveform.h"

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

namespace {

// The program's side of the line.
class Line {
 public:
  explicit Line(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
    termios settings{};
    if (fd_ >= 0 && ::tcgetattr(fd_, &settings) == 0) {
      ::cfmakeraw(&settings);
      ::tcsetattr(fd_, TCSANOW, &settings);
    }
  }
  ~Line() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool IsOpen() const { return fd_ >= 0; }
  int Fd() const { return fd_; }

  void Send(const std::string& bytes) {
    ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // Reads until `count` bytes are in or the deadline passes; returns what came.
  Bytes Receive(std::size_t count, std::chrono::milliseconds within = 3s) {
    Bytes bytes;
    const auto deadline = Clock::now() + within;
    while (bytes.size() < count && WaitReadable(deadline)) {
      std::uint8_t buffer[512];
      const ssize_t got = ::read(fd_, buffer, std::min(sizeof buffer, count - bytes.size()));
      if (got <= 0) break;
      bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return bytes;
  }

  // True when nothing arrives for `length`.
  bool StaysQuiet(std::chrono::milliseconds length) { return !WaitReadable(Clock::now() + length); }

 private:
  bool WaitReadable(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd readable{fd_, POLLIN, 0};
    return ::poll(&readable, 1, left > 0 ? static_cast<int>(left) : 0) > 0;
  }

  int fd_;
};

std::unique_ptr<SimDevice> StartDevice(const SimOptions& options) {
  std::string error;
  auto device = SimDevice::Start(options, &error);
  EXPECT_TRUE(device) << error;
  return device;
}

template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds within = 3s) {
  const auto deadline = Clock::now() + within;
  while (!condition()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

SimOptions With(auto change) {
  SimOptions options;
  options.replyDelay = 0ms;
  change(options);
  return options;
}

struct Request {
  int sensor;
  unsigned number;
};

}  // namespace

TEST(SimDevice, FramesHaveTheirSensorsShapesAndCanBeComputedAgain) {
  for (int sensor = 0; sensor < kSensorCount; ++sensor) {
    SCOPED_TRACE("sensor " + std::to_string(sensor));
    EXPECT_EQ(SensorForRequestByte(static_cast<std::uint8_t>(SensorCharacter(sensor))), sensor);
    const Bytes frame = SimulatedFrame(sensor, 0, 0, 1);
    ASSERT_GE(frame.size(), 101u);
    ASSERT_LE(frame.size(), 201u);
    EXPECT_EQ(frame[0], frame.size() - 1);
    EXPECT_EQ(SimulatedFrame(sensor, 5, 0, 1), SimulatedFrame(sensor, 5, 0, 1));
    EXPECT_NE(SimulatedFrame(sensor, 0, 0, 1), SimulatedFrame(sensor, 1, 0, 1)) << "frames in a row differ";
    for (int other = 0; other < sensor; ++other) EXPECT_NE(frame, SimulatedFrame(other, 0, 0, 1));
    const std::set<std::uint8_t> levels(frame.begin() + 1, frame.end());
    if (sensor % 5 == 3) {
      EXPECT_EQ(levels.size(), 2u) << "a square wave has two levels";
    }
    if (sensor % 5 == 4) {
      EXPECT_GT(levels.size(), 40u) << "noise takes many levels";
      EXPECT_NE(frame, SimulatedFrame(sensor, 0, 0, 2)) << "noise follows the seed";
    } else {
      EXPECT_EQ(frame, SimulatedFrame(sensor, 0, 0, 2));
    }
  }
  for (const int length : {1, 254, 255}) {
    const Bytes frame = SimulatedFrame(17, 3, length, 1);
    EXPECT_EQ(frame.size(), static_cast<std::size_t>(length) + 1);
    EXPECT_EQ(frame[0], length);
  }
  for (const std::uint8_t byte : {0x00, 0x2F, 0x3A, 0x40, 0x55, 0x61, 0x74, 0xFF})
    EXPECT_EQ(SensorForRequestByte(byte), -1) << int{byte};
}

TEST(SimDevice, AnswersEachRequestWithTheSensorsFrame) {
  struct Case {
    const char* name;
    SimOptions options;
    std::string requests;
    std::vector<Request> replies;
  };
  const Case cases[] = {
      {"natural lengths", With([](SimOptions&) {}), "0A7T", {{0, 0}, {10, 0}, {7, 0}, {29, 0}}},
      {"255 samples, 256 bytes", With([](SimOptions& o) { o.frameLength = 255; }), "44", {{4, 0}, {4, 1}}},
      {"one sample and filler",
       With([](SimOptions& o) {
         o.frameLength = 1;
         o.extraBytes = 3;
       }),
       "9",
       {{9, 0}}},
      {"unknown bytes ignored", With([](SimOptions& o) { o.replyDelay = 5ms; }), "x0\n~a\xff" "0", {{0, 0}, {0, 1}}},
      {"seed", With([](SimOptions& o) { o.seed = 77; }), "E", {{14, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto device = StartDevice(c.options);
    ASSERT_TRUE(device);
    Line line(device->DevicePath());
    ASSERT_TRUE(line.IsOpen());
    line.Send(c.requests);

    Bytes expected;
    for (const Request& r : c.replies) {
      const Bytes reply = device->ReplyFor(r.sensor, r.number);
      expected.insert(expected.end(), reply.begin(), reply.end());
    }
    EXPECT_EQ(line.Receive(expected.size()), expected);

    const std::vector<SentFrame> sent = device->Sent();
    ASSERT_EQ(sent.size(), c.replies.size());
    for (std::size_t i = 0; i < sent.size(); ++i) {
      EXPECT_EQ(sent[i].sensor, c.replies[i].sensor);
      EXPECT_EQ(sent[i].requestNumber, c.replies[i].number);
      EXPECT_EQ(sent[i].bytes, device->ReplyFor(c.replies[i].sensor, c.replies[i].number));
    }
    Bytes frame = device->FrameFor(c.replies[0].sensor, c.replies[0].number);
    frame.insert(frame.end(), c.options.extraBytes, SimDevice::kFillerByte);
    EXPECT_EQ(device->ReplyFor(c.replies[0].sensor, c.replies[0].number), frame);
  }
}

TEST(SimDevice, SilentSensorsSendNothingAndStillCountTheirRequests) {
  const auto device = StartDevice(With([](SimOptions& o) { o.silentSensors = {3, 10}; }));
  ASSERT_TRUE(device);
  Line line(device->DevicePath());
  line.Send("3A");
  EXPECT_TRUE(line.StaysQuiet(300ms));
  line.Send("4");
  EXPECT_EQ(line.Receive(device->FrameFor(4, 0).size()), device->FrameFor(4, 0));
  ASSERT_EQ(device->Sent().size(), 1u);
  EXPECT_EQ(device->Sent()[0].sensor, 4);
}

TEST(SimDevice, GapSplitsTheReply) {
  const auto device = StartDevice(With([](SimOptions& o) {
    o.frameLength = 100;
    o.gapAfterBytes = 40;
    o.gapLength = 300ms;
    o.extraBytes = 2;
  }));
  ASSERT_TRUE(device);
  const Bytes reply = device->ReplyFor(21, 0);
  ASSERT_EQ(reply.size(), 103u);
  Line line(device->DevicePath());
  const auto requested = Clock::now();
  line.Send("L");

  const Bytes first = line.Receive(40);
  const auto firstIn = Clock::now();
  const Bytes next = line.Receive(1);
  const auto restBegins = Clock::now();
  Bytes received = first;
  received.insert(received.end(), next.begin(), next.end());
  const Bytes rest = line.Receive(reply.size() - received.size());
  received.insert(received.end(), rest.begin(), rest.end());

  EXPECT_EQ(received, reply);
  EXPECT_GE(restBegins - requested, 300ms) << "the device cannot end the gap early";
  EXPECT_GE(restBegins - firstIn, 150ms) << "the first part came alone";
  EXPECT_EQ(device->Sent().at(0).bytes, reply);
}

TEST(SimDevice, StrayBytesWhileIdle) {
  const auto device = StartDevice(With([](SimOptions& o) { o.idleEvery = 30ms; }));
  ASSERT_TRUE(device);
  Line line(device->DevicePath());
  EXPECT_EQ(line.Receive(3), Bytes(3, SimDevice::kStrayByte));
  const std::vector<SentFrame> sent = device->Sent();
  ASSERT_GE(sent.size(), 3u);
  for (const SentFrame& stray : sent) {
    EXPECT_EQ(stray.sensor, SimDevice::kStray);
    EXPECT_EQ(stray.bytes, Bytes{SimDevice::kStrayByte});
  }
}

// Unplugging stops the device at once, wherever it waits, and hangs up the program's side.
TEST(SimDevice, UnplugHangsUpTheLineAtOnce) {
  struct Case {
    const char* name;
    SimOptions options;
    bool request;           // whether the program asks sensor 5 first
    std::size_t readFirst;  // bytes the program reads before the device is unplugged
  };
  const Case cases[] = {
      {"before the reply", With([](SimOptions& o) { o.replyDelay = 10s; }), true, 0},
      {"inside a gap",
       With([](SimOptions& o) {
         o.gapAfterBytes = 1;
         o.gapLength = 10s;
       }),
       true, 1},
      {"in a write nobody reads", With([](SimOptions& o) { o.extraBytes = 1 << 20; }), true, 0},
      {"while idle", With([](SimOptions&) {}), false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto device = StartDevice(c.options);
    ASSERT_TRUE(device);
    Line line(device->DevicePath());
    ASSERT_TRUE(line.IsOpen());
    if (c.request) {
      line.Send("5");
      ASSERT_TRUE(WaitUntil([&] { return device->Sent().size() == 1; }));
    }
    EXPECT_EQ(line.Receive(c.readFirst).size(), c.readFirst);

    const auto before = Clock::now();
    device->Unplug();
    EXPECT_LT(Clock::now() - before, 1s);
    device->Unplug();

    pollfd hangUp{line.Fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&hangUp, 1, 1000), 1);
    EXPECT_TRUE(hangUp.revents & POLLHUP);
    std::uint8_t byte;
    const ssize_t got = ::read(line.Fd(), &byte, 1);
    EXPECT_TRUE(got == 0 || (got < 0 && errno == EIO)) << got;
    EXPECT_FALSE(Line(device->DevicePath()).IsOpen()) << "the device is gone";
    for (const SentFrame& sent : device->Sent()) EXPECT_LT(sent.bytes.size(), device->ReplyFor(5, 0).size());
  }
}

TEST(SimCommandLine, ReadsEveryOptionAndNamesABadOne) {
  const auto parse = [](std::vector<std::string> arguments) { return ParseSimCommandLine(arguments); };

  const ParsedSimCommandLine all = parse({"--length", "255", "--silent", "8-29", "--delay", "0", "--gap", "10:20",
                                          "--extra", "3", "--idle", "100", "--seed", "4294967295"});
  ASSERT_EQ(all.error, "");
  const SimOptions& o = all.commandLine.options;
  EXPECT_EQ(o.frameLength, 255);
  EXPECT_EQ(o.silentSensors.size(), 22u);
  EXPECT_EQ(*o.silentSensors.begin(), 8);
  EXPECT_EQ(o.replyDelay, 0ms);
  EXPECT_EQ(o.gapAfterBytes, 10);
  EXPECT_EQ(o.gapLength, 20ms);
  EXPECT_EQ(o.extraBytes, 3);
  EXPECT_EQ(o.idleEvery, 100ms);
  EXPECT_EQ(o.seed, 4294967295u);
  EXPECT_FALSE(all.commandLine.help);

  const SimOptions defaults = parse({}).commandLine.options;
  EXPECT_EQ(defaults.frameLength, 0);
  EXPECT_EQ(defaults.replyDelay, 5ms);
  EXPECT_TRUE(parse({"--help"}).commandLine.help);

  struct Silent {
    std::vector<std::string> arguments;
    std::set<int> sensors;
  };
  const Silent silent[] = {
      {{"--silent", "3,5,A"}, {3, 5, 10}},
      {{"--silent", "1-B", "--silent", "t"}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 29}},
      {{"--silent", "29,T,0-0"}, {0, 29}},
  };
  for (const Silent& s : silent) EXPECT_EQ(parse(s.arguments).commandLine.options.silentSensors, s.sensors);

  struct Bad {
    std::vector<std::string> arguments;
    const char* error;
  };
  const Bad bad[] = {
      {{"--length", "256"}, "--length 256: expected"},
      {{"--length", "-1"}, "--length -1: expected"},
      {{"--length", "12x"}, "--length 12x: expected"},
      {{"--silent", "U"}, "--silent U: expected"},
      {{"--silent", "30"}, "--silent 30: expected"},
      {{"--silent", "5-3"}, "--silent 5-3: expected"},
      {{"--silent", "3,,4"}, "--silent 3,,4: expected"},
      {{"--gap", "10"}, "--gap 10: expected"},
      {{"--gap", "0:5"}, "--gap 0:5: expected"},
      {{"--delay", ""}, "--delay : expected"},
      {{"--seed", "4294967296"}, "--seed 4294967296: expected"},
      {{"--length", "9", "--extra"}, "--extra needs a value"},
      {{"--idle", "5", "-x"}, "unknown argument '-x'"},
  };
  for (const Bad& b : bad) {
    const std::string error = parse(b.arguments).error;
    EXPECT_EQ(error.rfind(b.error, 0), 0u) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
  }
}

namespace {

// velnor-sim as a child process, with pipes on its standard input, output and error.
class SimProgram {
 public:
  explicit SimProgram(std::vector<std::string> arguments) {
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return;
    arguments.insert(arguments.begin(), VELNOR_SIM_BINARY);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(in[0], 0);
      ::dup2(out[1], 1);
      ::dup2(err[1], 2);
      ::execv(VELNOR_SIM_BINARY, argv.data());
      ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    input_ = in[1];
    output_ = out[0];
    errors_ = err[0];
  }
  ~SimProgram() {
    if (pid_ > 0 && !ended_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    for (const int fd : {input_, output_, errors_})
      if (fd >= 0) ::close(fd);
  }

  bool Started() const { return pid_ > 0; }
  void CloseInput() {
    ::close(input_);
    input_ = -1;
  }
  void Signal(int number) { ::kill(pid_, number); }

  // Standard output up to the first line feed, or all of it once the program has ended.
  std::string OutputLine() { return ReadUntil(output_, true); }
  std::string Errors() { return ReadUntil(errors_, false); }

  // Waits for the end: its standard output closes when it exits. The exit status, or -1.
  int ExitStatus() {
    ReadUntil(output_, false);
    int status = 0;
    if (::waitpid(pid_, &status, 0) != pid_) return -1;
    ended_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  static std::string ReadUntil(int fd, bool oneLine) {
    std::string text;
    const auto deadline = Clock::now() + 5s;
    for (;;) {
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
      pollfd readable{fd, POLLIN, 0};
      char c;
      if (left <= 0 || ::poll(&readable, 1, static_cast<int>(left)) <= 0 || ::read(fd, &c, 1) != 1) return text;
      if (oneLine && c == '\n') return text;
      text += c;
    }
  }

  pid_t pid_ = -1;
  bool ended_ = false;
  int input_ = -1;
  int output_ = -1;
  int errors_ = -1;
};

}  // namespace

TEST(VelnorSim, ServesItsDeviceUntilInputEndsOrASignalComes) {
  struct Case {
    const char* name;
    int signal;  // 0: standard input is closed
  };
  for (const Case c : {Case{"end of input", 0}, Case{"SIGTERM", SIGTERM}, Case{"SIGINT", SIGINT}}) {
    SCOPED_TRACE(c.name);
    SimProgram program({"--length", "20", "--silent", "5", "--seed", "3"});
    ASSERT_TRUE(program.Started());
    const std::string path = program.OutputLine();
    ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
    Line line(path);
    ASSERT_TRUE(line.IsOpen());
    line.Send("59");
    EXPECT_EQ(line.Receive(21), SimulatedFrame(9, 0, 20, 3)) << "sensor 5 is silent, 9 answers";

    if (c.signal) program.Signal(c.signal);
    else program.CloseInput();
    EXPECT_EQ(program.ExitStatus(), 0);
    pollfd hangUp{line.Fd(), POLLIN, 0};
    EXPECT_EQ(::poll(&hangUp, 1, 1000), 1);
    EXPECT_TRUE(hangUp.revents & POLLHUP);
  }
}

TEST(VelnorSim, RefusesABadArgumentWithOneLine) {
  SimProgram program({"--delay", "5", "--gap", "7"});
  ASSERT_TRUE(program.Started());
  EXPECT_EQ(program.ExitStatus(), 2);
  EXPECT_EQ(program.Errors(), "velnor-sim: --gap 7: expected K:MS, K bytes from 1 to 65536 and MS milliseconds from 0 to 3600000\n");
}
