// The analysis pass: what each frame's code words reconstruct must be exactly what the library
// decodes from the written file, at every kind of rate code; and the block choices that matter
// for quality and size.
#include "compressor/frame_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "compressor/block_codes.h"
#include "tests/support/animation_fixtures.h"
#include "tests/support/encode_fixtures.h"
#include "tools/kntsample/sample_animation.h"

namespace kinet {
namespace {

using testing::DecodeAll;
using testing::EncodeClip;
using testing::SettingsFor;

constexpr uint32_t kW = 96, kH = 64;

void ExpectDecodesToReconstruction(const std::vector<encoder::AnimationFrame>& frames,
                                   const encoder::EncoderSettings& s, bool ring, const char* name) {
  const std::string path = testing::TempPath(name);
  testing::EncodedClip clip = EncodeClip(path, frames, s, ring);
  ASSERT_EQ(clip.status, encoder::WriteStatus::kOk);
  const auto decoded = DecodeAll(path);
  ASSERT_EQ(decoded.size(), clip.reconstructions.size());
  for (size_t f = 0; f < decoded.size(); ++f)
    ASSERT_EQ(decoded[f], clip.reconstructions[f]) << name << " frame " << f;
}

std::array<uint8_t, 768> GreyPalette() {
  std::array<uint8_t, 768> p;
  for (int i = 0; i < 768; ++i) p[i] = static_cast<uint8_t>(i / 3);
  return p;
}

TEST(BlockAnalysis, FillsPairsAndThePaletteRange) {
  encoder::ColourDistances d;
  const auto grey = GreyPalette();
  d.Rebuild(grey.data());
  uint8_t block[16];
  std::fill(block, block + 16, 77);
  encoder::BlockChoice c = encoder::AnalyseBlock(block, d, {0, 256});
  EXPECT_EQ(c.fill_error, 0u);
  EXPECT_EQ(c.fill_colour, 77);
  EXPECT_EQ(c.two_error, encoder::kImpossibleError);
  // Outside the range a one-colour block is still its own exact fill.
  EXPECT_EQ(encoder::AnalyseBlock(block, d, {100, 50}).fill_error, 0u);

  // Two colours: an exact pair whose word leaves the last pixel on colour A.
  for (int i = 0; i < 16; ++i) block[i] = i % 3 == 0 ? 10 : 200;
  c = encoder::AnalyseBlock(block, d, {0, 256});
  EXPECT_EQ(c.two_error, 0u);
  EXPECT_EQ(c.two_word & 0x8000, 0u);
  uint8_t painted[16];
  encoder::PaintTwoColour(c.two_word, painted);
  EXPECT_TRUE(std::equal(block, block + 16, painted));
  // The fill is searched in the range only: 10 and 200 mixed, the best grey within 0..49.
  c = encoder::AnalyseBlock(block, d, {0, 50});
  EXPECT_EQ(c.fill_colour, 49);

  // Many colours in two clusters: the pair lands near both clusters.
  for (int i = 0; i < 16; ++i) block[i] = static_cast<uint8_t>(i < 8 ? 20 + i : 220 + i);
  c = encoder::AnalyseBlock(block, d, {0, 256});
  const int a = (c.two_word >> 16) & 0xFF, b = c.two_word >> 24;
  EXPECT_NEAR(std::min(a, b), 23, 1);
  EXPECT_NEAR(std::max(a, b), 231, 1);
  EXPECT_LT(c.two_error, c.fill_error);
}

TEST(RateControl, ThresholdSearchFitsTheBudget) {
  // 100 blocks with skip errors 1..100 and nothing cheaper: the cost falls as more are
  // skipped, and the search finds the costliest threshold within the budget.
  std::vector<uint32_t> skip(100), none(100, encoder::kImpossibleError);
  std::vector<uint8_t> colours(100, 0);
  for (uint32_t i = 0; i < 100; ++i) skip[i] = (i * 37) % 100 + 1;
  const encoder::BlockErrors e{skip.data(), none.data(), colours.data(), none.data(), 100};
  for (uint64_t budget : {0ull, 300ull, 1000ull, 1700ull}) {
    const encoder::ThresholdChoice t = SearchThreshold(e, budget);
    const uint64_t cost = encoder::EstimateCost(e, t.threshold);
    if (budget >= encoder::EstimateCost(e, encoder::kHighestThreshold)) {
      EXPECT_LE(cost, budget);
      EXPECT_EQ(t.leftover, budget - cost);
      if (t.threshold > 0) {
        EXPECT_GT(encoder::EstimateCost(e, t.threshold - 1), budget);
      }
    }
  }
  EXPECT_EQ(encoder::EstimateCost(e, 0), 100u * 16 + 2);  // full runs of 59 and 41 blocks
  EXPECT_EQ(encoder::EstimateCost(e, 100), 2u);           // skip chunks of 59 and 41
  EXPECT_EQ(encoder::QualityThreshold(0), 1u);
  EXPECT_EQ(encoder::QualityThreshold(100), 130089u);
}

// The search's shortened lists against every block read at every threshold: blocks that never
// change (runs past 2048 blocks), fills of a few colours, errors from a few low octaves up to
// ones no threshold reaches; then searches of one frame with budgets that part late and early.
TEST(RateControl, ThresholdSearchReadsWhatEveryBlockCosts) {
  constexpr uint32_t kBlocks = 6000;
  std::vector<uint32_t> skip(kBlocks), fill(kBlocks), two(kBlocks), codes(kBlocks);
  std::vector<uint8_t> colours(kBlocks);
  uint32_t seed = 5;
  auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 8; };
  for (uint32_t b = 0; b < kBlocks; ++b) {
    const bool still = b < 2500 || (b > 4000 && b < 4200);
    const uint32_t octave = next() % 10 < 8 ? next() % 6 : next() % 24;
    skip[b] = still ? 0 : (1u << octave) + next() % (1u << octave);
    fill[b] = next() % 4 == 0 ? encoder::kImpossibleError : next() % (skip[b] + 2);
    two[b] = next() % 3 == 0 ? encoder::kExactOnlyError : next() % (skip[b] + 2);
    colours[b] = static_cast<uint8_t>(next() % 3);
  }
  const encoder::BlockErrors e{skip.data(), fill.data(), colours.data(), two.data(), kBlocks};
  auto cost = [&](uint32_t t) {
    for (uint32_t b = 0; b < kBlocks; ++b)
      codes[b] = skip[b] <= t   ? encoder::kCodeSkip
                 : fill[b] <= t ? encoder::kCodeFill + colours[b]
                 : two[b] <= t  ? encoder::TwoColourWord(1, 2, 0x1234)
                                : encoder::kCodeFull;
    uint64_t units = 0;
    encoder::ForEachChunk(codes.data(), kBlocks, [&](uint32_t code, uint32_t, uint32_t blocks) {
      units += encoder::ChunkCost(encoder::KindOf(code), blocks);
    });
    return units;
  };
  // 100 x 60 blocks; the measure of the chosen code words reads the same cost on its way.
  const std::vector<uint8_t> pixels(400 * 240, 7);
  encoder::VideoCostModel model;
  for (uint32_t t : {0u, 1u, 3u, 17u, 40u, 64u, 1000u, 70000u, encoder::kHighestThreshold}) {
    EXPECT_EQ(encoder::EstimateCost(e, t), cost(t)) << t;
    uint64_t units = 0;
    model.Bits({codes.data(), pixels.data(), 400, 100, 60}, &units);
    EXPECT_EQ(units, cost(t)) << t;
  }

