// The importer's scan over arbitrary bytes. Every row is its own heap block of exactly 255
// bytes, so AddressSanitizer stops any write or read outside a row, and the input is libFuzzer's
// own exactly-sized copy, so it stops any read outside the text; a scan that never ends shows
// as a time-out.
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "app/Sensors.h"
#include "fuzz/Require.h"
#include "reports/BlockScanner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::array<std::unique_ptr<std::array<BYTE, kRowLength>>, kSensorCount> rows;
  for (auto& row : rows) row = std::make_unique<std::array<BYTE, kRowLength>>();

  std::size_t blocks = 0;
  ScanSensorBlocks(std::string_view(reinterpret_cast<const char*>(data), size), [&](int sensor) -> auto& {
    Require(IsSensorNumber(sensor), "a block names a sensor 0..29");
    ++blocks;
    return *rows[static_cast<std::size_t>(sensor)];
  });

  // Each block has a sensor character and a ']' of its own, so there are at most half as many
  // blocks as bytes.
  Require(blocks <= size / 2, "no more blocks than the text can hold");
  for (const auto& row : rows) Require((*row)[0] < kRowLength, "a length fits the row: at most 254 samples");
  return 0;
}
