// kinetmixw's command line, frame period and first frame, and the split of a frame record.
#include "soundtools/kinetmixw/mix_settings.h"

#include <gtest/gtest.h>

#include "lib/core/format.h"
#include "soundtools/kinetmixw/video_input.h"

namespace kinet::mix {
namespace {

MixLine Read(std::vector<std::string> words) {
  toolkit::SwitchLine line(words, SwitchTable());
  (void)toolkit::TakeReportSwitches(line);
  return ReadMixSettings(line);
}

TEST(MixSettings, NamesSwitchesAndTheirFaults) {
  const MixLine line = Read({"in.knt", "-M7", "tune", "/L9/P/O", "out", "/G10", "/F-1500",
                             "/S100/E900/T2", "/Y4/D8000/K44"});
  ASSERT_TRUE(std::holds_alternative<MixSettings>(line));
  const MixSettings& s = std::get<MixSettings>(line);
  EXPECT_EQ(s.input, "in.knt");
  EXPECT_EQ(s.sound, "tune");
  EXPECT_EQ(s.output, "out");
  EXPECT_EQ(s.track, 6u);
  EXPECT_EQ(s.lossy_level, 9);
  EXPECT_TRUE(s.loop && s.overwrite);
  EXPECT_EQ(s.first_frame, 10);
  EXPECT_EQ(s.frame_rate, -1500);
  EXPECT_EQ(s.sound_options.start, 100);
  EXPECT_EQ(s.sound_options.end, 900);
  EXPECT_EQ(s.sound_options.track, 2);
  EXPECT_EQ(s.sound_options.raw_type, 8000u * 8 + 3);
  EXPECT_EQ(s.sound_options.skip, 44u);

  const MixSettings defaults = std::get<MixSettings>(Read({"a", "b", "c"}));
  EXPECT_EQ(defaults.track, 0u);
  EXPECT_EQ(defaults.lossy_level, 0);
  EXPECT_EQ(defaults.first_frame, 1);
  EXPECT_FALSE(defaults.loop || defaults.overwrite);

  for (const char* track : {"/M0", "/M8", "/M-1"})
    EXPECT_EQ(std::get<LineFault>(Read({"a", "b", "c", track})), LineFault::kTrack) << track;
  for (auto words : std::vector<std::vector<std::string>>{{"a", "b"},
                                                          {"a", "b", "c", "d"},
                                                          {"a", "b", "c", "/L10"},
                                                          {"a", "b", "c", "/L-1"},
                                                          {"a", "b", "c", "/Q"},
                                                          {"a", "b", "c", "/M1/M2"},
                                                          {"a", "b", "c", "/P5"}})
    EXPECT_EQ(std::get<LineFault>(Read(words)), LineFault::kSyntax) << words.back();
  // A bad track number in a line that is a syntax error anyway shows the syntax.
  EXPECT_EQ(std::get<LineFault>(Read({"a", "b", "/M9"})), LineFault::kSyntax);
}

TEST(MixSettings, PeriodFromTheSwitchOrTheHeader) {
  EXPECT_EQ(MixPeriod(66, 0), 6600u);
  EXPECT_EQ(MixPeriod(-6667, 0), 6667u);
  EXPECT_EQ(MixPeriod(66, 15), 6666u);       // frames per second
  EXPECT_EQ(MixPeriod(66, -1500), 150000u);  // milliseconds
  EXPECT_EQ(MixPeriod(66, -1501), 1501u);    // the period itself
  EXPECT_EQ(MixPeriod(66, 50000), 5u);       // 2 becomes the least period
  EXPECT_EQ(MixPeriod(66, -2), 200u);
  EXPECT_EQ(MixPeriod(66, -2000000), 2000000u);
}

TEST(MixSettings, FirstFrameCountsFromOneAndStaysInsideTheFile) {
  EXPECT_EQ(FirstSoundFrame(1, 20), 0u);
  EXPECT_EQ(FirstSoundFrame(0, 20), 0u);
  EXPECT_EQ(FirstSoundFrame(-5, 20), 0u);
  EXPECT_EQ(FirstSoundFrame(10, 20), 9u);
  EXPECT_EQ(FirstSoundFrame(21, 20), 19u);
  EXPECT_EQ(FirstSoundFrame(2000000000, 20), 19u);
  EXPECT_EQ(FirstSoundFrame(5, 0), 0u);
}

std::vector<uint8_t> Record(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> r;
  for (const auto& p : parts) r.insert(r.end(), p.begin(), p.end());
  return r;
}

std::vector<uint8_t> Sound(uint32_t length) {
  std::vector<uint8_t> s(length, 0x55);
  StoreLe32(s.data(), length);
  return s;
}

TEST(SplitFrameRecord, PartsInTheirOrder) {
  const std::vector<uint8_t> palette = {2, 1, 2, 3, 4, 5, 6, 7};  // 2 x 4 bytes
  const std::vector<uint8_t> video = {9, 9, 9};
  const auto r = Record({palette, Sound(8), Sound(12), video});
  const uint8_t type = KINET_FRAME_PALETTE | KINET_FRAME_AUDIO(1) | KINET_FRAME_AUDIO(6);
  const auto parts = SplitFrameRecord(r.data(), uint32_t(r.size()), type);
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->palette_length, 8u);
  EXPECT_EQ(parts->tracks[1].offset, 8u);
  EXPECT_EQ(parts->tracks[1].length, 8u);
  EXPECT_EQ(parts->tracks[6].offset, 16u);
  EXPECT_EQ(parts->tracks[6].length, 12u);
  EXPECT_EQ(parts->tracks[0].length, 0u);
  EXPECT_EQ(parts->video_offset, 28u);
  // Only video; a palette length byte of 0 still takes its byte, as the player reads it.
  EXPECT_EQ(SplitFrameRecord(video.data(), 3, 0)->video_offset, 0u);
  EXPECT_EQ(SplitFrameRecord(Record({{0}, video}).data(), 4, KINET_FRAME_PALETTE)->video_offset,
            1u);
}

TEST(SplitFrameRecord, PartsPastTheEndAreRefused) {
  const auto r = Record({Sound(8), {1, 2}});
  EXPECT_FALSE(SplitFrameRecord(r.data(), 10, KINET_FRAME_AUDIO(0) | KINET_FRAME_AUDIO(1)));
  EXPECT_FALSE(SplitFrameRecord(r.data(), 7, KINET_FRAME_AUDIO(0)));
  const auto tiny = Record({{3, 0, 0, 0, 1, 1}});  // a length that cannot count itself
  EXPECT_FALSE(SplitFrameRecord(tiny.data(), 6, KINET_FRAME_AUDIO(0)));
  const std::vector<uint8_t> palette = {3, 0, 0, 0};  // claims 12 bytes
  EXPECT_FALSE(SplitFrameRecord(palette.data(), 4, KINET_FRAME_PALETTE));
  EXPECT_FALSE(SplitFrameRecord(palette.data(), 0, KINET_FRAME_PALETTE));
}

}  // namespace
}  // namespace kinet::mix