  // The same binary search, every cost read in full.
  auto search = [&](uint64_t budget) {
    int64_t lo = 0, hi = encoder::kHighestThreshold;
    bool have = false, fits = false;
    encoder::ThresholdChoice best;
    uint64_t best_cost = 0;
    while (lo <= hi) {
      const uint32_t mid = static_cast<uint32_t>((lo + hi + 1) / 2);
      const uint64_t c = cost(mid);
      if (!have || (c <= budget && (!fits || c >= best_cost)) ||
          (c > budget && !fits && c < best_cost)) {
        have = true;
        fits = c <= budget;
        best_cost = c;
        best = {mid, fits ? budget - c : 0};
      }
      if (c <= budget)
        hi = int64_t{mid} - 1;
      else
        lo = int64_t{mid} + 1;
    }
    return best;
  };
  encoder::ThresholdSearch frame;
  frame.Start(e);
  for (uint64_t budget : {20000ull, 21000ull, 9000ull, 30ull, 100000ull, 20500ull}) {
    const encoder::ThresholdChoice want = search(budget), got = frame.Choose(budget);
    EXPECT_EQ(got.threshold, want.threshold) << budget;
    EXPECT_EQ(got.leftover, want.leftover) << budget;
  }
}

TEST(FrameEncoder, DecodedFramesEqualTheReconstructionAtEveryKindOfRate) {
  const auto sprite = testing::SpriteAnimation(kW, kH, 12, 7);
  const auto ball = sample::BouncingBall(kW, kH, 12);
  for (int32_t rate : {0, 20, 60, 100, 30000, 4000, -450, -600}) {
    encoder::EncoderSettings s = SettingsFor(kW, kH, rate, rate);
    ExpectDecodesToReconstruction(sprite, s, false, "sprite.knt");
    ExpectDecodesToReconstruction(ball, s, true, "ball.knt");
  }
  // Forced key frames and automatic ones at every changed block.
  encoder::EncoderSettings s = SettingsFor(kW, kH, 20, 0);
  s.min_key_distance = 3;
  ExpectDecodesToReconstruction(ball, s, true, "keys.knt");
  s.auto_key_blocks = 0;
  ExpectDecodesToReconstruction(sprite, s, false, "auto.knt");
}

TEST(FrameEncoder, BestQualityKeepsChangedBlocksExact) {
  const auto ball = sample::BouncingBall(kW, kH, 10);
  testing::EncodedClip clip =
      EncodeClip(testing::TempPath("q0.knt"), ball, SettingsFor(kW, kH, 0, 0));
  ASSERT_EQ(clip.status, encoder::WriteStatus::kOk);
  size_t wrong = 0;
  for (size_t f = 0; f < ball.size(); ++f)
    wrong += testing::DifferentPixels(clip.reconstructions[f], ball[f].pixels);
  EXPECT_LE(wrong, ball.size() * kW * kH / 200);  // at most half a percent

  // A coarse quality loses detail, and data rates order the sizes.
  testing::EncodedClip coarse =
      EncodeClip(testing::TempPath("q100.knt"), ball, SettingsFor(kW, kH, 100, 100));
  size_t coarse_wrong = 0;
  for (size_t f = 0; f < ball.size(); ++f)
    coarse_wrong += testing::DifferentPixels(coarse.reconstructions[f], ball[f].pixels);
  EXPECT_GT(coarse_wrong, wrong);
}

TEST(FrameEncoder, IdenticalFramesAreSkipsOnlyAndNeverKeyFrames) {
  std::vector<encoder::AnimationFrame> still(5, testing::SpriteAnimation(kW, kH, 1)[0]);
  encoder::EncoderSettings s = SettingsFor(kW, kH, 30000, 20);
  s.auto_key_blocks = 0;  // even the lowest limit
  testing::EncodedClip clip = EncodeClip(testing::TempPath("still.knt"), still, s);
  for (size_t f = 1; f < still.size(); ++f) {
    EXPECT_FALSE(clip.key_frames[f]);
    for (uint32_t code : clip.codes[f]) ASSERT_EQ(code, encoder::kCodeSkip);
  }
  EXPECT_TRUE(clip.key_frames[0]);
  for (uint32_t code : clip.codes[0]) ASSERT_NE(code, encoder::kCodeSkip);
}

TEST(FrameEncoder, AutomaticKeyFrameFollowsTheChangedShare) {
  auto frames = testing::SpriteAnimation(kW, kH, 2);
  frames[1].pixels = frames[0].pixels;
  frames[1].pixels[5 * kW + 5] ^= 0x55;  // one block changes
  encoder::EncoderSettings s = SettingsFor(kW, kH, 0, 0);
  s.auto_key_blocks = 0;  // /A0
  testing::EncodedClip clip = EncodeClip(testing::TempPath("a0.knt"), frames, s);
  EXPECT_TRUE(clip.auto_keys[1]);
  for (uint32_t code : clip.codes[1]) ASSERT_NE(code, encoder::kCodeSkip);
  s.auto_key_blocks = kW / 4 * (kH / 4);  // /A100
  clip = EncodeClip(testing::TempPath("a100.knt"), frames, s);
  EXPECT_FALSE(clip.auto_keys[1]);
  EXPECT_EQ(std::count(clip.codes[1].begin(), clip.codes[1].end(), encoder::kCodeSkip),
            static_cast<long>(kW / 4 * (kH / 4) - 1));
}

TEST(FrameEncoder, BlocksKeptIntoAPaletteChangeAreExact) {
  // Noise everywhere, and a coarse quality: only the palette change forces exactness.
  auto frames = testing::SpriteAnimation(kW, kH, 3, 2);
  for (auto& f : frames)
    for (size_t i = 0; i < f.pixels.size(); ++i) f.pixels[i] = static_cast<uint8_t>(i * 37 % 251);
  frames[1].pixels[0] ^= 1;  // frame 1 changes one block against frame 0
  frames[2].pixels = frames[1].pixels;
  testing::EncodedClip clip =
      EncodeClip(testing::TempPath("pal.knt"), frames, SettingsFor(kW, kH, 100, 100));
  // Frame 0 is a key frame at quality 100 and may be coarse; frame 1 must be exact where
  // frame 2 keeps its blocks, which is everywhere.
  EXPECT_EQ(clip.reconstructions[1], frames[1].pixels);
}

TEST(FrameEncoder, RepeatedEncodingGivesIdenticalFiles) {
  const auto ball = sample::BouncingBall(kW, kH, 8);
  const std::string a = testing::TempPath("a.knt"), b = testing::TempPath("b.knt");
  EncodeClip(a, ball, SettingsFor(kW, kH, 20000, 40000), true);
  EncodeClip(b, ball, SettingsFor(kW, kH, 20000, 40000), true);
  EXPECT_EQ(testing::ReadWholeFile(a), testing::ReadWholeFile(b));
}

TEST(FrameEncoder, DataRateIsMetOnAClipThatCanReachIt) {
  // 320x240 at 15 frames per second; the first frame is a key frame at its own rate.
  constexpr uint32_t w = 320, h = 240;
  const auto ball = sample::BouncingBall(w, h, 30);
  for (int32_t rate : {40000, 100000}) {
    const std::string path = testing::TempPath("rate.knt");
    testing::EncodedClip clip = EncodeClip(path, ball, SettingsFor(w, h, rate, rate));
    ASSERT_EQ(clip.status, encoder::WriteStatus::kOk);
    const double seconds = ball.size() / 15.0;
    const double rate_made = testing::ReadWholeFile(path).size() / seconds;
    EXPECT_LT(rate_made, rate * 1.10) << rate;
    EXPECT_GT(rate_made, rate * 0.40) << rate;
  }
}

}  // namespace
}  // namespace kinet
