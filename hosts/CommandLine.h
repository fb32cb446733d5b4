// The program's command line.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

struct CommandLine {
  bool headless = false;
  std::optional<std::string> scriptPath;
  std::map<int, std::string> ports;  // COM number 1..8 -> device path
  bool simulate = false;
  bool help = false;
  bool version = false;
};

struct ParsedCommandLine {
  CommandLine options;
  std::string error;  // one line naming the bad argument; empty when all is well
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string UsageText(const std::string& program);
