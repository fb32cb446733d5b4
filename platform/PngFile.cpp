#include "platform/PngFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <png.h>

#include "platform/Surface.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool WritePng(const Surface& surface, const std::string& path, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return fail(std::strerror(errno));

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return fail("out of memory");
  }
  // libpng reports its errors by jumping back here.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return fail("cannot write the picture");
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(surface.Width()), static_cast<png_uint_32>(surface.Height()), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<std::size_t>(surface.Width()) * 3);
  for (int y = 0; y < surface.Height(); ++y) {
    const std::uint32_t* pixels = surface.Data() + static_cast<std::size_t>(y) * surface.Width();
    for (int x = 0; x < surface.Width(); ++x) {
      row[static_cast<std::size_t>(x) * 3 + 0] = static_cast<png_byte>(pixels[x] >> 16);
      row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<png_byte>(pixels[x] >> 8);
      row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<png_byte>(pixels[x]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fflush(file.get()) != 0) return fail(std::strerror(errno));
  return true;
}
