#include "frontend/core/view_picture.h"

#include <algorithm>
#include <vector>

#include "platform/files/input_file.h"
#include "platform/images/codecs.h"

namespace kinet::desk {
namespace {

// The largest picture file read: room for the largest picture the decoders accept.
constexpr size_t kMaxPictureBytes = size_t{1} << 28;

struct Colour {
  uint32_t rgb;  // red << 16 | green << 8 | blue
  uint32_t count;
  int Channel(int c) const { return static_cast<int>(rgb >> (16 - 8 * c) & 255); }
};

// A run of colours of the median cut and the channel it spreads most along.
struct Box {
  size_t begin, end;
  int channel = 0, range = 0;
};

Box Measure(const std::vector<Colour>& colours, size_t begin, size_t end) {
  int low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
  for (size_t i = begin; i < end; ++i) {
    for (int c = 0; c < 3; ++c) {
      low[c] = std::min(low[c], colours[i].Channel(c));
      high[c] = std::max(high[c], colours[i].Channel(c));
    }
  }
  Box box{begin, end};
  for (int c = 0; c < 3; ++c) {
    if (high[c] - low[c] > box.range) box = {begin, end, c, high[c] - low[c]};
  }
  return box;
}

// Splits `box` at the median of its pixels along its widest channel.
std::pair<Box, Box> Split(std::vector<Colour>& colours, const Box& box) {
  const auto first = colours.begin() + static_cast<ptrdiff_t>(box.begin);
  const auto last = colours.begin() + static_cast<ptrdiff_t>(box.end);
  std::sort(first, last, [&](const Colour& a, const Colour& b) {
    return a.Channel(box.channel) < b.Channel(box.channel);
  });
  uint64_t total = 0;
  for (auto it = first; it != last; ++it) total += it->count;
  uint64_t below = 0;
  size_t at = box.begin;
  while (at + 1 < box.end && (below += colours[at].count) * 2 < total) ++at;
  at = std::clamp(at + 1, box.begin + 1, box.end - 1);
  return {Measure(colours, box.begin, at), Measure(colours, at, box.end)};
}

}  // namespace

std::optional<platform::Image> LoadViewPicture(platform::FileSystem& files, const std::string& path,
                                               const PictureDecoder& decode) {
  const std::optional<std::string> bytes = platform::ReadWholeFile(files, path, kMaxPictureBytes);
  if (!bytes) return std::nullopt;
  const std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes->data()),
                                      bytes->size());
  for (const platform::ImageFormat format : kViewOrder) {
    if (std::optional<platform::Image> picture = decode(format, data)) return picture;
  }
  return std::nullopt;
}

platform::Image ShownPicture(const platform::Image& picture, int display_bits) {
  if (picture.bits == 8) return picture;
  if (display_bits <= 8) return ReducedColours(picture);
  platform::Image shown;
  shown.width = picture.width;
  shown.height = picture.height;
  shown.bits = 24;
  shown.pixels = platform::codecs::ToRgb(picture);
  return shown;
}

platform::Image ReducedColours(const platform::Image& picture) {
  const std::vector<uint8_t> rgb = platform::codecs::ToRgb(picture);
  const size_t count = rgb.size() / 3;
  std::vector<uint32_t> packed(count);
  for (size_t i = 0; i < count; ++i)
    packed[i] = uint32_t{rgb[3 * i]} << 16 | uint32_t{rgb[3 * i + 1]} << 8 | rgb[3 * i + 2];

  std::vector<uint32_t> sorted = packed;
  std::sort(sorted.begin(), sorted.end());
  std::vector<Colour> colours;
  for (const uint32_t c : sorted) {
    if (colours.empty() || colours.back().rgb != c) colours.push_back({c, 0});
    colours.back().count++;
  }

  std::vector<Box> boxes;
  if (!colours.empty()) boxes.push_back(Measure(colours, 0, colours.size()));
  while (boxes.size() < static_cast<size_t>(kReducedColours)) {
    const auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
      return a.range < b.range;
    });
    if (widest == boxes.end() || widest->range == 0) break;  // every box holds one colour
    const auto [low, high] = Split(colours, *widest);
    *widest = low;
    boxes.push_back(high);
  }

  platform::Image reduced;
  reduced.width = picture.width;
  reduced.height = picture.height;
  reduced.bits = 8;
  reduced.pixels.resize(count);
  std::vector<std::pair<uint32_t, uint8_t>> index_of;
  index_of.reserve(colours.size());
  for (size_t k = 0; k < boxes.size(); ++k) {
    uint64_t sum[3] = {0, 0, 0}, weight = 0;
    for (size_t i = boxes[k].begin; i < boxes[k].end; ++i) {
      for (int c = 0; c < 3; ++c) sum[c] += uint64_t{colours[i].count} * colours[i].Channel(c);
      weight += colours[i].count;
      index_of.emplace_back(colours[i].rgb, static_cast<uint8_t>(k));
    }
    for (int c = 0; c < 3; ++c)
      reduced.palette[3 * k + c] = static_cast<uint8_t>((sum[c] + weight / 2) / weight);
  }
  std::sort(index_of.begin(), index_of.end());
  for (size_t i = 0; i < count; ++i) {
    reduced.pixels[i] = std::lower_bound(index_of.begin(), index_of.end(),
                                         std::pair<uint32_t, uint8_t>{packed[i], 0})
                            ->second;
  }
  return reduced;
}

}  // namespace kinet::desk
