#include "Options.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

Options::Options(int argc, char** argv, std::vector<std::string> known) {
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (std::find(known.begin(), known.end(), name) == known.end() || i + 1 >= argc) {
      std::cerr << argv[0] << ": unknown option or missing value: " << name << "\n  options:";
      for (const std::string& option : known) std::cerr << ' ' << option << " VALUE";
      std::cerr << std::endl;
      std::exit(2);
    }
    given_.emplace_back(name, argv[++i]);
  }
}

std::string Options::Text(const std::string& name, const std::string& fallback) const {
  std::string value = fallback;
  for (const auto& [option, text] : given_)
    if (option == name) value = text;
  return value;
}

double Options::Number(const std::string& name, double fallback) const {
  const std::string text = Text(name, "");
  if (text.empty()) return fallback;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || *end != '\0') {
    std::cerr << "not a number for " << name << ": " << text << std::endl;
    std::exit(2);
  }
  return value;
}
