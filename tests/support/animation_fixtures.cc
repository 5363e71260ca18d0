#include "tests/support/animation_fixtures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "lib/core/palette_record.h"
#include "platform/files/memory_file_system.h"
#include "tools/kntsample/sample_animation.h"

namespace kinet::testing {

std::vector<encoder::AnimationFrame> SpriteAnimation(uint32_t width, uint32_t height,
                                                     uint32_t frames,
                                                     uint32_t palette_change_frame) {
  std::vector<encoder::AnimationFrame> out(frames);
  uint32_t seed = 12345;
  auto noise = [&seed] {
    seed = seed * 1103515245 + 12345;
    return static_cast<uint8_t>(seed >> 16);
  };
  std::vector<uint8_t> background(size_t{width} * height);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      uint8_t& p = background[size_t{y} * width + x];
      if (x < width / 3)
        p = 10;  // solid
      else if (x < 2 * width / 3)
        p = ((x + y) / 2) % 2 ? 20 : 21;  // two colours
      else
        p = noise();  // full blocks
    }
  }
  for (uint32_t f = 0; f < frames; ++f) {
    encoder::AnimationFrame& frame = out[f];
    frame.pixels = background;
    // An 8x8 sprite moving right and down; it covers block edges as it moves.
    const uint32_t sx = (f * 5) % (width > 8 ? width - 8 : 1),
                   sy = (f * 3) % (height > 8 ? height - 8 : 1);
    for (uint32_t y = sy; y < std::min(height, sy + 8); ++y)
      for (uint32_t x = sx; x < std::min(width, sx + 8); ++x)
        frame.pixels[size_t{y} * width + x] = static_cast<uint8_t>(200 + (x + y) % 3);
    const bool changed = palette_change_frame && f >= palette_change_frame;
    for (int i = 0; i < 256; ++i) {
      frame.palette[3 * i] = static_cast<uint8_t>(i);
      frame.palette[3 * i + 1] = static_cast<uint8_t>(changed ? 255 - i : i / 2);
      frame.palette[3 * i + 2] = static_cast<uint8_t>((i * 7) & 0xFF);
    }
  }
  return out;
}

std::string TempPath(const std::string& name) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "kinet-tests" /
                              (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

std::string WriteTestFile(const std::string& name, const encoder::AnimationSettings& settings,
                          const std::vector<encoder::AnimationFrame>& frames) {
  std::string path = TempPath(name);
  EXPECT_EQ(encoder::WriteAnimation(platform::SystemFileSystem(), path, settings, frames),
            encoder::WriteStatus::kOk);
  return path;
}

std::string BouncingBallFile(uint32_t width, uint32_t height, uint32_t frames) {
  encoder::AnimationSettings settings;
  settings.width = width;
  settings.height = height;
  settings.frame_rate = 66;
  platform::MemoryFileSystem files;
  EXPECT_EQ(encoder::WriteAnimation(files, "/ball.knt", settings,
                                    sample::BouncingBall(width, height, frames)),
            encoder::WriteStatus::kOk);
  const std::string* bytes = files.Content("/ball.knt");
  return bytes ? *bytes : std::string();
}

std::array<uint8_t, 768> ShownPalette(const std::array<uint8_t, 768>& palette) {
  std::array<uint8_t, 768> shown;
  for (int i = 0; i < 768; ++i) shown[i] = WidenComponent(palette[i] >> 2);
  return shown;
}

std::vector<uint8_t> DecodeCurrent(KinetHandle* h, std::vector<uint8_t>& buffer) {
  KinetDoFrame(h);
  return buffer;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace kinet::testing
