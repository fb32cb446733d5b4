// An icon: one or more images of the same picture in different sizes.
#pragma once

#include <cstdint>
#include <vector>

// One image of an icon: width x height pixels, row by row from the top, 0xAARRGGBB.
struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

struct Icon {
  std::vector<IconImage> images;  // largest first
};

using HICON = const Icon*;
