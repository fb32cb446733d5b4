// "config.ini": port, baud rate, Start and End as four ";"-terminated fields.
#pragma once

#include <array>
#include <string>
#include <string_view>

constexpr const char* kConfigFileName = "config.ini";

// A field holds at most this many characters; the rest of a longer field is dropped.
constexpr std::size_t kConfigFieldLength = 9;

// The first four fields of the file's text. Bytes after the fourth ";" are ignored, and a field
// ends at its first NUL byte.
std::array<std::string, 4> SplitConfigFields(std::string_view text);

// The number at the start of a text: blanks skipped, an optional sign, the decimal digits that
// follow; no digits give 0. Values beyond int saturate.
int TextToNumber(std::string_view text);
