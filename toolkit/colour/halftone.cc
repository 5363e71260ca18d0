#include "toolkit/colour/halftone.h"

#include <algorithm>
#include <array>

namespace kinet::toolkit {
namespace {

constexpr uint32_t kFound = 1u << 16;

// The 8x8 Bayer matrix, 0..63: the finest bit of the position is the most significant bit of
// the threshold, so any 2x2, 4x4 or 8x8 cell holds evenly spread thresholds.
constexpr std::array<uint8_t, 64> MakeBayer() {
  std::array<uint8_t, 64> m{};
  for (uint32_t y = 0; y < 8; ++y) {
    for (uint32_t x = 0; x < 8; ++x) {
      uint32_t v = 0;
      for (uint32_t bit = 0; bit < 3; ++bit) {
        const uint32_t xy = ((x ^ y) >> bit) & 1, yb = (y >> bit) & 1;
        v = v << 2 | xy << 1 | yb;
      }
      m[y * 8 + x] = static_cast<uint8_t>(v);
    }
  }
  return m;
}
constexpr std::array<uint8_t, 64> kBayer = MakeBayer();

}  // namespace

Halftone::Halftone(PaletteMap& map) : map_(map), pairs_(std::make_unique<uint32_t[]>(kKeyCount)) {}

void Halftone::Reset() { std::fill_n(pairs_.get(), kKeyCount, 0u); }

uint16_t Halftone::Pair(uint32_t key) {
  const uint32_t entry = pairs_[key];
  return entry != 0 ? static_cast<uint16_t>(entry) : FindPair(key);
}

uint16_t Halftone::FindPair(uint32_t key) {
  const uint32_t near = map_.MapKey(key);
  const Palette& palette = map_.palette();
  const int32_t c[3] = {static_cast<int32_t>(Widen(KeyRed(key))),
                        static_cast<int32_t>(Widen(KeyGreen(key))),
                        static_cast<int32_t>(Widen(KeyBlue(key)))};
  const uint8_t* a = &palette[near * 3];
  const int32_t to_c[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
  // Mixing A and B in the share t = dot / len gives an expected squared error of
  // |c - A|^2 - 2 t dot + t len: the partner with the least t (len - 2 dot) wins.
  uint32_t partner = near;
  double best = 0;
  for (uint32_t i = map_.start(); i < map_.start() + map_.colours(); ++i) {
    const uint8_t* b = &palette[i * 3];
    const int32_t d[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const int32_t dot = to_c[0] * d[0] + to_c[1] * d[1] + to_c[2] * d[2];
    if (dot <= 0) continue;
    const int32_t len = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    const double t = std::min(1.0, double(dot) / len);
    const double score = t * (len - 2.0 * dot);
    if (score < best) {
      best = score;
      partner = i;
    }
  }
  const uint32_t pair = kFound | partner << 8 | near;
  pairs_[key] = pair;
  return static_cast<uint16_t>(pair);
}

void Halftone::MapRow(const uint8_t* rgb, uint32_t width, uint32_t y, uint8_t* out) {
  const uint8_t* thresholds = &kBayer[(y & 7) * 8];
  const Palette& palette = map_.palette();
  for (uint32_t x = 0; x < width; ++x, rgb += 3) {
    const uint16_t pair = Pair(KeyOf(rgb[0], rgb[1], rgb[2]));
    const uint32_t near = pair & 0xFF, partner = pair >> 8;
    out[x] = static_cast<uint8_t>(near);
    if (partner == near) continue;
    const uint8_t* a = &palette[near * 3];
    const uint8_t* b = &palette[partner * 3];
    int32_t dot = 0, len = 0;
    for (int i = 0; i < 3; ++i) {
      const int32_t d = b[i] - a[i];
      dot += (rgb[i] - a[i]) * d;
      len += d * d;
    }
    // B where dot / len > (threshold + 0.5) / 64.
    if (dot * 128 > (2 * thresholds[x & 7] + 1) * len) out[x] = static_cast<uint8_t>(partner);
  }
}

}  // namespace kinet::toolkit
