// The fields of "config.ini" and the numbers in them: pure text handling, with no dialog.
#include <algorithm>
#include <cctype>
#include <climits>

#include "serial/ConfigFile.h"

std::array<std::string, 4> SplitConfigFields(std::string_view text) {
  std::array<std::string, 4> fields;
  std::array<bool, 4> ended{};
  std::size_t field = 0;
  for (char c : text) {
    if (c == ';') {
      if (++field == fields.size()) break;
      continue;
    }
    if (c == '\0') ended[field] = true;
    if (!ended[field] && fields[field].size() < kConfigFieldLength) fields[field] += c;
  }
  return fields;
}

int TextToNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL + INT_MAX);
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}
