// The texts of the boxes that report a file the program could not write or read.
#pragma once

#include <string>

inline std::string CannotWriteText(const std::string& path, const std::string& reason) {
  return "Cannot write \"" + path + "\": " + reason;
}

inline std::string CannotReadText(const std::string& path, const std::string& reason) {
  return "Cannot read \"" + path + "\": " + reason;
}
