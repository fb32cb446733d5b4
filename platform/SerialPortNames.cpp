#include "platform/SerialPortNames.h"

#include <algorithm>
#include <filesystem>

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool IsUsbAdapter(const std::string& name) { return name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0; }

// An on-board 8250 port that the kernel lists without a UART behind it.
bool IsEmpty8250Port(const fs::path& entry, const std::string& device) {
  std::error_code error;
  const auto driver = fs::read_symlink(entry / "device" / "driver", error);
  if (error || driver.filename() != "serial8250") return false;
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return true;
  serial_struct info{};
  const bool unknown = ::ioctl(fd, TIOCGSERIAL, &info) != 0 || info.type == PORT_UNKNOWN;
  ::close(fd);
  return unknown;
}

// ttyUSB2 before ttyUSB10.
bool NaturalLess(const std::string& a, const std::string& b) {
  const auto split = [](const std::string& s) {
    const auto digits = s.find_first_of("0123456789");
    const std::string stem = s.substr(0, digits);
    const long number = digits == std::string::npos ? -1 : std::stol(s.substr(digits));
    return std::make_pair(stem, number);
  };
  return split(a) < split(b);
}

}  // namespace

SerialPortNames& SerialPortNames::Instance() {
  static SerialPortNames names;
  return names;
}

void SerialPortNames::Assign(int number, std::string path) {
  std::lock_guard lock(mutex_);
  assigned_[number] = std::move(path);
}

void SerialPortNames::Clear() {
  std::lock_guard lock(mutex_);
  assigned_.clear();
}

std::optional<std::string> SerialPortNames::PathOf(int number) {
  std::lock_guard lock(mutex_);
  if (auto it = assigned_.find(number); it != assigned_.end()) return it->second;
  if (!found_) found_ = FindHostPorts();
  if (number < 1 || static_cast<std::size_t>(number) > found_->size()) return std::nullopt;
  return (*found_)[static_cast<std::size_t>(number) - 1];
}

std::vector<std::string> SerialPortNames::FindHostPorts(const std::string& sysClassTty) {
  std::vector<std::string> usb, onBoard;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(sysClassTty, error)) {
    std::error_code linkError;
    if (!fs::exists(entry.path() / "device", linkError)) continue;  // virtual terminals have no device
    const std::string name = entry.path().filename().string();
    const std::string device = "/dev/" + name;
    if (IsUsbAdapter(name))
      usb.push_back(name);
    else if (!IsEmpty8250Port(entry.path(), device))
      onBoard.push_back(name);
  }
  std::sort(usb.begin(), usb.end(), NaturalLess);
  std::sort(onBoard.begin(), onBoard.end(), NaturalLess);
  std::vector<std::string> paths;
  for (const auto* group : {&usb, &onBoard})
    for (const std::string& name : *group) paths.push_back("/dev/" + name);
  return paths;
}
