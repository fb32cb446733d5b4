// A pseudo-terminal whose device side the program opens as its serial port, while the test
// plays the device on the other side.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "platform/Types.h"

class Pty {
 public:
  Pty();
  ~Pty();
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  const std::string& DevicePath() const { return path_; }
  void Write(const std::vector<BYTE>& bytes);
  // What the program has written, waiting up to `limit` for `count` bytes.
  std::vector<BYTE> Read(std::size_t count, std::chrono::milliseconds limit = std::chrono::milliseconds(2000));
  // Closes the device side, as when the adapter is pulled out.
  void Unplug();

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};
