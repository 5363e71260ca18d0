// kinetpackw's switches, derived parameters and hint files.
#include "compressor/kinetpackw/pack_settings.h"

#include <gtest/gtest.h>

#include "compressor/hint_file.h"
#include "compressor/rate_control.h"

namespace kinet::pack {
namespace {

std::optional<PackSettings> Read(std::vector<std::string> words) {
  toolkit::SwitchLine line(words, SwitchTable());
  toolkit::TakeReportSwitches(line);
  return ReadPackSettings(line);
}

TEST(PackSettings, RateCodeRangesAndUsageCases) {
  for (const char* bad : {"/N500", "/N-250", "/N-350", "/N-601", "/K101", "/K999", "/Q", "/X"})
    EXPECT_FALSE(Read({"in.flc", "out", bad})) << bad;
  EXPECT_FALSE(Read({"in.flc"})) << "no output";
  EXPECT_FALSE(Read({"in.flc", "out", "more"})) << "an extra name";
  for (const char* good : {"/N1000", "/N0", "/N100", "/N-1", "/N-200", "/N-401", "/N-600"})
    EXPECT_TRUE(Read({"in.flc", "out", good})) << good;
  auto s = Read({"in.flc", "out", "/N1000/K-450", "/#12/#"});
  ASSERT_TRUE(s);
  EXPECT_EQ(s->regular_rate, 1000);
  EXPECT_EQ(s->key_rate, -450);
}

TEST(PackSettings, NormalisedValuesAndDefaults) {
  auto s = Read({"in.flc", "out"});
  ASSERT_TRUE(s);
  EXPECT_EQ(s->regular_rate, 240000);
  EXPECT_EQ(s->key_rate, 240000);  // without /K, key frames take /N's code
  EXPECT_EQ(s->auto_key_percent, 95u);
  for (const char* n : {"/N0", "/N150000", "/N-450", "/N-50"}) {
    auto with_n = Read({"in.flc", "out", n});
    ASSERT_TRUE(with_n) << n;
    EXPECT_EQ(with_n->key_rate, with_n->regular_rate) << n;
  }
  auto explicit_k = Read({"in.flc", "out", "/N150000/K20"});
  ASSERT_TRUE(explicit_k);
  EXPECT_EQ(explicit_k->key_rate, 20);
  EXPECT_EQ(s->min_key_distance, 0x10000000u);
  EXPECT_EQ(s->sound_level, 0);

  s = Read({"in.flc", "out", "/A150", "/Z3", "/J0", "/@*hints.txt", "-L-1", "/G/V/M/O"});
  ASSERT_TRUE(s);
  EXPECT_EQ(s->auto_key_percent, 100u);
  EXPECT_EQ(s->height_mode, 0u);
  EXPECT_EQ(s->min_key_distance, 0x10000000u);
  EXPECT_EQ(s->hint_file, "hints.txt");
  EXPECT_TRUE(s->delete_hint_file);
  EXPECT_EQ(s->sound_level, -1);
  EXPECT_TRUE(s->ring_frame && s->every_other && s->mix_original && s->overwrite);
  EXPECT_EQ(Read({"a", "b", "/Z-1"})->height_mode, 0u);
  EXPECT_EQ(Read({"a", "b", "/Z2"})->height_mode, 2u);
  EXPECT_EQ(Read({"a", "b", "/A-5"})->auto_key_percent, 100u);
}

TEST(PackSettings, FrameRateOverrideAndNames) {
  EXPECT_EQ(toolkit::OutputFrameRate(66, 15), -6666);
  EXPECT_EQ(toolkit::OutputFrameRate(66, -50), -5000);
  EXPECT_EQ(toolkit::OutputFrameRate(66, -2000), -2000);
  EXPECT_EQ(toolkit::OutputFrameRate(66, 0), 66);
  EXPECT_EQ(PeriodOf(66), 6600u);
  EXPECT_EQ(PeriodOf(-6666), 6666u);
  EXPECT_EQ(WithDefaultExtension("walk"), "walk.knt");
  EXPECT_EQ(WithDefaultExtension("dir.v2/walk"), "dir.v2/walk.knt");
  EXPECT_EQ(WithDefaultExtension("walk.xyz"), "walk.xyz");
}

TEST(PackSettings, RunShape) {
  PackSettings s;
  RunShape r = ShapeRun(s, 320, 198, 10);
  // Blocks are 4 pixels wide: widths between multiples of 4 are coded rounded up.
  for (uint32_t w : {125u, 126u, 127u, 128u}) EXPECT_EQ(ShapeRun(s, w, 4, 1).width, 128u);
  EXPECT_EQ(ShapeRun(s, 3, 4, 1).width, 4u);
  EXPECT_EQ(r.height, 200u);
  EXPECT_EQ(r.frames, 10u);
  EXPECT_EQ(r.auto_key_blocks, 320u * 200 / 16 * 95 / 100);
  s.ring_frame = true;
  s.height_mode = 1;
  r = ShapeRun(s, 320, 198, 10);
  EXPECT_EQ(r.frames, 11u);
  EXPECT_EQ(r.height, 100u);
  EXPECT_EQ(r.line_step, 2u);
  EXPECT_EQ(r.header_flags, 3u);
  s.ring_frame = false;
  s.every_other = true;
  s.height_mode = 2;
  r = ShapeRun(s, 320, 240, 10);
  EXPECT_EQ(r.frames, 5u);
  EXPECT_EQ(r.height, 120u);
  EXPECT_EQ(r.header_flags, 4u);
}

TEST(PackSettings, PercentOfSizeBecomesADataRate) {
  // 100 frames of 1000 bytes at 15 frames per second, half the size: 7500 bytes a second.
  EXPECT_EQ(encoder::PercentOfSizeRate(-50, 100000, 100, 6666), 7500);
  EXPECT_EQ(encoder::PercentOfSizeRate(30000, 100000, 100, 6666), 30000);
}

TEST(HintFile, RangesOverridesAndStars) {
  encoder::FrameHints h = encoder::NoHints(10);  // frames 5..14 in source numbering
  encoder::ApplyHintText(
      "6 8 20000 1\n"
      "9, 7, *, 0\n"    // falling range, rate left alone, key cleared
      "0 3 50 1\n"      // first frame 0: ignored
      "3 6 50 1\n"      // starts outside: ignored
      "13 99 -450\n"    // clipped to the last frame; no key flag
      "12 12 500 1\n",  // invalid rate ignored, key kept
      5, h);
  EXPECT_EQ(h.rate[1], 20000);
  EXPECT_EQ(h.key[1], 1);
  EXPECT_EQ(h.rate[2], 20000);
  EXPECT_EQ(h.key[2], 0);
  EXPECT_EQ(h.key[4], 0);
  EXPECT_EQ(h.rate[0], encoder::kNoRateCode);
  EXPECT_EQ(h.rate[7], encoder::kNoRateCode);
  EXPECT_EQ(h.key[7], 1);
  EXPECT_EQ(h.rate[8], -450);
  EXPECT_EQ(h.rate[9], -450);
  EXPECT_EQ(encoder::ReadHintFile(platform::SystemFileSystem(), "/nonexistent/hints", 1, 3).rate,
            encoder::NoHints(3).rate);
}

}  // namespace
}  // namespace kinet::pack
