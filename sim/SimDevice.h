// A simulated measuring device on a pseudo-terminal.
//
// The program opens DevicePath() as it would open a serial adapter. The device reads request
// bytes there: '0'..'9' ask sensors 0..9, 'A'..'T' sensors 10..29, anything else is ignored.
// For a sensor that is not silent it waits `replyDelay`, then writes the sensor's frame (the
// length byte N, then N samples; see sim/Waveform.h) followed by `extraBytes` filler bytes,
// all in one write; or, when `gapAfterBytes` is shorter than the reply, in two writes with a
// pause of `gapLength` after the first `gapAfterBytes` bytes. Requests that arrive meanwhile
// wait their turn, in order.
//
// Threads: one worker per device serves the requests; any thread may call the public
// functions. Every wait of the worker also watches an eventfd, so Unplug and the destructor
// stop it at once, even in the middle of a delay, a gap or a write the program does not read.
//
// Descriptors: the device keeps its own descriptor of the terminal side open for its whole
// life, so the device side never sees a hang-up before the program opens the path or after
// it closes it, and the program may open and close the path as often as it likes. Unplug
// closes both, as a pulled adapter: the program's descriptor is hung up (poll reports
// POLLHUP, read returns 0, write fails with EIO) and the path disappears.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

struct SimOptions {
  // 1..255 imposes N on every frame (255: 256 bytes on the wire); 0: each sensor its own 100..200.
  int frameLength = 0;
  // Sensors 0..29 that never answer.
  std::set<int> silentSensors;
  std::chrono::milliseconds replyDelay{5};
  // > 0: a longer reply goes in two writes, split after this many bytes, `gapLength` apart.
  int gapAfterBytes = 0;
  std::chrono::milliseconds gapLength{0};
  // 0..1048576 filler bytes (kFillerByte) right after each frame.
  int extraBytes = 0;
  // Send a stray byte (kStrayByte) after this long without traffic; 0: never.
  std::chrono::milliseconds idleEvery{0};
  // Seeds the noise sensors.
  std::uint32_t seed = 1;
};

struct SentFrame {
  int sensor;                       // 0..29, or SimDevice::kStray for a stray byte sent while idle
  unsigned requestNumber;           // the sensor's request number, counted from 0; 0 for a stray byte
  std::vector<std::uint8_t> bytes;  // as written: frame and filler, or the stray byte
  // When the write of its last byte returned: the moment that byte was on the line.
  std::chrono::steady_clock::time_point writtenAt{};
};

class SimDevice {
 public:
  static constexpr int kStray = -1;
  static constexpr std::uint8_t kStrayByte = 0x5A;
  static constexpr std::uint8_t kFillerByte = 0xEE;

  // Opens the pseudo-terminal and starts serving. nullptr, with the reason in `error`, when
  // an option is out of range or no pseudo-terminal can be had.
  static std::unique_ptr<SimDevice> Start(const SimOptions& options, std::string* error);
  ~SimDevice();
  SimDevice(const SimDevice&) = delete;
  SimDevice& operator=(const SimDevice&) = delete;

  // The terminal side's path ("/dev/pts/N"), for the program to open.
  const std::string& DevicePath() const { return path_; }
  const SimOptions& Options() const { return options_; }

  // Exactly the frame the device sends for the sensor's request number `requestNumber`
  // (counted from 0; every request byte of that sensor counts, answered or not).
  std::vector<std::uint8_t> FrameFor(int sensor, unsigned requestNumber) const;
  // The whole reply to that request: the frame, then `extraBytes` filler bytes.
  std::vector<std::uint8_t> ReplyFor(int sensor, unsigned requestNumber) const;

  // Every reply and stray byte so far, in order. A reply's entry appears, with no bytes yet,
  // as soon as the device takes the request; its bytes are added just before each write, so
  // whoever has received bytes finds them here. Bytes a stopped write could not deliver are
  // taken out again.
  std::vector<SentFrame> Sent() const;

  // Stops serving and closes the pseudo-terminal, as an adapter pulled out. Returns once the
  // worker has ended; later calls do nothing.
  void Unplug();

 private:
  SimDevice(const SimOptions& options, int master, int terminal, int wake, std::string path);
  void Serve();
  bool Reply(int sensor, unsigned requestNumber);
  bool SendStrayByte();
  bool WriteLogged(std::size_t entry, const std::uint8_t* bytes, std::size_t count);
  bool WaitWritable();
  bool Pause(std::chrono::milliseconds length);

  const SimOptions options_;
  const std::string path_;
  int master_;
  int terminal_;
  int wake_;
  std::thread worker_;
  mutable std::mutex sentMutex_;
  std::vector<SentFrame> sent_;
  std::mutex unplugMutex_;
  bool unplugged_ = false;
};
