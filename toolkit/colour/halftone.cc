#include "toolkit/colour/halftone.h"

#include <algorithm>
#include <array>

namespace kinet::toolkit {
namespace {

constexpr uint32_t kFound = 1u << 24;

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

// The best partner found so far on one side of A.
struct Partner {
  uint32_t index;
  double score = 0;
  bool found = false;

  // Mixing A and E in the share t = dot / len has the expected squared error
  // |c - A|^2 + t (len - 2 dot): its bias plus its spread. Any mix costs more than A alone by
  // that measure, but only a mix carries a colour between entries across an area, so the
  // partner is the entry with the least extra cost among those on the colour's side of A.
  void Consider(uint32_t entry, int64_t dot, int64_t len) {
    if (dot <= 0) return;
    const double t = std::min(1.0, double(dot) / double(len));
    const double score_here = t * (double(len) - 2.0 * double(dot));
    if (!found || score_here < score) index = entry, score = score_here, found = true;
  }
};

// Whether a pixel of colour `rgb` takes `b` rather than `a` at this threshold: when it lies
// beyond (threshold + 0.5) / 64 of the way from A to B. `toward` tells whether it lies on B's
// side at all.
bool TakesPartner(const uint8_t* rgb, const uint8_t* a, const uint8_t* b, uint32_t threshold,
                  bool& toward) {
  int32_t dot = 0, len = 0;
  for (int i = 0; i < 3; ++i) {
    const int32_t d = b[i] - a[i];
    dot += (rgb[i] - a[i]) * d;
    len += d * d;
  }
  toward = dot > 0;
  return dot * 128 > int32_t(2 * threshold + 1) * len;
}

}  // namespace

Halftone::Halftone(PaletteMap& map) : map_(map), pairs_(std::make_unique<uint32_t[]>(kKeyCount)) {}

void Halftone::Reset() { std::fill_n(pairs_.get(), kKeyCount, 0u); }

uint32_t Halftone::Partners(uint32_t key) {
  const uint32_t entry = pairs_[key];
  return entry != 0 ? entry : FindPartners(key);
}

uint32_t Halftone::FindPartners(uint32_t key) {
  const uint32_t near = map_.MapKey(key);
  const Palette& palette = map_.palette();
  const uint8_t* a = &palette[near * 3];
  // In doubled units the middle of the key's 4x4x4 colours is never exactly on an entry, so
  // it always gives a direction; the pixels of the key may lie on either side of A.
  const int32_t toward[3] = {int32_t(KeyRed(key) * 8 + 3) - 2 * a[0],
                             int32_t(KeyGreen(key) * 8 + 3) - 2 * a[1],
                             int32_t(KeyBlue(key) * 8 + 3) - 2 * a[2]};
  Partner ahead{near}, behind{near};
  for (uint32_t i = map_.start(); i < map_.start() + map_.colours(); ++i) {
    const uint8_t* e = &palette[i * 3];
    const int32_t d[3] = {2 * (e[0] - a[0]), 2 * (e[1] - a[1]), 2 * (e[2] - a[2])};
    const int64_t dot = toward[0] * d[0] + toward[1] * d[1] + toward[2] * d[2];
    const int64_t len = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    ahead.Consider(i, dot, len);
    behind.Consider(i, -dot, len);
  }
  const uint32_t partners = kFound | behind.index << 16 | ahead.index << 8 | near;
  pairs_[key] = partners;
  return partners;
}

void Halftone::MapRow(const uint8_t* rgb, uint32_t width, uint32_t y, uint8_t* out) {
  const uint8_t* thresholds = &kBayer[(y & 7) * 8];
  const Palette& palette = map_.palette();
  for (uint32_t x = 0; x < width; ++x, rgb += 3) {
    const uint32_t partners = Partners(KeyOf(rgb[0], rgb[1], rgb[2]));
    const uint32_t near = partners & 0xFF;
    out[x] = static_cast<uint8_t>(near);
    const uint8_t* a = &palette[near * 3];
    const uint32_t threshold = thresholds[x & 7];
    bool toward = false;
    for (const uint32_t partner : {(partners >> 8) & 0xFF, (partners >> 16) & 0xFF}) {
      if (partner == near) continue;
      if (TakesPartner(rgb, a, &palette[partner * 3], threshold, toward)) {
        out[x] = static_cast<uint8_t>(partner);
      }
      if (toward) break;
    }
  }
}

}  // namespace kinet::toolkit
