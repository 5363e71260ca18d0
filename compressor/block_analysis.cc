#include "compressor/block_analysis.h"

#include <algorithm>

#include "compressor/block_codes.h"

namespace kinet::encoder {

namespace {

// The distinct colours of a block with their pixel counts, in order of first appearance.
struct Colours {
  uint8_t colour[16];
  uint8_t count[16];
  int n = 0;
};

Colours CountColours(const uint8_t pixels[16]) {
  Colours c;
  for (int i = 0; i < 16; ++i) {
    int k = 0;
    while (k < c.n && c.colour[k] != pixels[i]) ++k;
    if (k == c.n) {
      c.colour[c.n] = pixels[i];
      c.count[c.n++] = 0;
    }
    ++c.count[k];
  }
  return c;
}

struct Representative {
  uint32_t error = kImpossibleError;
  uint8_t colour = 0;
};

// The entry of the range nearest to a group of colours (count-weighted); the lowest on ties.
// `members` lists indices into `c`. The sums of 16 entries at a time stay in registers while
// every colour's distances are added in.
Representative BestEntry(const Colours& c, const uint8_t* members, int n, const ColourDistances& d,
                         PaletteRange range) {
  Representative best;
  if (n == 0 || range.count == 0) return best;
  const uint32_t* rows[16];
  uint32_t weights[16];
  for (int k = 0; k < n; ++k) {
    rows[k] = d.Row(c.colour[members[k]]);
    weights[k] = c.count[members[k]];
  }
  const uint32_t end = std::min<uint32_t>(256, range.first + range.count);
  for (uint32_t j0 = range.first; j0 < end; j0 += 16) {
    const uint32_t lanes = std::min<uint32_t>(16, end - j0);
    uint32_t sums[16] = {};
    if (lanes == 16) {
      for (int k = 0; k < n; ++k) {
        const uint32_t* row = rows[k] + j0;
        const uint32_t w = weights[k];
        for (int l = 0; l < 16; ++l) sums[l] += w * row[l];
      }
    } else {
      for (int k = 0; k < n; ++k)
        for (uint32_t l = 0; l < lanes; ++l) sums[l] += weights[k] * rows[k][j0 + l];
    }
    for (uint32_t l = 0; l < lanes; ++l) {
      if (sums[l] < best.error) {
        best.error = sums[l];
        best.colour = static_cast<uint8_t>(j0 + l);
      }
    }
  }
  return best;
}

// Maps every pixel to the nearer of A and B (B on a tie) and sums the distances. The word is
// normalised so that the last pixel selects A; a mask of 0 would be a fill, not a pair.
void FinishPair(const uint8_t pixels[16], uint8_t a, uint8_t b, const ColourDistances& d,
                BlockChoice& out) {
  uint32_t mask = 0, error = 0;
  for (int i = 0; i < 16; ++i) {
    const uint32_t da = d(pixels[i], a), db = d(pixels[i], b);
    if (db <= da) mask |= 1u << i;
    error += std::min(da, db);
  }
  if (mask & 0x8000) {
    mask = ~mask & 0xFFFF;
    std::swap(a, b);
  }
  if (mask == 0) return;
  out.two_error = error;
  out.two_word = TwoColourWord(a, b, static_cast<uint16_t>(mask));
}

// The two representatives of a grouping (`bright[k]` puts colour k in the bright group).
struct Pair {
  uint32_t error = kImpossibleError;
  uint8_t dark = 0, bright = 0;
};

Pair PairOf(const Colours& c, const bool* bright, const ColourDistances& d, PaletteRange range) {
  uint8_t dark_members[16], bright_members[16];
  int nd = 0, nb = 0;
  for (int k = 0; k < c.n; ++k) {
    if (bright[k])
      bright_members[nb++] = static_cast<uint8_t>(k);
    else
      dark_members[nd++] = static_cast<uint8_t>(k);
  }
  Pair pair;
  if (nd == 0 || nb == 0) return pair;
  const Representative rd = BestEntry(c, dark_members, nd, d, range);
  const Representative rb = BestEntry(c, bright_members, nb, d, range);
  if (rd.error == kImpossibleError || rb.error == kImpossibleError) return pair;
  return {rd.error + rb.error, rd.colour, rb.colour};
}

// More than two colours: the seeds are the two most distant colours (the first such pair);
// the groupings by nearness to the seeds and by brightness are both tried.
Pair ChoosePair(const Colours& c, const ColourDistances& d, PaletteRange range) {
  int s0 = 0, s1 = 1;
  uint32_t widest = 0;
  for (int i = 0; i < c.n; ++i)
    for (int j = i + 1; j < c.n; ++j) {
      const uint32_t dist = d(c.colour[i], c.colour[j]);
      if (dist > widest) {
        widest = dist;
        s0 = i;
        s1 = j;
      }
    }
  const bool s1_darker = d.Brightness(c.colour[s1]) < d.Brightness(c.colour[s0]);
  const uint8_t dark_seed = c.colour[s1_darker ? s1 : s0];
  const uint8_t bright_seed = c.colour[s1_darker ? s0 : s1];

  bool by_nearness[16] = {}, by_brightness[16] = {};
  uint32_t weighted = 0;
  for (int k = 0; k < c.n; ++k) weighted += c.count[k] * d.Brightness(c.colour[k]);
  for (int k = 0; k < c.n; ++k) {
    by_nearness[k] = d(c.colour[k], bright_seed) < d(c.colour[k], dark_seed);
    by_brightness[k] = 16 * d.Brightness(c.colour[k]) > weighted;  // above the block's average
  }
  const Pair nearness = PairOf(c, by_nearness, d, range);
  // The groupings often agree; the same groups give the same pair.
  if (std::equal(by_nearness, by_nearness + c.n, by_brightness)) return nearness;
  const Pair brightness = PairOf(c, by_brightness, d, range);
  return brightness.error < nearness.error ? brightness : nearness;
}

}  // namespace

BlockChoice AnalyseBlock(const uint8_t pixels[16], const ColourDistances& d, PaletteRange range) {
  BlockChoice out;
  const Colours c = CountColours(pixels);
  if (c.n == 1) {
    out.fill_error = 0;
    out.fill_colour = c.colour[0];
    return out;
  }
  uint8_t all[16] = {};
  for (int k = 0; k < c.n; ++k) all[k] = static_cast<uint8_t>(k);
  const Representative fill = BestEntry(c, all, c.n, d, range);
  out.fill_error = fill.error;
  out.fill_colour = fill.colour;
  if (c.n == 2) {
    FinishPair(pixels, c.colour[0], c.colour[1], d, out);
    return out;
  }
  const Pair pair = ChoosePair(c, d, range);
  if (pair.error != kImpossibleError) FinishPair(pixels, pair.dark, pair.bright, d, out);
  return out;
}

}  // namespace kinet::encoder
