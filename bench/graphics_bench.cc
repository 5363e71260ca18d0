// Graphics input and output: frames per second writing and reading a 640x480 flic (a moving
// picture, so the writer chooses deltas), and decoding one 640x480 JPEG and PNG picture.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/input_file.h"
#include "platform/images/image.h"
#include "toolkit/graphics/flic_reader.h"
#include "toolkit/graphics/flic_writer.h"

namespace {

using namespace kinet;

constexpr uint32_t kWidth = 640, kHeight = 480, kFrames = 30;

// Frame `f`: bands and a gradient with a square that moves across it.
std::vector<uint8_t> MovingFrame(uint32_t f) {
  std::vector<uint8_t> pixels(size_t{kWidth} * kHeight);
  for (uint32_t y = 0; y < kHeight; ++y) {
    for (uint32_t x = 0; x < kWidth; ++x) {
      const bool square = x - f * 8 < 96 && y - 100 < 96;
      pixels[size_t{y} * kWidth + x] = static_cast<uint8_t>(square ? 250 : (x / 5 + y / 40) & 0xFF);
    }
  }
  return pixels;
}

std::array<uint8_t, 768> Palette() {
  std::array<uint8_t, 768> palette;
  for (int i = 0; i < 768; ++i) palette[i] = static_cast<uint8_t>(i * 5);
  return palette;
}

std::string FlicPath() {
  return (std::filesystem::temp_directory_path() / "kinet-bench.flc").string();
}

void WriteFlic(const std::vector<std::vector<uint8_t>>& frames) {
  const auto palette = Palette();
  auto writer =
      toolkit::FlicWriter::Create(platform::SystemFileSystem(), FlicPath(), kWidth, kHeight, 40);
  for (const auto& f : frames) {
    if (!writer->WriteFrame(palette.data(), f.data())) std::abort();
  }
  if (!writer->Close()) std::abort();
}

void BM_FlicWrite(benchmark::State& state) {
  std::vector<std::vector<uint8_t>> frames;
  for (uint32_t f = 0; f < kFrames; ++f) frames.push_back(MovingFrame(f));
  for (auto _ : state) WriteFlic(frames);
  state.SetItemsProcessed(state.iterations() * kFrames);
  state.SetLabel("frames");
}
BENCHMARK(BM_FlicWrite)->Unit(benchmark::kMillisecond);

void BM_FlicRead(benchmark::State& state) {
  std::vector<std::vector<uint8_t>> frames;
  for (uint32_t f = 0; f < kFrames; ++f) frames.push_back(MovingFrame(f));
  WriteFlic(frames);
  platform::Image frame;
  for (auto _ : state) {
    platform::InputFile file;
    if (!file.Open(platform::SystemFileSystem(), FlicPath())) std::abort();
    auto reader = toolkit::FlicReader::Open(std::move(file));
    for (uint32_t f = 0; f < kFrames; ++f) benchmark::DoNotOptimize(reader->Read(frame));
  }
  state.SetItemsProcessed(state.iterations() * kFrames);
  state.SetLabel("frames");
}
BENCHMARK(BM_FlicRead)->Unit(benchmark::kMillisecond);

void BM_DecodePicture(benchmark::State& state, platform::ImageFormat format) {
  platform::Image picture;
  picture.width = kWidth, picture.height = kHeight, picture.bits = 24;
  if (!picture.Allocate()) std::abort();
  const auto indices = MovingFrame(7);
  for (size_t i = 0; i < indices.size(); ++i) {
    picture.pixels[3 * i] = indices[i];
    picture.pixels[3 * i + 1] = static_cast<uint8_t>(indices[i] * 3);
    picture.pixels[3 * i + 2] = static_cast<uint8_t>(i / kWidth);
  }
  std::vector<uint8_t> bytes;
  if (!platform::EncodeImage(format, picture, bytes)) std::abort();
  for (auto _ : state) benchmark::DoNotOptimize(platform::DecodeImage(format, bytes));
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("frames");
}
BENCHMARK_CAPTURE(BM_DecodePicture, jpeg, platform::ImageFormat::kJpeg)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DecodePicture, png, platform::ImageFormat::kPng)
    ->Unit(benchmark::kMillisecond);

}  // namespace
