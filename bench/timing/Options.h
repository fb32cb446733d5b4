// The command-line options of the timing tools.
#pragma once

#include <string>
#include <utility>
#include <vector>

// The tools' "--name VALUE" options. An unknown option, a missing value or a value that is
// not a number ends the tool with status 2 and a line on standard error.
class Options {
 public:
  Options(int argc, char** argv, std::vector<std::string> known);
  double Number(const std::string& name, double fallback) const;
  std::string Text(const std::string& name, const std::string& fallback) const;

 private:
  std::vector<std::pair<std::string, std::string>> given_;
};
