#include "reports/BlockScanner.h"

#include <algorithm>
#include <optional>

#include "app/Sensors.h"

BYTE HexDigitValue(char c) {
  const int code = static_cast<unsigned char>(c);
  return static_cast<BYTE>(c >= '0' && c <= '9' ? code - 48 : code - 55);
}

namespace {

class Scan {
 public:
  explicit Scan(std::string_view text) : text_(text) {}

  std::optional<std::size_t> Find(char c, std::size_t from) const {
    const std::size_t at = from < text_.size() ? text_.find(c, from) : std::string_view::npos;
    return at == std::string_view::npos ? std::nullopt : std::optional(at);
  }

  // The two-digit value of the two characters just before `at`. A character that would lie
  // before the text's start counts as a '0'.
  BYTE ValueBefore(std::size_t at) const {
    const char high = at >= 2 ? text_[at - 2] : '0';
    const char low = at >= 1 ? text_[at - 1] : '0';
    return Value(high, low);
  }

  // The value of the two characters after the first "0X" at or after `from`.
  std::optional<BYTE> ValueAfterPrefix(std::size_t from) const {
    const std::size_t prefix = from < text_.size() ? text_.find("0X", from) : std::string_view::npos;
    if (prefix == std::string_view::npos || prefix + 3 >= text_.size()) return std::nullopt;
    return Value(text_[prefix + 2], text_[prefix + 3]);
  }

  char At(std::size_t at) const { return text_[at]; }
  std::size_t Size() const { return text_.size(); }

 private:
  static BYTE Value(char high, char low) {
    return static_cast<BYTE>(static_cast<BYTE>(HexDigitValue(high) * 16) | HexDigitValue(low));
  }

  std::string_view text_;
};

}  // namespace

void ScanSensorBlocks(std::string_view text, const std::function<std::array<BYTE, 255>&(int)>& begin) {
  const Scan scan(text);
  std::size_t p = 0;
  while (p < scan.Size()) {
    const auto close = scan.Find(']', p);
    if (!close || *close == 0) return;
    const int s = SensorFromChar(scan.At(*close - 1));
    if (!IsSensorNumber(s)) return;
    std::array<BYTE, 255>& row = begin(s);

    const auto comma1 = scan.Find(',', *close);
    if (!comma1) return;
    const auto comma2 = scan.Find(',', *comma1 + 1);
    if (!comma2) return;
    const int length = static_cast<BYTE>(scan.ValueBefore(*comma2) - scan.ValueBefore(*comma1));
    const int n = std::min(length, kRowLength - 1);
    row[0] = static_cast<BYTE>(n);

    // Commas 3 to 6 are the sum line's; with no samples only 3 to 5 are passed.
    std::size_t comma = *comma2;
    for (int c = 3; c <= (n == 0 ? 5 : 6); ++c) {
      const auto next = scan.Find(',', comma + 1);
      if (!next) return;
      comma = *next;
    }
    // Samples 1..n-1 stand before commas 7..5+n; the last follows comma 5+n in its own token.
    for (int k = 1; k < n; ++k) {
      const auto next = scan.Find(',', comma + 1);
      if (!next) return;
      comma = *next;
      row[static_cast<std::size_t>(k)] = scan.ValueBefore(comma);
    }
    if (n >= 1) {
      const auto last = scan.ValueAfterPrefix(comma + 1);
      if (!last) return;
      row[static_cast<std::size_t>(n)] = *last;
    }
    p = comma;
  }
}
