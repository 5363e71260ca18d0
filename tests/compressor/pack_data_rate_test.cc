// kinetpackw at data rates on every generated kind of content, and with a sound track: the
// busiest second of the written file (from its frame size table, every window of a second
// included) lands between 90 and 100 % of the rate asked for, from a low rate to one just below
// what exact coding needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "compressor/animation_writer.h"
#include "compressor/kinetpackw/pack_run.h"
#include "lib/core/format.h"
#include "platform/clock/clock.h"
#include "platform/files/memory_file_system.h"
#include "tests/support/animation_fixtures.h"
#include "tests/support/content_kinds.h"
#include "tests/support/sound_fixtures.h"

namespace kinet {
namespace {

constexpr uint32_t kFrames = 20, kPerSecond = 10;

class PackDataRate : public ::testing::Test {
 protected:
  int Pack(const std::vector<std::string>& words) {
    ::testing::internal::CaptureStderr();
    const int status = pack::RunPack(words, files_, clock_);
    said_ = ::testing::internal::GetCapturedStderr();
    return status;
  }
  // The largest sum of the record sizes of a second's frames, over every window from the one
  // starting at record `first` on.
  uint64_t BusiestSecond(const std::string& path, size_t first_window = 0) const {
    const std::string* file = files_.Content(path);
    if (!file || file->size() < KINET_HEADER_SIZE) return 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(file->data());
    const KinetHeader header = ParseHeader(bytes);
    std::vector<uint64_t> sizes;
    for (uint32_t i = 0; i < header.Frames; ++i)
      sizes.push_back(LoadLe32(bytes + KINET_HEADER_SIZE + 4 * size_t{i}));
    uint64_t busiest = 0;
    for (size_t first = first_window; first + kPerSecond <= sizes.size(); ++first) {
      uint64_t second = 0;
      for (size_t i = first; i < first + kPerSecond; ++i) second += sizes[i];
      busiest = std::max(busiest, second);
    }
    return busiest;
  }

  platform::MemoryFileSystem files_;
  platform::ManualClock clock_;
  std::string said_;
};

TEST_F(PackDataRate, BusiestSecondHoldsTheRateOnEveryKindOfContent) {
  for (testing::ContentKind kind : testing::kAllContentKinds) {
    SCOPED_TRACE(testing::NameOf(kind));
    const auto [w, h] = testing::SizeOf(kind);
    ASSERT_EQ(encoder::WriteAnimation(files_, "/in.knt", {w, h, -100000 / int32_t{kPerSecond}},
                                      testing::MakeContent(kind, kFrames)),
              encoder::WriteStatus::kOk);
    ASSERT_EQ(Pack({"/in.knt", "/exact.knt", "/N0", "/O"}), 0) << said_;
    const uint64_t needed = BusiestSecond("/exact.knt");
    for (uint64_t percent : {50, 70, 90}) {
      const uint64_t rate = needed * percent / 100;
      SCOPED_TRACE(rate);
      ASSERT_EQ(Pack({"/in.knt", "/rate.knt", "/N" + std::to_string(rate), "/O"}), 0) << said_;
      const uint64_t busiest = BusiestSecond("/rate.knt");
      EXPECT_LE(busiest, rate);
      EXPECT_GE(busiest * 10, rate * 9);
    }
  }
}

// The sound records come out of the same budget: 22 kHz 16-bit stereo takes two fifths to a
// half of each rate, and the pictures have what is left. The first record also carries the second the
// sound runs ahead of the picture, which a player reads before it starts: its window is left
// out, as the library's busiest second leaves it out.
TEST_F(PackDataRate, BusiestSecondHoldsTheRateWithASoundTrack) {
  constexpr uint32_t kSoundFrames = 30, kBytesPerSecond = 22050 * 4;
  testing::TrackSpec sound;
  sound.rate = 22050;
  sound.format = {true, true};
  sound.per_frame = testing::ShareOut(testing::ToneBytes(3 * kBytesPerSecond), kBytesPerSecond,
                                      100000 / kPerSecond, kSoundFrames);
  const auto [w, h] = testing::SizeOf(testing::ContentKind::kSprites);
  const std::string source = testing::WriteSoundFile(
      "rate_sound.knt", {w, h, -100000 / int32_t{kPerSecond}},
      testing::MakeContent(testing::ContentKind::kSprites, kSoundFrames), {sound});
  const std::vector<uint8_t> bytes = testing::ReadWholeFile(source);
  files_.AddFile("/in.knt", std::string(bytes.begin(), bytes.end()));

  ASSERT_EQ(Pack({"/in.knt", "/exact.knt", "/N0", "/O"}), 0) << said_;
  ASSERT_EQ(Pack({"/in.knt", "/silent.knt", "/N0", "/L-1", "/O"}), 0) << said_;
  const uint64_t needed = BusiestSecond("/exact.knt", 1),
                 pictures = BusiestSecond("/silent.knt", 1);
  ASSERT_GT(needed, pictures + kBytesPerSecond / 4) << "the sound is in the exact file";
  for (uint64_t percent : {40, 80}) {
    const uint64_t rate = needed - pictures + pictures * percent / 100;
    SCOPED_TRACE(rate);
    ASSERT_EQ(Pack({"/in.knt", "/rate.knt", "/N" + std::to_string(rate), "/O"}), 0) << said_;
    const uint64_t busiest = BusiestSecond("/rate.knt", 1);
    EXPECT_LE(busiest, rate);
    EXPECT_GE(busiest * 10, rate * 9);
  }
}

}  // namespace
}  // namespace kinet
