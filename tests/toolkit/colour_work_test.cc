#include "toolkit/colour/colour_work.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "tests/support/colour_pictures.h"
#include "toolkit/colour/system_colours.h"

namespace kinet::toolkit {
namespace {

using testing::FrameList;

// Runs every frame through `work`; the number of frames that came through.
size_t RunAll(ColourWork& work, FrameList& frames, std::vector<std::vector<uint8_t>>* out = nullptr,
              std::vector<bool>* changed = nullptr) {
  std::vector<uint8_t> pixels;
  for (size_t i = 0; i < frames.size(); ++i) {
    frames.set_current(i);
    if (!work.NextFrame(frames.frame(i), frames.Whole(), frames, {}, pixels)) return i;
    if (out) out->push_back(pixels);
    if (changed) changed->push_back(work.palette_changed());
  }
  return frames.size();
}

bool HasSystemColours(const Palette& palette) {
  for (uint32_t i : {0u, 5u, 9u, 246u, 250u, 255u}) {
    if (!std::equal(&palette[i * 3], &palette[i * 3 + 3], SystemColour(i))) return false;
  }
  return true;
}

std::vector<platform::Image> HighColourFrames(uint32_t count) {
  std::vector<platform::Image> frames;
  for (uint32_t i = 0; i < count; ++i) {
    frames.push_back(testing::SolidPicture(16, 8, uint8_t(i * 9), uint8_t(255 - i * 7), 60));
  }
  return frames;
}

TEST(ColourWork, PeriodOfTenOverTwentyFiveFramesBuildsAtOneElevenAndTwentyOne) {
  FrameList frames(HighColourFrames(25));
  ColourWork work({.period = 10});
  std::vector<bool> changed;
  EXPECT_EQ(RunAll(work, frames, nullptr, &changed), 25u);
  EXPECT_EQ(frames.analyses(), (std::vector<uint32_t>{1, 11, 21}));
  EXPECT_TRUE(changed[0] && changed[10] && changed[20]);
  EXPECT_FALSE(changed[1] || changed[9] || changed[24]);
}

TEST(ColourWork, Q200PlacesTheNewPaletteAt28To227WithTheSystemColoursOutside) {
  FrameList frames({testing::DetailPicture(96, 64)});
  ColourWork work({.colours = 200});
  EXPECT_EQ(work.settings().start_index, 28);
  std::vector<std::vector<uint8_t>> out;
  ASSERT_EQ(RunAll(work, frames, &out), 1u);
  const auto [low, high] = std::minmax_element(out[0].begin(), out[0].end());
  EXPECT_GE(*low, 28);
  EXPECT_LE(*high, 227);
  const Palette& palette = work.palette();
  EXPECT_TRUE(HasSystemColours(palette));
  std::set<uint32_t> colours;
  for (uint32_t i = 28; i < 228; ++i)
    colours.insert(KeyOf(palette[i * 3], palette[i * 3 + 1], palette[i * 3 + 2]));
  EXPECT_GT(colours.size(), 190u) << "all 200 entries are the picture's, none reserved";
  for (uint32_t i : {10u, 27u, 228u, 245u}) EXPECT_EQ(palette[i * 3 + 1], 0) << "untouched " << i;
}

TEST(ColourWork, SystemColourModes) {
  const Palette greys = testing::GreyPalette(255);
  // D0: a made palette gets the system colours, a copied one does not; D1: both; D2: neither,
  // and the whole range goes to the picture.
  struct Case {
    int32_t mode;
    bool eight_bit, expect;
  } cases[] = {{0, false, true}, {0, true, false}, {1, true, true}, {2, false, false}};
  for (const Case& c : cases) {
    FrameList frames(
        {c.eight_bit ? testing::IndexedPicture(64, 32, greys) : testing::DetailPicture(96, 64)});
    ColourWork work(
        c.eight_bit ? ColourSettings{.colours = 240, .system_colours = c.mode}
                    : ColourSettings{.colours = 256, .start_index = 0, .system_colours = c.mode});
    ASSERT_EQ(RunAll(work, frames), 1u);
    EXPECT_EQ(HasSystemColours(work.palette()), c.expect) << c.mode << " " << c.eight_bit;
  }
  FrameList frames({testing::DetailPicture(96, 64)});
  ColourWork work({.colours = 256, .start_index = 0, .system_colours = 2});
  ASSERT_EQ(RunAll(work, frames), 1u);
  std::set<uint32_t> colours;
  for (uint32_t i = 0; i < 256; ++i)
    colours.insert(
        KeyOf(work.palette()[i * 3], work.palette()[i * 3 + 1], work.palette()[i * 3 + 2]));
  EXPECT_GT(colours.size(), 240u);
}

TEST(ColourWork, CopyModeKeepsAnEightBitPaletteAndFollowsItsChanges) {
  const Palette first = testing::GreyPalette(255), second = testing::GreyPalette(128);
  FrameList frames({testing::IndexedPicture(256, 2, first), testing::IndexedPicture(256, 2, first),
                    testing::IndexedPicture(256, 2, second)});
  ColourWork work({.colours = 128});  // entries 64-191
  std::vector<std::vector<uint8_t>> out;
  std::vector<bool> changed;
  ASSERT_EQ(RunAll(work, frames, &out, &changed), 3u);
  EXPECT_TRUE(frames.analyses().empty()) << "a copied palette needs no histogram";
  EXPECT_EQ(changed, (std::vector<bool>{true, false, true}));
  EXPECT_TRUE(std::equal(&second[64 * 3], &second[192 * 3], &work.palette()[64 * 3]));
  EXPECT_EQ(out[0][100], 100) << "indices inside the range stay";
  EXPECT_EQ(out[0][10], 64) << "grey 10 is nearest to grey 64, the range's first";
  EXPECT_EQ(out[0][200], 188) << "greys 188-191 are one 6-bit colour: the first wins";
}

TEST(ColourWork, AnEightBitSourceWithAllColoursPassesThroughUnchanged) {
  FrameList frames({testing::IndexedPicture(40, 30, testing::GreyPalette(200))});
  ColourWork work({});
  std::vector<std::vector<uint8_t>> out;
  ASSERT_EQ(RunAll(work, frames, &out), 1u);
  EXPECT_EQ(out[0], frames.frame(0).pixels);
  EXPECT_EQ(work.palette(), frames.frame(0).palette);
  EXPECT_TRUE(frames.analyses().empty());
}

TEST(ColourWork, ModeTwoAnalysesAgainWhenTheInputPaletteChanges) {
  std::vector<platform::Image> list;
  for (int i = 0; i < 8; ++i) {
    list.push_back(testing::IndexedPicture(32, 8, testing::GreyPalette(i < 5 ? 255 : 100)));
  }
  FrameList best_each(list), best_once(list);
  ColourWork every_change({.colours = 64, .mode = 2});
  ColourWork once({.colours = 64, .mode = 1});
  ASSERT_EQ(RunAll(every_change, best_each), 8u);
  ASSERT_EQ(RunAll(once, best_once), 8u);
  EXPECT_EQ(best_each.analyses(), (std::vector<uint32_t>{1, 6}));
  EXPECT_EQ(best_once.analyses(), (std::vector<uint32_t>{1}));
}

TEST(ColourWork, APaletteFileLastsAFullPeriodAndOverridesCopyMode) {
  // Eight-bit frames in copy mode would keep their own palette; with a palette file the new
  // palette comes from the file, built again every period of the source's frames (not every
  // frame, though the file has only one picture).
  FrameList file({testing::DetailPicture(32, 32)});
  ColourWork work({.colours = 64, .period = 3, .palette_file = true});
  const platform::Image frame = testing::IndexedPicture(32, 8, testing::GreyPalette(255));
  std::vector<uint8_t> pixels;
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(work.NextFrame(frame, file.Whole(), file, {}, pixels));
  EXPECT_EQ(file.analyses().size(), 2u);
  EXPECT_NE(work.palette()[96 * 3], work.palette()[96 * 3 + 1]) << "colours of the file";
}

TEST(ColourWork, PaddingOutsideThePictureCountsAsBlack) {
  FrameList frames({testing::SolidPicture(4, 4, 255, 255, 255)});
  ColourWork work({.colours = 2, .start_index = 0, .halftone = 2, .system_colours = 2});
  std::vector<uint8_t> pixels;
  ASSERT_TRUE(work.NextFrame(frames.frame(0), {-2, 0, 8, 4}, frames, {}, pixels));
  const Palette& palette = work.palette();
  EXPECT_EQ(palette[pixels[0] * 3], 0);
  EXPECT_EQ(palette[pixels[3] * 3], 252);
  EXPECT_EQ(palette[pixels[7] * 3], 0);
  EXPECT_NE(pixels[0], pixels[3]);
}

TEST(ColourWork, FailedReadsCutPicturesAndCancelsStopTheFrame) {
  FrameList frames(HighColourFrames(3));
  frames.FailAt(1);
  ColourWork work({});
  EXPECT_EQ(RunAll(work, frames), 0u);

  platform::Image cut = testing::SolidPicture(8, 8, 1, 2, 3);
  cut.pixels.resize(100);  // fewer bytes than its sides say
  FrameList cut_list({cut});
  ColourWork refuses({});
  std::vector<uint8_t> none;
  EXPECT_FALSE(refuses.NextFrame(cut, cut_list.Whole(), cut_list, {}, none));
  ColourHistogram histogram;
  histogram.AddWindow(cut, cut_list.Whole());
  EXPECT_EQ(histogram.count(0), 0u);

  FrameList detail({testing::DetailPicture(64, 64)});
  ColourWork cancelled({});
  std::vector<uint8_t> pixels;
  EXPECT_FALSE(cancelled.NextFrame(
      detail.frame(0), detail.Whole(), detail, [](std::string_view) { return true; }, pixels));
}

TEST(ColourWork, ReadsEveryDepthByItsColourBits) {
  platform::Image sixteen, thirty_two;
  sixteen.width = thirty_two.width = 2;
  sixteen.height = thirty_two.height = 1;
  sixteen.bits = 16;
  sixteen.pixels = {0x00, 0x7C, 0xE0, 0x03};  // pure red, pure green
  thirty_two.bits = 32;
  thirty_two.pixels = {0, 0, 255, 7, 255, 255, 255, 0};  // blue, white; alpha ignored
  for (const platform::Image* picture : {&sixteen, &thirty_two}) {
    FrameList frames({*picture});
    ColourWork work({.colours = 2, .start_index = 0, .halftone = 2, .system_colours = 2});
    std::vector<uint8_t> pixels;
    ASSERT_TRUE(work.NextFrame(*picture, frames.Whole(), frames, {}, pixels));
    const uint8_t* a = &work.palette()[pixels[0] * 3];
    const uint8_t* b = &work.palette()[pixels[1] * 3];
    if (picture->bits == 16) {
      EXPECT_EQ(KeyOf(a[0], a[1], a[2]), KeyOf(255, 0, 0));
      EXPECT_EQ(KeyOf(b[0], b[1], b[2]), KeyOf(0, 255, 0));
    } else {
      EXPECT_EQ(KeyOf(a[0], a[1], a[2]), KeyOf(0, 0, 255));
      EXPECT_EQ(KeyOf(b[0], b[1], b[2]), KeyOf(255, 255, 255));
    }
  }
}

}  // namespace
}  // namespace kinet::toolkit
