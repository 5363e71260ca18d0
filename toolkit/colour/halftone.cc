#include "toolkit/colour/halftone.h"

#include <algorithm>
#include <array>
#include <cmath>

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

constexpr float kFar = 1e30f;

// The first entry with the least score, or `none` when every score is kFar.
uint32_t Cheapest(const std::array<float, 256>& scores, uint32_t none) {
  uint32_t best = none;
  float best_score = kFar;
  for (uint32_t i = 0; i < 256; ++i) {
    if (scores[i] < best_score) best = i, best_score = scores[i];
  }
  return best;
}

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

Halftone::Halftone(PaletteMap& map) : map_(map), pairs_(std::make_unique<uint32_t[]>(kKeyCount)) {
  Reset();
}

void Halftone::Reset() {
  std::fill_n(pairs_.get(), kKeyCount, 0u);
  const Palette& palette = map_.palette();
  for (uint32_t i = 0; i < 256; ++i) {
    red_[i] = palette[i * 3], green_[i] = palette[i * 3 + 1], blue_[i] = palette[i * 3 + 2];
    outside_[i] = i >= map_.start() && i < map_.start() + map_.colours() ? 0 : kFar;
  }
}

uint32_t Halftone::Partners(uint32_t key) {
  const uint32_t entry = pairs_[key];
  return entry != 0 ? entry : FindPartners(key);
}

uint32_t Halftone::FindPartners(uint32_t key) {
  const uint32_t near = map_.MapKey(key);
  // The middle of the key's 4x4x4 colours is never exactly on an entry, so it always gives a
  // direction; the pixels of the key may lie on either side of A.
  const float toward[3] = {KeyRed(key) * 4 + 1.5f - red_[near],
                           KeyGreen(key) * 4 + 1.5f - green_[near],
                           KeyBlue(key) * 4 + 1.5f - blue_[near]};
  // Mixing A and E in the share t = dot / len has the expected squared error
  // |c - A|^2 + t (len - 2 dot): its bias plus its spread. Any mix costs more than A alone by
  // that measure, but only a mix carries a colour between entries across an area, so each
  // side's partner is the entry there with the least extra cost. All 256 entries are scored
  // without branches (those outside the range as kFar), which the compiler vectorises.
  std::array<float, 256> ahead, behind;
  for (uint32_t i = 0; i < 256; ++i) {
    const float dr = red_[i] - red_[near], dg = green_[i] - green_[near],
                db = blue_[i] - blue_[near];
    const float dot = toward[0] * dr + toward[1] * dg + toward[2] * db;
    const float len = dr * dr + dg * dg + db * db;
    const float along = std::fabs(dot);
    // t (len - 2 dot) with t = dot / len, on the side of A that the sign of dot tells.
    const float score = along * (len - 2 * along) / (len + 1e-6f) + outside_[i];
    ahead[i] = dot > 0 ? score : kFar;
    behind[i] = dot < 0 ? score : kFar;
  }
  const uint32_t partners =
      kFound | Cheapest(behind, near) << 16 | Cheapest(ahead, near) << 8 | near;
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
