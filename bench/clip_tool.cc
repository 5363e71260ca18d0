// The helper of bench/compare_formats.sh: writes the generated kinds of content as exact video
// files, and decodes a video file through the library, reporting frames per second (processor
// time, the decoding alone), PSNR in RGB against a source file and the busiest second.
//
//   kinet_clip_tool make <kind> <out.knt> <frames>      kind: grainy sprites still cartoon big
//   kinet_clip_tool decode <file.knt> <source.knt> <frames per second>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "compressor/animation_writer.h"
#include "kinet/kinet.h"
#include "tests/support/content_kinds.h"

namespace {

using kinet::testing::ContentKind;

int Make(const std::string& kind_name, const std::string& out, uint32_t frames) {
  for (ContentKind kind : kinet::testing::kAllContentKinds) {
    if (kinet::testing::NameOf(kind) != kind_name) continue;
    const auto [w, h] = kinet::testing::SizeOf(kind);
    kinet::encoder::AnimationSettings settings{w, h, -10000};  // 10 frames per second
    return kinet::encoder::WriteAnimation(kinet::platform::SystemFileSystem(), out, settings,
                                          kinet::testing::MakeContent(kind, frames)) ==
                   kinet::encoder::WriteStatus::kOk
               ? 0
               : 1;
  }
  std::fprintf(stderr, "unknown kind %s\n", kind_name.c_str());
  return 2;
}

struct Opened {
  KinetHandle* handle = nullptr;
  std::vector<uint8_t> pixels;
};

Opened Open(const std::string& path) {
  Opened o;
  o.handle = KinetOpen(path.c_str(), KINET_OPEN_PRELOAD, -1);
  if (!o.handle) return o;
  const uint32_t w = o.handle->Width, h = o.handle->Height;
  o.pixels.assign(size_t{w} * h, 0);
  KinetToBuffer(o.handle, 0, 0, static_cast<int32_t>(w), static_cast<int32_t>(h), o.pixels.data(),
                0);
  return o;
}

// Squared error in RGB of two decoded frames, each shown with its own palette.
double SquaredError(const Opened& a, const Opened& b) {
  double sum = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i)
    for (int c = 0; c < 3; ++c) {
      const double d = double(a.handle->Palette[a.pixels[i] * 3 + c]) -
                       double(b.handle->Palette[b.pixels[i] * 3 + c]);
      sum += d * d;
    }
  return sum;
}

int Decode(const std::string& path, const std::string& source_path, uint32_t fps) {
  Opened file = Open(path), source = Open(source_path);
  if (!file.handle || !source.handle || file.pixels.size() != source.pixels.size()) return 1;
  const uint32_t frames = file.handle->Frames;
  // Quality and sizes in one pass.
  double error = 0;
  std::vector<uint64_t> sizes;
  for (uint32_t f = 0; f < frames; ++f) {
    sizes.push_back(file.handle->FrameSize);
    KinetDoFrame(file.handle);
    KinetDoFrame(source.handle);
    error += SquaredError(file, source);
    KinetNextFrame(file.handle);
    KinetNextFrame(source.handle);
  }
  uint64_t busiest = 0;
  for (size_t f = 0; f + fps <= sizes.size(); ++f) {
    uint64_t second = 0;
    for (size_t i = f; i < f + fps; ++i) second += sizes[i];
    busiest = std::max(busiest, second);
  }
  const double mse = error / (3.0 * file.pixels.size() * frames);
  const double psnr = mse > 0 ? 10 * std::log10(255.0 * 255.0 / mse) : 99.0;
  // Speed: the whole file decoded again and again for at least a second of processor time.
  uint64_t decoded = 0;
  const std::clock_t start = std::clock();
  double seconds = 0;
  while (seconds < 1.0) {
    KinetGoto(file.handle, 1);
    for (uint32_t f = 0; f < frames; ++f, ++decoded) {
      KinetDoFrame(file.handle);
      KinetNextFrame(file.handle);
    }
    seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
  }
  std::printf("%.0f %.2f %llu\n", decoded / seconds, psnr,
              static_cast<unsigned long long>(busiest));
  KinetClose(file.handle);
  KinetClose(source.handle);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "make") == 0)
    return Make(argv[2], argv[3], static_cast<uint32_t>(std::stoul(argv[4])));
  if (argc == 5 && std::strcmp(argv[1], "decode") == 0)
    return Decode(argv[2], argv[3], static_cast<uint32_t>(std::stoul(argv[4])));
  std::fprintf(stderr,
               "usage: kinet_clip_tool make <kind> <out.knt> <frames>\n"
               "       kinet_clip_tool decode <file.knt> <source.knt> <frames per second>\n");
  return 2;
}
