// kinetplayw's keys in-process on SDL's dummy video driver and a manual clock: each seek key
// and single step reaches its frame, with the whole picture of that frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "compressor/animation_writer.h"
#include "lib/playback/library_clock.h"
#include "platform/clock/clock.h"
#include "platform/display/display.h"
#include "platform/files/file_system.h"
#include "tests/support/animation_fixtures.h"
#include "tests/support/encode_fixtures.h"
#include "tests/support/sound_fixtures.h"
#include "tools/kinetplayw/player.h"
#include "tools/kinetplayw/seeking.h"
#include "tools/kntsample/sample_animation.h"

namespace kinet::player {
namespace {

using platform::DisplayKey;

constexpr uint32_t kWidth = 64, kHeight = 48, kFrames = 250;

class PlayerKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SetLibraryClock(&clock_);
    settings_.file = testing::FreshTempPath("seek.knt");
    Write(sample::BouncingBall(kWidth, kHeight, kFrames));
    settings_.display = 3;  // the software surface
  }
  void TearDown() override { SetLibraryClock(nullptr); }

  // Plays with `keys[i]` pressed once the i-th frame (from 0) is shown; returns the frames
  // shown, each checked to be the whole picture of its frame.
  std::vector<uint32_t> PlayWith(const std::map<size_t, std::vector<DisplayKey>>& keys) {
    std::vector<uint32_t> shown;
    result_ = Play(settings_, clock_, [&](const ShownFrame& f) {
      EXPECT_EQ(f.frames, frames_.size());
      EXPECT_TRUE(Whole(f)) << "frame " << f.frame << " after " << shown.size() << " shown";
      if (auto it = keys.find(shown.size()); it != keys.end()) {
        for (DisplayKey key : it->second) EXPECT_TRUE(platform::PostDisplayKey(key));
      }
      shown.push_back(f.frame);
    });
    return shown;
  }
  // Writes `frames` as the file played, ten frames a second.
  void Write(std::vector<encoder::AnimationFrame> frames) {
    frames_ = std::move(frames);
    encoder::AnimationSettings a{kWidth, kHeight, 100};
    ASSERT_EQ(encoder::WriteAnimation(platform::SystemFileSystem(), settings_.file, a, frames_),
              encoder::WriteStatus::kOk);
  }
  // The frame's pixels and the colours its palette shows.
  bool Whole(const ShownFrame& f) const {
    if (!f.picture) return false;
    if (!std::equal(f.palette, f.palette + 768,
                    testing::ShownPalette(frames_[f.frame - 1].palette).begin()))
      return false;
    const std::vector<uint8_t>& want = frames_[f.frame - 1].pixels;
    for (uint32_t y = 0; y < kHeight; ++y)
      if (std::memcmp(f.picture + size_t{y} * f.pitch, &want[size_t{y} * kWidth], kWidth) != 0)
        return false;
    return true;
  }

  platform::ManualClock clock_;
  std::vector<encoder::AnimationFrame> frames_;
  PlayerSettings settings_;
  PlayResult result_;
};

TEST_F(PlayerKeys, EachSeekKeyAndStepReachesItsFrame) {
  const std::vector<uint32_t> shown = PlayWith({
      {0, {DisplayKey::kRight}},                        // a second on: 1 -> 11
      {1, {DisplayKey::kPageDown}},                     // ten seconds on: 111
      {2, {DisplayKey::kLeft}},                         // a second back: 101
      {3, {DisplayKey::kPageUp}},                       // ten seconds back: 1
      {4, {DisplayKey::kSpace, DisplayKey::kPeriod}},   // paused, one step: 2
      {5, {DisplayKey::kPeriod}},                       // 3
      {6, {DisplayKey::kSpace}},                        // playing again: 4
      {7, {DisplayKey::kRight}},                        // 14
      {8, {DisplayKey::kHome}},                         // 1
      {9, {DisplayKey::kEnd}},                          // the last frame, which ends the play
  });
  EXPECT_EQ(shown, (std::vector<uint32_t>{1, 11, 111, 101, 1, 2, 3, 4, 14, 1, 250}));
  EXPECT_TRUE(result_.ok) << result_.message;
}

TEST_F(PlayerKeys, SeeksStopAtTheEndsAndAStartFrameIsWhole) {
  settings_.start_frame = 245;
  const std::vector<uint32_t> shown = PlayWith({
      {0, {DisplayKey::kLeft}},      // 235
      {1, {DisplayKey::kPageDown}},  // past the end: the last frame
  });
  EXPECT_EQ(shown, (std::vector<uint32_t>{245, 235, 250}));

  settings_.start_frame = 5;
  EXPECT_EQ(PlayWith({{0, {DisplayKey::kPageUp}}, {1, {DisplayKey::kEscape}}}),
            (std::vector<uint32_t>{5, 1}));
  EXPECT_EQ(result_.message, "Stopped.");
}

// Seeks back start from a picture kept while playing (every five seconds): its palette, with
// the change at frame 120 behind it, must be the one the frames after it change.
TEST_F(PlayerKeys, SeeksBackFromAKeptPictureKeepItsPalette) {
  Write(testing::SpriteAnimation(kWidth, kHeight, kFrames, 120));
  settings_.start_frame = 230;
  const std::vector<uint32_t> shown = PlayWith({
      {0, {DisplayKey::kLeft}},    // 220, from the picture of 200
      {1, {DisplayKey::kPageUp}},  // 120, from that of 100, across the palette change
      {2, {DisplayKey::kLeft}},    // 110
      {3, {DisplayKey::kEnd}},
  });
  EXPECT_EQ(shown, (std::vector<uint32_t>{230, 220, 120, 110, 250}));
}

// With a sound track the sound paces the frames (the dummy device plays in real time): a seek
// turns it off while it decodes and on again, and every picture is still whole.
TEST_F(PlayerKeys, SeeksInAFileWithSound) {
  using namespace kinet::testing;
  frames_ = sample::BouncingBall(kWidth, kHeight, 30);
  encoder::AnimationSettings a{kWidth, kHeight, 50};
  TrackSpec track;
  track.format = SampleFormat{false, false};
  track.per_frame = ShareOut(ToneBytes(11025 * 3 / 2), 11025, 5000, 30);
  settings_.file = WriteSoundFile("seek-tone.knt", a, frames_, {track});
  settings_.no_drop = true;  // late frames decoded all the same, so each picture is whole
  const std::vector<uint32_t> shown = PlayWith({
      {0, {DisplayKey::kRight}},  // a second on at 20 frames a second: 21
      {1, {DisplayKey::kLeft}},   // 1
      {2, {DisplayKey::kEnd}},
  });
  EXPECT_EQ(shown, (std::vector<uint32_t>{1, 21, 1, 30}));
  EXPECT_TRUE(result_.ok) << result_.message;
}

TEST(PlayerReadOut, FrameAndTime) {
  EXPECT_EQ(ReadOut(12, 250, 10000), "Frame 12 of 250, 0:01.1 of 0:25.0");
  EXPECT_EQ(ReadOut(1, 900, 6666), "Frame 1 of 900, 0:00.0 of 0:59.9");
  EXPECT_EQ(SecondsPeriod(0, 50), 5000u);
  EXPECT_EQ(SecondsPeriod(0, -6666), 6666u);
  EXPECT_EQ(SecondsPeriod(0, 0), 10000u);
}

}  // namespace
}  // namespace kinet::player
