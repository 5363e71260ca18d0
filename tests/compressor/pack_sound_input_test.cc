// kinetpackw's sound input: a cancel reaches the measuring of a numbered series of sounds, and
// frames too long for their sound are told apart from an input without sound.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "compressor/kinetpackw/sound_input.h"
#include "platform/files/file_system.h"
#include "tests/support/graphics_fixtures.h"
#include "tests/support/sound_input_fixtures.h"

namespace kinet {
namespace {

using pack::SoundInput;

class PackSoundInput : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int n = 1; n <= 3; ++n) {
      toolkit::testing::WriteWav(
          folder_ + "c0" + std::to_string(n) + ".wav",
          {.format = {11025, 8, 1}, .pcm = std::vector<uint8_t>(1000, 0x90)});
    }
  }
  SoundInput::Opened Open(const std::string& input, uint32_t period,
                          std::function<bool()> cancelled = {}, int32_t level = 0) {
    pack::PackSettings s;
    s.input = folder_ + input;
    s.sound_level = level;
    return SoundInput::Open(platform::SystemFileSystem(), s, 0, 10, period, std::move(cancelled));
  }

  std::string folder_ = toolkit::testing::TestFolder();
};

TEST_F(PackSoundInput, ACancelEndsTheMeasuringOfASeries) {
  int asked = 0;
  const SoundInput::Opened cancelled = Open("c??.wav*1-3", 6666, [&asked] { return ++asked == 2; });
  EXPECT_EQ(cancelled.input, nullptr);
  EXPECT_FALSE(cancelled.frames_too_long);
  EXPECT_EQ(asked, 2) << "asked before each item, and no more once it says yes";
  EXPECT_NE(Open("c??.wav*1-3", 6666, [] { return false; }).input, nullptr);
}

// At 11025 bytes a second a ring of a second and two frames of 16771703 bytes is the 32 MiB a
// player keeps; one byte more a frame is refused, and /L-1 asks for no sound at all.
TEST_F(PackSoundInput, FramesTooLongForTheirSound) {
  EXPECT_NE(Open("c01.wav", 152124299).input, nullptr);
  const SoundInput::Opened refused = Open("c01.wav", 152124300);
  EXPECT_EQ(refused.input, nullptr);
  EXPECT_TRUE(refused.frames_too_long);
  const SoundInput::Opened none = Open("c01.wav", 152124300, {}, -1);
  EXPECT_EQ(none.input, nullptr);
  EXPECT_FALSE(none.frames_too_long);
}

}  // namespace
}  // namespace kinet
