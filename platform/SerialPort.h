// A serial device opened for the program, over termios.
//
// Threads: one receive thread calls Read; any thread may call Write and Stop. Stop wakes a
// Read that is waiting, at once, through an eventfd (closing the descriptor would not wake
// it). The descriptor is closed when the object goes, which its owner arranges only after the
// reading thread has ended, so a reused descriptor number can never be read by an old reader.
//
// A read follows the device's reply timing: it waits for the first byte, then gathers bytes
// until the buffer is full, no byte has come for more than 50 ms, or 25.6 s have passed since
// the first byte. A port that hangs up (an unplugged adapter, a closed pseudo-terminal) never
// blocks again, so any hang-up or read error ends reading for good: Read reports Gone and
// drops what it had gathered.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "platform/Types.h"

class SerialPort {
 public:
  enum class ReadStatus { Data, Stopped, Gone };
  struct ReadResult {
    ReadStatus status;
    std::size_t count;
  };

  static constexpr std::chrono::milliseconds kGap{50};
  static constexpr std::chrono::milliseconds kLongest{25'600};

  // Opens `path` for this program alone; 8 data bits, no parity, raw input and output, no
  // XON/XOFF, `baud` when the driver can set it (a rate it cannot set, or 0, leaves the rate as
  // it is); stop bits and hardware flow control as the port has them; both queues emptied.
  // nullptr, with the reason in `error`, when the device cannot be opened.
  static std::unique_ptr<SerialPort> Open(const std::string& path, int baud, std::string* error);
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Writes what the port takes at once; true when every byte went.
  bool Write(const BYTE* bytes, std::size_t count);
  ReadResult Read(BYTE* buffer, std::size_t size);
  void Stop();

 private:
  SerialPort(int fd, int wakeFd) : fd_(fd), wakeFd_(wakeFd) {}
  int fd_;
  int wakeFd_;
};

// Sets a rate that has no B... constant of its own; false when the driver refuses it.
bool SetCustomBaudRate(int fd, int baud);
