// Sound from video files and AVI files: choosing a track, the track's stated length, start and
// end counted in frames, and the failures of each.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/animation_fixtures.h"
#include "tests/support/avi_test_writer.h"
#include "tests/support/graphics_fixtures.h"
#include "tests/support/sound_fixtures.h"
#include "tests/support/sound_input_fixtures.h"

namespace kinet::toolkit::testing {
namespace {

using kinet::testing::ShareOut;
using kinet::testing::ToneBytes;
using kinet::testing::TrackSpec;

constexpr uint32_t kSide = 16;
constexpr uint32_t kRate = 11025;

class SoundVideoTest : public ::testing::Test {
 protected:
  // A video of `frames` frames of `frame_rate` (the header's form) with the given tracks.
  std::string Video(const std::string& name, uint32_t frames, int32_t frame_rate,
                    const std::vector<TrackSpec>& tracks) {
    return kinet::testing::WriteSoundFile(name, {kSide, kSide, frame_rate},
                                          kinet::testing::SpriteAnimation(kSide, kSide, frames),
                                          tracks);
  }
  // An 8-bit mono track `track` (0..6) holding `pcm`, shared out the compressor's way.
  static TrackSpec Track(uint32_t track, const std::vector<uint8_t>& pcm, uint32_t period,
                         uint32_t frames) {
    TrackSpec t;
    t.track = track;
    t.rate = kRate;
    t.per_frame = ShareOut(pcm, kRate, period, frames);
    return t;
  }
  std::unique_ptr<SoundSource> Open(const std::string& path, SoundOptions options = {}) {
    options.callback = log_.Callback();
    return OpenSoundSource(platform::SystemFileSystem(), options, path);
  }
  std::vector<uint8_t> OpenAndRead(const std::string& path, SoundOptions options = {}) {
    auto source = Open(path, options);
    EXPECT_NE(source, nullptr) << path;
    return source ? ReadAll(*source) : std::vector<uint8_t>{};
  }
  static std::vector<uint8_t> Part(const std::vector<uint8_t>& v, size_t from, size_t count) {
    return {v.begin() + from, v.begin() + from + count};
  }

  std::string folder_ = TestFolder();
  MessageLog log_;
  const std::vector<uint8_t> pcm_ = ToneBytes(2 * kRate);
};

TEST_F(SoundVideoTest, TrackZeroTakesTheFirstTrackWithSound) {
  const std::string path = Video("three.knt", 20, 100, {Track(2, pcm_, 10000, 20)});
  auto source = Open(path);
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->kind(), SoundKind::kVideoTrack);
  EXPECT_EQ(source->input_format(), (SoundFormat{kRate, 8, 1}));
  // Twenty frames of 100 ms: two seconds, rounded down to a multiple of 4 bytes.
  EXPECT_EQ(source->length(), 22048u);
  EXPECT_EQ(ReadAll(*source, 500), Part(pcm_, 0, 22048));
  EXPECT_EQ(OpenAndRead(path, {.track = 3}), Part(pcm_, 0, 22048));

  // A name without extension is tried as a video file once it is no WAV file.
  EXPECT_EQ(OpenAndRead(path.substr(0, path.size() - 4)), Part(pcm_, 0, 22048));
}

TEST_F(SoundVideoTest, TracksWithoutSound) {
  const std::string path = Video("one.knt", 4, 100, {Track(0, pcm_, 10000, 4)});
  EXPECT_EQ(Open(path, {.track = 2}), nullptr);
  EXPECT_EQ(Open(path, {.track = 9}), nullptr);  // 8 and more mean track 7
  EXPECT_NE(Open(path, {.track = 1}), nullptr);
  const std::string silent = Video("silent.knt", 4, 100, {});
  EXPECT_EQ(Open(silent), nullptr);
  EXPECT_EQ(log_.Errors(),
            (std::vector<std::string>{std::string(kNoSoundInTrack), std::string(kNoSoundInTrack),
                                      std::string(kNoSoundInFile)}));
}

TEST_F(SoundVideoTest, NegativeStartAndEndCountFrames) {
  const std::string path = Video("frames.knt", 20, 100, {Track(0, pcm_, 10000, 20)});
  // Frame 10 starts after nine frames of 100 ms; frame 15 ends after fifteen.
  EXPECT_EQ(OpenAndRead(path, {.start = -10}), Part(pcm_, 9922, 22048 - 9922));
  EXPECT_EQ(OpenAndRead(path, {.start = -10, .end = -15}), Part(pcm_, 9922, 6615));
  // In a wave list, positive values of a video item count frames too.
  std::ofstream(folder_ + "v.lst") << path << " /S10 /E15\n";
  EXPECT_EQ(OpenAndRead(folder_ + "v.lst"), Part(pcm_, 9922, 6615));
}

TEST_F(SoundVideoTest, RawTrackOfLongFramesKeepsAllItsSound) {
  // Four frames of half a second hold two seconds of 16-bit stereo: four times the rate
  // times the frame count.
  TrackSpec t;
  t.rate = kRate;
  t.format = {true, true};
  t.raw = true;
  const auto pcm = ToneBytes(2 * kRate * 4, 7);
  t.per_frame = ShareOut(pcm, kRate * 4, 50000, 4);
  const std::string path = Video("raw.knt", 4, 500, {t});
  auto source = Open(path);
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->input_format(), (SoundFormat{kRate, 16, 2}));
  EXPECT_EQ(ReadAll(*source, 4096), pcm);
}

class SoundAviTest : public SoundVideoTest {
 protected:
  // Ten frames of 100 ms, with `audio` when given.
  std::string Avi(const std::string& name, const kinet::testing::AviAudio* audio) {
    kinet::testing::AviVideo v;
    v.width = v.height = 4;
    v.scale = 1, v.rate = 10;
    v.palette.assign(768, 9);
    for (int i = 0; i < 10; ++i) {
      v.chunks.push_back(
          kinet::testing::DibRows(std::vector<uint8_t>(16, static_cast<uint8_t>(i)), 4, 4, 8));
    }
    WriteBytes(folder_ + name, kinet::testing::MakeAvi(v, audio));
    return folder_ + name;
  }
};

TEST_F(SoundAviTest, AudioStreamWithStartInFrames) {
  kinet::testing::AviAudio audio;
  audio.bytes = pcm_;
  Avi("movie.avi", &audio);
  auto source = Open(folder_ + "movie");
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->kind(), SoundKind::kAvi);
  EXPECT_EQ(source->input_format(), (SoundFormat{kRate, 8, 1}));
  EXPECT_EQ(ReadAll(*source, 999), pcm_);
  // Frame 3 starts after two frames of 100 ms.
  EXPECT_EQ(OpenAndRead(folder_ + "movie.avi", {.start = -3, .end = 500}), Part(pcm_, 2205, 3307));
}

TEST_F(SoundAviTest, AviWithoutPcmAudio) {
  Avi("mute.avi", nullptr);
  EXPECT_EQ(Open(folder_ + "mute.avi"), nullptr);
  EXPECT_EQ(log_.Errors(), std::vector<std::string>{std::string(kErrorReadingAvi)});
}

}  // namespace
}  // namespace kinet::toolkit::testing
