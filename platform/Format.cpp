#include "platform/Format.h"

#include <cstdarg>
#include <cstdio>

namespace {

void AppendV(std::string& text, const char* format, va_list args) {
  char small[256];
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (length < 0) return;
  if (static_cast<std::size_t>(length) < sizeof small) {
    text.append(small, static_cast<std::size_t>(length));
    return;
  }
  const std::size_t start = text.size();
  text.resize(start + static_cast<std::size_t>(length) + 1);
  std::vsnprintf(text.data() + start, static_cast<std::size_t>(length) + 1, format, args);
  text.resize(start + static_cast<std::size_t>(length));
}

}  // namespace

std::string Format(const char* format, ...) {
  std::string text;
  va_list args;
  va_start(args, format);
  AppendV(text, format, args);
  va_end(args);
  return text;
}

void AppendFormat(std::string& text, const char* format, ...) {
  va_list args;
  va_start(args, format);
  AppendV(text, format, args);
  va_end(args);
}

void MakeUpper(std::string& text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}
