// Sound tracks: how much sound each frame carries and where it comes from, and sound that
// decodes from the written file to exactly the source's samples at level 0.
#include "compressor/sound_track_encoder.h"

#include <gtest/gtest.h>

#include <cstring>

#include "kinet/kinet.h"
#include "tests/support/encode_fixtures.h"
#include "tools/kntsample/sample_animation.h"

namespace kinet {
namespace {

class MemoryPcm : public encoder::PcmSupply {
 public:
  explicit MemoryPcm(std::vector<uint8_t> pcm) : pcm_(std::move(pcm)) {}
  size_t Read(uint8_t* out, size_t wanted) override {
    const size_t n = std::min(wanted, pcm_.size() - at_);
    if (n > 0) std::memcpy(out, pcm_.data() + at_, n);
    at_ += n;
    return n;
  }
  bool Rewind() override {
    at_ = 0;
    ++rewinds;
    return true;
  }
  int rewinds = 0;

 private:
  std::vector<uint8_t> pcm_;
  size_t at_ = 0;
};

std::vector<uint8_t> Ramp(size_t n, uint8_t start = 1) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(start + i % 200);
  return v;
}

encoder::TrackSettings Mono8(uint64_t track_length) {
  encoder::TrackSettings s;
  s.rate = 1000;
  s.period = 10000;  // 10 frames per second
  s.track_length = track_length;
  return s;
}

std::vector<uint8_t> Filled(encoder::SoundTrackEncoder& track, uint32_t wanted) {
  const uint32_t n = track.Fill(wanted);
  return std::vector<uint8_t>(track.samples().begin(), track.samples().begin() + n);
}

TEST(SoundTrackEncoder, ShortSoundIsFollowedBySilenceUpToTheTrackLength) {
  MemoryPcm pcm(Ramp(300));
  encoder::SoundTrackEncoder track(pcm, Mono8(500));
  std::vector<uint8_t> expected = Ramp(300);
  expected.resize(400, 0x80);
  EXPECT_EQ(Filled(track, 400), expected);
  EXPECT_EQ(Filled(track, 400), std::vector<uint8_t>(100, 0x80));
  EXPECT_EQ(track.Fill(400), 0u);  // the track is complete
}

TEST(SoundTrackEncoder, ReadingStopsAtTheTrackLength) {
  // A sound longer than the track: only the track's length is taken, and nothing follows.
  MemoryPcm pcm(Ramp(1000));
  encoder::SoundTrackEncoder track(pcm, Mono8(250));
  EXPECT_EQ(Filled(track, 400), Ramp(250));
  EXPECT_EQ(track.Fill(400), 0u);
  EXPECT_EQ(track.Fill(400), 0u);
}

TEST(SoundTrackEncoder, LoopingAndLeadingSilence) {
  MemoryPcm pcm(Ramp(100));
  encoder::TrackSettings s = Mono8(1250);
  s.loop = true;
  s.leading_silence = 1000;  // a second
  encoder::SoundTrackEncoder track(pcm, s);
  EXPECT_EQ(Filled(track, 1000), std::vector<uint8_t>(1000, 0x80));
  std::vector<uint8_t> expected = Ramp(100);
  expected.insert(expected.end(), expected.begin(), expected.end());
  expected.insert(expected.end(), expected.begin(), expected.begin() + 50);
  EXPECT_EQ(Filled(track, 1000), expected);
  EXPECT_EQ(pcm.rewinds, 2);
}

TEST(SoundTrackEncoder, RingRestartKeepsItsLeadingSilenceInsideTheRecord) {
  MemoryPcm pcm(Ramp(60));
  encoder::TrackSettings s = Mono8(100);
  s.ring = true;
  s.leading_silence = 40;
  encoder::SoundTrackEncoder track(pcm, s);
  // 40 silent, 60 of sound, then the track starts again: 40 silent and the sound once more,
  // all inside the 180 bytes asked for.
  std::vector<uint8_t> expected(40, 0x80);
  const std::vector<uint8_t> ramp = Ramp(60);
  expected.insert(expected.end(), ramp.begin(), ramp.end());
  expected.insert(expected.end(), 40, 0x80);
  expected.insert(expected.end(), ramp.begin(), ramp.begin() + 40);
  EXPECT_EQ(Filled(track, 180), expected);
  // A restart that comes with less room than the leading silence fills only that room.
  MemoryPcm short_pcm(Ramp(60));
  encoder::SoundTrackEncoder tight(short_pcm, s);
  EXPECT_EQ(tight.Fill(120), 120u);
  EXPECT_EQ(Filled(tight, 120).size(), 120u);
}

TEST(SoundTrackEncoder, SixteenBitSilenceIsZero) {
  MemoryPcm pcm({});
  encoder::TrackSettings s = Mono8(64);
  s.format.sixteen_bit = true;
  encoder::SoundTrackEncoder track(pcm, s);
  EXPECT_EQ(Filled(track, 63), std::vector<uint8_t>(62, 0));  // whole sample frames
}

// A 16-bit stereo sound shorter than the video, coded at level 0 into a video file, decodes
// frame by frame to exactly the source followed by silence; the first frame carries a second
// and a frame of it.
TEST(SoundTrackEncoder, LevelZeroDecodesToTheSourceSamples) {
  const auto frames = sample::BouncingBall(64, 48, 20);
  std::vector<uint8_t> pcm(22050 * 4);  // 1 second of 22050 Hz 16-bit stereo
  uint32_t seed = 99;
  for (size_t i = 0; i < pcm.size(); i += 2) {
    seed = seed * 1103515245 + 12345;
    const int16_t v = static_cast<int16_t>((i / 4 % 300) * 50 - 7000 + (seed >> 24));
    pcm[i] = static_cast<uint8_t>(v);
    pcm[i + 1] = static_cast<uint8_t>(v >> 8);
  }
  MemoryPcm supply(pcm);
  encoder::TrackSettings s;
  s.format = {true, true};
  s.rate = 22050;
  s.period = 6666;
  s.track_length = encoder::TrackBytes(20 * 6666 / 100, s.bytes_per_second(), 4);
  encoder::SoundTrackEncoder track(supply, s);

  const std::string path = testing::FreshTempPath("sound.knt");
  encoder::PackStatus status;
  auto job =
      encoder::VideoJob::Create(platform::SystemFileSystem(), testing::SettingsFor(64, 48, 0, 0),
                                testing::TempDirectory(), &status, &track);
  ASSERT_TRUE(job);
  for (size_t i = 0; i < frames.size(); ++i) {
    const encoder::FramePicture p{frames[i].pixels.data(), frames[i].palette.data(), 0};
    ASSERT_EQ(job->AddFrame(p, nullptr), encoder::PackStatus::kOk);
  }
  uint64_t bytes = 0;
  ASSERT_EQ(job->Write(path, {64, 48, -6666, 0, 20}, nullptr, &bytes),
            encoder::PackStatus::kOk);

  KinetHandle* h = KinetOpen(path.c_str(), 0, -1);
  ASSERT_TRUE(h);
  EXPECT_EQ(h->AudioRate[0], 22050u | 0xF0000000u);
  std::vector<uint8_t> decoded, record(h->AudioSize[0]);
  for (uint32_t i = 0; i < h->Frames; ++i) {
    const uint32_t n = KinetGetTrackData(h, record.data(), KINET_OPEN_TRACK(0));
    if (i == 0) {
      EXPECT_EQ(n, (6666 * 88200 / 100000 + 88200 + 3) / 4 * 4);
    }
    decoded.insert(decoded.end(), record.begin(), record.begin() + n);
    KinetNextFrame(h);
  }
  KinetClose(h);
  std::vector<uint8_t> expected = pcm;
  expected.resize(s.track_length, 0);
  EXPECT_EQ(decoded, expected);
  // The totals the mixer's ratio comes from.
  EXPECT_EQ(track.decoded_total(), s.track_length);
  EXPECT_GT(track.record_total(), 0u);
  EXPECT_LT(track.record_total(), track.decoded_total());
}

}  // namespace
}  // namespace kinet
