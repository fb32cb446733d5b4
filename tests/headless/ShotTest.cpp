// `shot` writes the window's picture: a frame from the simulated device, drawn in the plot.
#include <png.h>

#include <cstdio>
#include <memory>

#include "display/PlotGeometry.h"
#include "sim/SimDevice.h"
#include "support/HeadlessRun.h"

namespace {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xRRGGBB
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

Picture ReadPng(const std::string& path) {
  Picture picture;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return picture;
  image.format = PNG_FORMAT_BGRA;
  std::vector<std::uint32_t> buffer(PNG_IMAGE_SIZE(image) / 4);
  if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr)) return picture;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  for (std::uint32_t& pixel : buffer) pixel &= 0xFFFFFF;
  picture.pixels = std::move(buffer);
  return picture;
}

TEST_F(HeadlessRun, ShotShowsTheReceivedFrameInThePlot) {
  SimOptions options;
  options.frameLength = 20;
  std::string error;
  auto device = SimDevice::Start(options, &error);
  ASSERT_NE(device, nullptr) << error;
  WriteConfig("1;115200;0;250;");
  const Outcome run = RunScript("click 1012\nwait 500\nshot plot.png\n", {"--port", "COM1=" + device->DevicePath()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");

  const Picture picture = ReadPng((work_ / "plot.png").string());
  ASSERT_EQ(picture.width, 761);
  ASSERT_EQ(picture.height, 548);
  // The plot is (251, 26)-(626, 472): 375 x 446 pixels.
  const float scaleX = PositionScale(375), scaleY = LevelScale(446);
  auto x = [&](int i) { return 251 + static_cast<int>(i * static_cast<double>(scaleX)); };
  auto y = [&](int v) { return 472 - static_cast<int>(v * static_cast<double>(scaleY)); };
  EXPECT_EQ(picture.At(x(10) + 1, y(10) + 1), 0x000000u) << "black background";
  EXPECT_EQ(picture.At(x(100), y(100)), 0x646464u) << "grey grid";
  EXPECT_EQ(picture.At(240, 100), 0xF0F0F0u) << "dialog background outside the plot";
  const auto frame = device->FrameFor(2, 0);
  for (int i = 0; i < 19; ++i) EXPECT_EQ(picture.At(x(i), y(frame[static_cast<std::size_t>(i) + 1])), 0xFF0000u) << i;
}

}  // namespace
