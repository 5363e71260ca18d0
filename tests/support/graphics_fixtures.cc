#include "tests/support/graphics_fixtures.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace kinet::toolkit::testing {

namespace {

// This process's folder of test folders, removed when the tests end.
struct ProcessFolder {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("kinet-graphics-" + std::to_string(getpid()));
  ~ProcessFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

}  // namespace

std::string TestFolder() {
  static ProcessFolder process;
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::filesystem::path dir =
      process.path / (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string() + "/";
}

GraphicsCallbacks Recorder::Callbacks() {
  GraphicsCallbacks callbacks;
  callbacks.report = [this](ProgressCode code, std::string_view text) {
    calls.emplace_back(code, std::string(text));
    if (code != ProgressCode::kProgress) return true;
    return cancel_after >= 0 && static_cast<int>(calls.size()) > cancel_after;
  };
  callbacks.may_overwrite = [this](const std::string& path) {
    asked.push_back(path);
    return answer;
  };
  return callbacks;
}

std::vector<std::string> Recorder::Errors() const {
  std::vector<std::string> errors;
  for (const auto& [code, text] : calls) {
    if (code == ProgressCode::kError) errors.push_back(text);
  }
  return errors;
}

bool Recorder::Said(const std::string& text) const {
  for (const auto& call : calls) {
    if (call.second == text) return true;
  }
  return false;
}

TestFrame PatternFrame(uint32_t width, uint32_t height, uint32_t seed) {
  TestFrame f;
  f.pixels.resize(size_t{width} * height);
  uint32_t noise = seed * 2654435761u + 1;
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      uint8_t v = static_cast<uint8_t>(y < height / 2 ? 10 + x / 16 : 200);
      if (x > width / 2 && y > height / 2) {
        noise = noise * 1103515245u + 12345u;
        v = static_cast<uint8_t>(noise >> 24);
      }
      if (x / 4 == (seed * 3) % std::max(width / 4, 1u)) v = 77;
      f.pixels[size_t{y} * width + x] = v;
    }
  }
  for (int i = 0; i < 768; ++i) f.palette[i] = static_cast<uint8_t>(i * 7 + seed);
  return f;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace kinet::toolkit::testing
