// COM1..COM8 are names; this maps each to a device path of the host. A path given on the
// command line wins; otherwise COMn is the n-th serial port found on the host, USB adapters
// (ttyUSB, ttyACM) first, then on-board ports that have a UART.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class SerialPortNames {
 public:
  static SerialPortNames& Instance();

  void Assign(int number, std::string path);  // number 1..8
  void Clear();
  // The device COM<number> opens, or nullopt when the host has no such port.
  std::optional<std::string> PathOf(int number);

  // The host's serial ports as device paths, in COM order. `sysClassTty` is the sysfs folder
  // of tty devices.
  static std::vector<std::string> FindHostPorts(const std::string& sysClassTty = "/sys/class/tty");

 private:
  std::mutex mutex_;
  std::map<int, std::string> assigned_;
  std::optional<std::vector<std::string>> found_;
};
