// The tone's square wave, sample by sample, and the SDL clips on the dummy audio driver (that
// they open and take sound; what the device does with it is not looked at).
#include "platform/audio/sound_clips.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace kinet::platform {
namespace {

std::vector<int16_t> Wave(uint32_t frequency, uint32_t rate, uint64_t first, size_t n) {
  std::vector<int16_t> out(n);
  SquareWave(frequency, rate, first, out);
  return out;
}

constexpr int16_t H = kToneLevel, L = -kToneLevel;

TEST(SquareWaveTest, HalfPeriodsAlternateAtTheFrequency) {
  EXPECT_EQ(Wave(11025, 44100, 0, 8), (std::vector<int16_t>{H, H, L, L, H, H, L, L}));
  // Above half the rate the wave is as fast as the rate allows.
  EXPECT_EQ(Wave(30000, 44100, 0, 4), (std::vector<int16_t>{H, L, H, L}));
  // 1000 Hz at 44100: a second holds 1000 periods, each 44 or 45 samples, half of them high.
  const std::vector<int16_t> second = Wave(1000, 44100, 0, 44100);
  int highs = 0, rises = 0;
  for (size_t i = 0; i < second.size(); ++i) {
    highs += second[i] == H;
    rises += i > 0 && second[i - 1] == L && second[i] == H;
  }
  EXPECT_EQ(highs, 22100);
  EXPECT_EQ(rises, 999);  // the 1000th period starts at sample 0
  // Pieces continue the wave without a seam.
  std::vector<int16_t> pieces = Wave(440, 22050, 0, 37);
  const std::vector<int16_t> rest = Wave(440, 22050, 37, 963);
  pieces.insert(pieces.end(), rest.begin(), rest.end());
  EXPECT_EQ(pieces, Wave(440, 22050, 0, 1000));
  EXPECT_EQ(Wave(440, 0, 0, 3), (std::vector<int16_t>{0, 0, 0}));
}

TEST(SdlSoundClipsTest, OpenOnTheDummyDriverAndTakeSound) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  std::unique_ptr<SoundClips> clips = OpenSdlSoundClips();
  ASSERT_TRUE(clips->StartTone(440));
  clips->StopTone();
  const PcmFormat format{22050, 1, 16};
  ASSERT_TRUE(clips->PlaySound(format, std::vector<uint8_t>(44100, 0)));
  clips->StopSound();
  EXPECT_FALSE(clips->SoundPlaying());
  EXPECT_TRUE(clips->PlaySound({8000, 2, 8}, std::vector<uint8_t>(16001, 0x80)));
  clips->StopSound();
}

}  // namespace
}  // namespace kinet::platform
