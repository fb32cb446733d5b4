#include "sim/SimCommandLine.h"

#include <charconv>
#include <limits>
#include <string_view>

#include "sim/Waveform.h"

namespace {

constexpr long long kLongestWait = 3'600'000;  // ms: an hour is plenty for any delay or gap

// A plain decimal number within [low, high], nothing else.
bool ParseNumber(std::string_view text, long long low, long long high, long long& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end && !text.empty() && text[0] != '-' && value >= low && value <= high;
}

// A sensor by number (0..29) or by letter (A..T, either case).
bool ParseSensor(std::string_view text, int& sensor) {
  if (text.size() == 1 && ((text[0] >= 'A' && text[0] <= 'T') || (text[0] >= 'a' && text[0] <= 't'))) {
    sensor = (text[0] & ~0x20) - 'A' + 10;
    return true;
  }
  long long number = 0;
  if (!ParseNumber(text, 0, kSensorCount - 1, number)) return false;
  sensor = static_cast<int>(number);
  return true;
}

// Items separated by commas; an item is a sensor or a range FIRST-LAST.
bool ParseSensorList(std::string_view text, std::set<int>& sensors) {
  if (text.empty()) return false;
  for (;;) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    const std::size_t dash = item.find('-');
    int first = 0;
    int last = 0;
    if (dash == std::string_view::npos) {
      if (!ParseSensor(item, first)) return false;
      last = first;
    } else if (!ParseSensor(item.substr(0, dash), first) || !ParseSensor(item.substr(dash + 1), last) ||
               first > last) {
      return false;
    }
    for (int sensor = first; sensor <= last; ++sensor) sensors.insert(sensor);
    if (comma == std::string_view::npos) return true;
    text.remove_prefix(comma + 1);
  }
}

// "K:MS": split after K bytes (1 or more), pause MS milliseconds.
bool ParseGap(std::string_view text, SimOptions& options) {
  const std::size_t colon = text.find(':');
  long long bytes = 0;
  long long length = 0;
  if (colon == std::string_view::npos || !ParseNumber(text.substr(0, colon), 1, 65'536, bytes) ||
      !ParseNumber(text.substr(colon + 1), 0, kLongestWait, length))
    return false;
  options.gapAfterBytes = static_cast<int>(bytes);
  options.gapLength = std::chrono::milliseconds(length);
  return true;
}

// Applies `--name value`; the text after "expected" when the value is wrong, else empty.
std::string ApplyOption(const std::string& name, const std::string& value, SimOptions& options) {
  long long number = 0;
  if (name == "--length") {
    if (!ParseNumber(value, 0, 255, number)) return "a frame length from 0 to 255";
    options.frameLength = static_cast<int>(number);
  } else if (name == "--silent") {
    if (!ParseSensorList(value, options.silentSensors)) return "sensors such as 3,5,A or 8-29 (0..29 or A..T)";
  } else if (name == "--delay" || name == "--idle") {
    if (!ParseNumber(value, 0, kLongestWait, number)) return "milliseconds from 0 to 3600000";
    (name == "--delay" ? options.replyDelay : options.idleEvery) = std::chrono::milliseconds(number);
  } else if (name == "--gap") {
    if (!ParseGap(value, options)) return "K:MS, K bytes from 1 to 65536 and MS milliseconds from 0 to 3600000";
  } else if (name == "--extra") {
    if (!ParseNumber(value, 0, 1 << 20, number)) return "a byte count from 0 to 1048576";
    options.extraBytes = static_cast<int>(number);
  } else {  // --seed
    if (!ParseNumber(value, 0, std::numeric_limits<std::uint32_t>::max(), number))
      return "a number from 0 to 4294967295";
    options.seed = static_cast<std::uint32_t>(number);
  }
  return {};
}

bool TakesValue(const std::string& argument) {
  for (const char* name : {"--length", "--silent", "--delay", "--gap", "--extra", "--idle", "--seed"})
    if (argument == name) return true;
  return false;
}

}  // namespace

ParsedSimCommandLine ParseSimCommandLine(const std::vector<std::string>& arguments) {
  ParsedSimCommandLine parsed;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      parsed.commandLine.help = true;
    } else if (TakesValue(argument)) {
      if (i + 1 == arguments.size()) {
        parsed.error = argument + " needs a value";
        return parsed;
      }
      const std::string& value = arguments[++i];
      if (std::string expected = ApplyOption(argument, value, parsed.commandLine.options); !expected.empty()) {
        parsed.error = argument + " " + value + ": expected " + expected;
        return parsed;
      }
    } else {
      parsed.error = "unknown argument '" + argument + "'";
      return parsed;
    }
  }
  return parsed;
}

std::string SimUsageText(const std::string& program) {
  return "usage: " + program +
         " [--length N] [--silent LIST] [--delay MS] [--gap K:MS] [--extra N] [--idle MS] [--seed N]\n"
         "\n"
         "A simulated measuring device on a pseudo-terminal. It prints the path of the device\n"
         "side (open it as the serial port) and answers each request byte '0'..'9', 'A'..'T' with\n"
         "that sensor's frame: a length byte N, then N samples. Other bytes are ignored. It runs\n"
         "until standard input ends (Ctrl-D; so give it a terminal or a pipe, not /dev/null) or\n"
         "it gets SIGINT or SIGTERM.\n"
         "\n"
         "  --length N     every frame has N samples, 1..255 (255: 256 bytes on the wire);\n"
         "                 0, the default, gives each sensor its own length from 100 to 200\n"
         "  --silent LIST  sensors that never answer: items separated by commas, each a sensor\n"
         "                 number 0..29 or letter A..T, or a range FIRST-LAST (3,5,A  8-29  0-9,T);\n"
         "                 may be repeated\n"
         "  --delay MS     wait MS milliseconds before answering (default 5)\n"
         "  --gap K:MS     send the first K bytes of a reply, pause MS milliseconds, then the rest\n"
         "  --extra N      send N filler bytes 0xEE right after each frame (default 0)\n"
         "  --idle MS      send a stray byte 0x5A after every MS milliseconds without traffic\n"
         "                 (default 0: never)\n"
         "  --seed N       seed of the noise sensors 4, 9, E, J, O and T (default 1)\n"
         "  --help         show this text\n"
         "\n"
         "Sensor shapes by number modulo 5: 0 sine, 1 triangle, 2 ramp, 3 square, 4 noise.\n"
         "Exit status: 0 when stopped, 1 when no pseudo-terminal can be had, 2 for a bad argument.\n";
}
