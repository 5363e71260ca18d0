#include "tools/kntthumb/thumbnail.h"

#include <algorithm>
#include <charconv>

#include "lib/playback/open_input.h"
#include "platform/files/input_file.h"

namespace kinet::thumb {

const std::string_view kUsage =
    "Usage: kntthumb [-s size] [-f frame] file.knt picture.png\n"
    "  -s size   the longer side of the picture at most, in pixels (default 128)\n"
    "  -f frame  the frame to show, counted from 1 (default 1; past the end, the last)\n";

namespace {

constexpr uint32_t kMaxSize = 4096;

std::optional<uint32_t> Number(std::string_view text, uint32_t low, uint32_t high) {
  uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
    return std::nullopt;
  return value;
}

}  // namespace

std::optional<ThumbSettings> ReadThumbSettings(std::span<const std::string> words) {
  ThumbSettings s;
  std::vector<std::string> names;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w.size() < 2 || w[0] != '-' || (w[1] != 's' && w[1] != 'f')) {
      names.push_back(w);
      continue;
    }
    // The value is the rest of the word, or the next word.
    std::string_view value = std::string_view(w).substr(2);
    if (value.empty()) {
      if (++i == words.size()) return std::nullopt;
      value = words[i];
    }
    const auto n = w[1] == 's' ? Number(value, 1, kMaxSize) : Number(value, 1, UINT32_MAX);
    if (!n) return std::nullopt;
    (w[1] == 's' ? s.size : s.frame) = *n;
  }
  if (names.size() != 2 || names[0].empty() || names[1].empty()) return std::nullopt;
  s.input = names[0];
  s.output = names[1];
  return s;
}

Sides ThumbSides(uint32_t width, uint32_t height, uint32_t size) {
  const uint32_t longer = std::max(width, height);
  if (longer <= size) return {width, height};
  const auto side = [&](uint32_t n) {
    return std::max<uint32_t>(1, static_cast<uint32_t>((uint64_t{n} * size + longer / 2) / longer));
  };
  return {side(width), side(height)};
}

platform::Image ScalePicture(const std::vector<uint8_t>& pixels, uint32_t width, uint32_t height,
                             const std::array<uint8_t, 768>& palette, Sides to) {
  platform::Image out;
  out.width = to.width;
  out.height = to.height;
  out.bits = 24;
  if (!out.Allocate()) return out;
  uint8_t* dest = out.pixels.data();
  for (uint32_t oy = 0; oy < to.height; ++oy) {
    const uint32_t y0 = static_cast<uint32_t>(uint64_t{oy} * height / to.height);
    const uint32_t y1 = std::max(y0 + 1, static_cast<uint32_t>(uint64_t{oy + 1} * height / to.height));
    for (uint32_t ox = 0; ox < to.width; ++ox) {
      const uint32_t x0 = static_cast<uint32_t>(uint64_t{ox} * width / to.width);
      const uint32_t x1 = std::max(x0 + 1, static_cast<uint32_t>(uint64_t{ox + 1} * width / to.width));
      uint64_t sum[3] = {0, 0, 0};
      for (uint32_t y = y0; y < y1; ++y)
        for (uint32_t x = x0; x < x1; ++x)
          for (int c = 0; c < 3; ++c) sum[c] += palette[3 * pixels[size_t{y} * width + x] + c];
      const uint64_t count = uint64_t{y1 - y0} * (x1 - x0);
      for (int c = 0; c < 3; ++c) *dest++ = static_cast<uint8_t>((sum[c] + count / 2) / count);
    }
  }
  return out;
}

std::string MakeThumbnail(platform::FileSystem& files, const ThumbSettings& settings) {
  platform::InputFile file;
  // Every frame up to the chosen one is decoded: a frame holds only what changed.
  KinetHandle* h = file.Open(files, settings.input)
                       ? OpenInputFile(std::move(file), KINET_OPEN_NO_SKIP, -1)
                       : nullptr;
  if (!h) return settings.input + " cannot be opened as a video file";
  std::vector<uint8_t> picture(size_t{h->Width} * h->Height);
  KinetToBuffer(h, 0, 0, static_cast<int32_t>(h->Width), static_cast<int32_t>(h->Height),
                picture.data(), 0);
  const uint32_t last = std::min(settings.frame, h->Frames);
  for (uint32_t frame = 1; frame <= last && !h->ReadError; ++frame) {
    KinetDoFrame(h);
    if (frame < last) KinetNextFrame(h);
  }
  std::array<uint8_t, 768> palette;
  std::copy(h->Palette, h->Palette + 768, palette.begin());
  const uint32_t width = h->Width, height = h->Height;
  const bool cut = h->ReadError != 0;
  KinetClose(h);
  if (cut) return settings.input + " ends before frame " + std::to_string(last);
  const platform::Image image = ScalePicture(picture, width, height, palette,
                                             ThumbSides(width, height, settings.size));
  if (!platform::WriteImageFile(files, platform::ImageFormat::kPng, settings.output, image))
    return "cannot write " + settings.output;
  return "";
}

}  // namespace kinet::thumb
