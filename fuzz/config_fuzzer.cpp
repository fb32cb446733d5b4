// Splitting "config.ini" into fields and reading numbers from them, over arbitrary bytes.
// UndefinedBehaviorSanitizer catches an overflow in the number conversion; the checks below
// hold for every input.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/Require.h"
#include "serial/ConfigFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto fields = SplitConfigFields(text);
  for (const std::string& field : fields) {
    // A field is at most 9 characters and holds neither its terminator nor a NUL.
    Require(field.size() <= kConfigFieldLength, "a field holds at most 9 characters");
    Require(field.find(';') == std::string::npos, "a field holds no ';'");
    Require(field.find('\0') == std::string::npos, "a field holds no NUL");
    // A field's value, written out and read back, is the same value.
    const int value = TextToNumber(field);
    Require(TextToNumber(std::to_string(value)) == value, "a field's number reads back");
  }
  // The first field is the text up to its first ';' (or NUL), cut to 9 characters.
  const std::string_view head = text.substr(0, std::min(text.find(';'), text.find('\0')));
  Require(fields[0] == head.substr(0, kConfigFieldLength), "the first field is the text up to its end");

  const int whole = TextToNumber(text);
  Require(TextToNumber(std::to_string(whole)) == whole, "the whole text's number reads back");
  return 0;
}
