// Icon 128, the program's window icon: a small bench oscilloscope, a light cabinet with a
// dark screen that shows a grey grid, a green sine trace and a red square trace, with knobs,
// keys and a power lamp below the screen. Two images, 32 x 32 and 16 x 16, 16 colours.
//
// Each image is kept as rows of hexadecimal digits, one digit per pixel, naming an entry
// of the shared palette; the rows are decoded into pixels once, on first use.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "res/ResourceData.h"

namespace {

// 0xAARRGGBB; entry 0 is fully transparent.
constexpr std::array<std::uint32_t, 16> kPalette = {
    0x00000000,  // 0 transparent
    0xFF000000,  // 1 outline
    0xFF3A3A3A,  // 2 screen bezel, knob face, keys
    0xFF7C7C7C,  // 3 knob rim, key tops
    0xFFC4C4C4,  // 4 cabinet
    0xFFF4F4F4,  // 5 cabinet highlight
    0xFF0C1A12,  // 6 screen
    0xFF46544C,  // 7 grid
    0xFF30F060,  // 8 green trace, power lamp
    0xFF18803A,  // 9 lamp glow
    0xFFF04038,  // A red trace
    0xFF8A2A24,  // B spare
    0xFFE2E2E2,  // C knob mark
    0xFF7A7A7A,  // D cabinet shadow
    0xFFE8C020,  // E spare
    0xFF3868C8,  // F spare
};

// clang-format off
constexpr std::array<std::string_view, 32> kImage32 = {
    "00000000000000000000000000000000",
    "00000000000000000000000000000000",
    "00111111111111111111111111111100",
    "01155555555555555555555555555110",
    "01544444444444444444444444444D10",
    "01542222222222222222222222254D10",
    "01542666666666666766666666654D10",
    "01542666886667666766678867654D10",
    "01542668668666666766686686654D10",
    "01542688778877767776887688654D10",
    "01542686666866666766866668654D10",
    "01542886676887666768876667854D10",
    "01542866666686666768666666654D10",
    "01542676777678767786777677654D10",
    "01542666666668866886666666654D10",
    "01542666676667866866676667654D10",
    "01542666666666688766666666654D10",
    "015426767AAAA7767AAAA7767AA54D10",
    "015426666A666A666A666A666A654D10",
    "01542AAAA7666AAAA7666AAAA7654D10",
    "01542666666666666766666666654D10",
    "01544555555555555555555555554D10",
    "01544444444444444444444444444D10",
    "01544443334443334444444444444D10",
    "01544432C23432C23433433449944D10",
    "01544432223432223422422448844D10",
    "01544432223432223422422449944D10",
    "01544443334443334444444444444D10",
    "011DDDDDDDDDDDDDDDDDDDDDDDDDD110",
    "00111111111111111111111111111100",
    "00000000000000000000000000000000",
    "00000000000000000000000000000000",
};

constexpr std::array<std::string_view, 16> kImage16 = {
    "0111111111111110",
    "1155555555555511",
    "15222222222222D1",
    "15266886666662D1",
    "15268668666662D1",
    "15286666866662D1",
    "15287676867672D1",
    "15266666686662D1",
    "15266666686682D1",
    "15266666668862D1",
    "15222222222222D1",
    "15444444444444D1",
    "15422442244884D1",
    "15444444444444D1",
    "11DDDDDDDDDDDD11",
    "0111111111111110",
};
// clang-format on

template <std::size_t N>
constexpr bool EveryRowHasNDigits(const std::array<std::string_view, N>& rows) {
  for (std::string_view row : rows) {
    if (row.size() != N) return false;
  }
  return true;
}
static_assert(EveryRowHasNDigits(kImage32) && EveryRowHasNDigits(kImage16));

int PaletteIndex(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  return 0;  // anything else stays transparent
}

template <std::size_t N>
IconImage Decode(const std::array<std::string_view, N>& rows) {
  IconImage image;
  image.width = static_cast<int>(N);
  image.height = static_cast<int>(N);
  image.pixels.assign(N * N, kPalette[0]);
  for (std::size_t y = 0; y < N; ++y) {
    const std::string_view row = rows[y];
    for (std::size_t x = 0; x < N && x < row.size(); ++x) {
      image.pixels[y * N + x] = kPalette[static_cast<std::size_t>(PaletteIndex(row[x]))];
    }
  }
  return image;
}

}  // namespace

const std::vector<IconImage>& AppIconImages() {
  static const std::vector<IconImage> images = {Decode(kImage32), Decode(kImage16)};
  return images;
}
