// The command line of velnor-sim, the simulated device as a program of its own.
#pragma once

#include <string>
#include <vector>

#include "sim/SimDevice.h"

struct SimCommandLine {
  SimOptions options;
  bool help = false;
};

struct ParsedSimCommandLine {
  SimCommandLine commandLine;
  std::string error;  // one line naming the bad argument; empty when all is well
};

ParsedSimCommandLine ParseSimCommandLine(const std::vector<std::string>& arguments);

std::string SimUsageText(const std::string& program);
