// Sound tracks through the C interface with a clock-driven test driver: what reaches the
// device, when KinetWait releases a frame, late frames, ring overflow, underruns, switching
// the sound off and on, and clock pacing without sound. Nothing waits for real time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "kinet/kinet.h"
#include "lib/core/format.h"
#include "lib/playback/handle_state.h"
#include "lib/playback/library_clock.h"
#include "lib/playback/sound_output.h"
#include "platform/audio/test_sound_driver.h"
#include "tests/support/animation_fixtures.h"
#include "tests/support/sound_fixtures.h"

namespace kinet::testing {
namespace {

constexpr uint32_t kRate = 11025;    // 8-bit mono: bytes per second too
constexpr int32_t kFrameRate = 100;  // ms per frame: P = 10000, 1102.5 bytes per frame
constexpr uint32_t kWidth = 32, kHeight = 16;

class SoundPlayback : public ::testing::Test {
 protected:
  void SetUp() override {
    SetLibraryClock(&clock_);
    SetSoundDriverForTesting(&driver_);
  }
  void TearDown() override {
    SetSoundDriverForTesting(nullptr);
    SetLibraryClock(nullptr);
  }

  // A file of `frames` frames whose track 0 carries `pcm` shared out a second ahead.
  std::string MonoFile(uint32_t frames, const std::vector<uint8_t>& pcm,
                       int32_t frame_rate = kFrameRate) {
    TrackSpec t;
    t.per_frame = ShareOut(pcm, kRate, 10000, frames);
    return WithTracks(frames, {t}, frame_rate);
  }
  std::string WithTracks(uint32_t frames, const std::vector<TrackSpec>& tracks,
                         int32_t frame_rate = kFrameRate) {
    frames_ = SpriteAnimation(kWidth, kHeight, frames);
    return WriteSoundFile("sound.knt", {kWidth, kHeight, frame_rate}, frames_, tracks);
  }

  platform::ManualClock clock_{1000};
  platform::TestSoundDriver driver_{clock_, 5000};
  std::vector<encoder::AnimationFrame> frames_;
};

struct Player {
  KinetHandle* h;
  std::vector<uint8_t> buffer = std::vector<uint8_t>(kWidth * kHeight, 0xEE);
  Player(const std::string& path, uint32_t flags) : h(KinetOpen(path.c_str(), flags, -1)) {
    if (h) KinetToBuffer(h, 0, 0, kWidth, kHeight, buffer.data(), 0);
  }
  ~Player() { KinetClose(h); }
  SoundTrack& Track(int t) { return *StateOf(h)->sound.tracks[t]; }
};

TEST_F(SoundPlayback, TracksOpenWhenTheFileHasThemAndADeviceTakesThem) {
  TrackSpec mono, stereo;
  mono.per_frame = {ToneBytes(400)};
  stereo.track = 2;
  stereo.rate = 8000;
  stereo.format = {true, true};
  stereo.per_frame = {ToneBytes(800)};
  const std::string path = WithTracks(3, {mono, stereo});
  {
    Player p(path, KINET_OPEN_TRACK(0) | KINET_OPEN_TRACK(2) | KINET_OPEN_TRACK(5));
    ASSERT_NE(p.h, nullptr);
    EXPECT_EQ(p.h->OpenFlags & KINET_OPEN_TRACK_MASK, KINET_OPEN_TRACK(0) | KINET_OPEN_TRACK(2));
    ASSERT_EQ(driver_.logs().size(), 2u);
    EXPECT_EQ(driver_.logs()[1]->format.channels, 2u);
    EXPECT_EQ(driver_.logs()[1]->format.bits, 16u);
    EXPECT_EQ(driver_.logs()[1]->format.rate, 8000u);
    EXPECT_EQ(KinetSoundInTrack(p.h, KINET_OPEN_TRACK(2) | KINET_OPEN_TRACK(5)), 1u);
    EXPECT_EQ(KinetSoundInTrack(p.h, KINET_OPEN_TRACK(1) | KINET_OPEN_TRACK(5)), 0u);
    EXPECT_EQ(KinetSoundUseWin(), 0u);  // a driver is installed
    EXPECT_EQ(OpenStreamCount(), 2);
  }
  EXPECT_EQ(OpenStreamCount(), 0);
  EXPECT_FALSE(driver_.logs()[0]->open);

  // Without a device the tracks are left out and the picture plays, paced by the clock.
  driver_.set_fail_opens(true);
  Player p(path, KINET_OPEN_TRACK(0));
  ASSERT_NE(p.h, nullptr);
  EXPECT_EQ(p.h->OpenFlags & KINET_OPEN_TRACK_MASK, 0u);
  EXPECT_EQ(KinetDoFrame(p.h), 0u);
  EXPECT_EQ(p.buffer, frames_[0].pixels);
  EXPECT_EQ(KinetWait(p.h), 1u);
  clock_.Advance(100);
  EXPECT_EQ(KinetWait(p.h), 0u);
}

TEST_F(SoundPlayback, TheDeviceIsGivenExactlyTheDecodedSoundOfEveryTrack) {
  TrackSpec coded, raw;
  const auto mono = ToneBytes(30000, 3);
  coded.per_frame = ShareOut(mono, kRate, 10000, 12);
  raw.track = 1;
  raw.raw = true;
  raw.format = {true, true};
  const auto stereo = ToneBytes(8000 * 4 * 2, 5);  // two seconds of 16-bit stereo at 8000
  raw.rate = 8000;
  raw.per_frame = ShareOut(stereo, 32000, 10000, 12);
  Player p(WithTracks(12, {coded, raw}), KINET_OPEN_TRACK(0) | KINET_OPEN_TRACK(1));
  ASSERT_NE(p.h, nullptr);
  for (uint32_t f = 0; f < 12; ++f) {
    KinetDoFrame(p.h);
    EXPECT_EQ(p.buffer, frames_[f].pixels) << f;
    for (int i = 0; i < 100 && KinetWait(p.h); ++i) clock_.Advance(10);
    if (f < 11) KinetNextFrame(p.h);
  }
  for (int i = 0; i < 100; ++i) {
    clock_.Advance(100);
    KinetSoundCheck();
  }
  auto joined = [](const std::vector<std::vector<uint8_t>>& parts) {
    std::vector<uint8_t> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  };
  EXPECT_EQ(driver_.logs()[0]->taken, joined(coded.per_frame));
  EXPECT_EQ(driver_.logs()[1]->taken, joined(raw.per_frame));
}

TEST_F(SoundPlayback, WaitReleasesTheFrameWhenTheSoundReachesItsDuePosition) {
  Player p(MonoFile(10, ToneBytes(60000)), KINET_OPEN_TRACK(0));
  ASSERT_NE(p.h, nullptr);
  KinetDoFrame(p.h);
  EXPECT_EQ(KinetWait(p.h), 1u);
  clock_.Advance(100);  // 1102 bytes played; the frame is due at 1102.5
  EXPECT_EQ(KinetWait(p.h), 1u);
  clock_.Advance(1);
  EXPECT_EQ(KinetWait(p.h), 0u);
  EXPECT_EQ(KinetWait(p.h), 0u);
  KinetNextFrame(p.h);
  EXPECT_EQ(KinetDoFrame(p.h), 0u);
  clock_.Advance(98);  // 2194 bytes; due at 2205
  EXPECT_EQ(KinetWait(p.h), 1u);
  clock_.Advance(1);
  EXPECT_EQ(KinetWait(p.h), 0u);
}

TEST_F(SoundPlayback, WaitingForTheSoundReadsAheadOneBlock) {
  const std::string path = MonoFile(10, ToneBytes(60000));
  KinetHandle* h = KinetOpen(path.c_str(), KINET_OPEN_TRACK(0), 8192);
  ASSERT_NE(h, nullptr);
  const ReadStats& reads = StateOf(h)->reads;
  ASSERT_FALSE(StateOf(h)->source->preloaded());
  KinetDoFrame(h);
  const uint64_t before = reads.idle.bytes;
  EXPECT_EQ(KinetWait(h), 1u);
  EXPECT_GT(reads.idle.bytes, before);
  EXPECT_LE(reads.idle.bytes, before + 4096);
  KinetClose(h);
}

TEST_F(SoundPlayback, LateFramesAreSkippedUnlessOpenedWithNoSkip) {
  const std::string path = MonoFile(10, ToneBytes(60000));
  for (uint32_t flags : {0u, unsigned{KINET_OPEN_NO_SKIP}}) {
    Player p(path, KINET_OPEN_TRACK(0) | flags);
    ASSERT_NE(p.h, nullptr);
    EXPECT_EQ(KinetDoFrame(p.h), 0u);
    clock_.Advance(900);  // frame 1 is late once the sound passes 2205 + 5512.5 bytes (700 ms)
    KinetNextFrame(p.h);
    EXPECT_EQ(KinetDoFrame(p.h), 1u);
    EXPECT_EQ(p.buffer, frames_[flags ? 1 : 0].pixels);
    EXPECT_EQ(KinetWait(p.h), 0u);
    KinetSummaryRecord sum;
    KinetSummary(p.h, &sum);
    EXPECT_EQ(sum.FramesSkipped, flags ? 0u : 1u);
  }
}

TEST_F(SoundPlayback, TheVideoNeverWaitsForSoundTheFileDoesNotContain) {
  TrackSpec t;
  t.per_frame = {ToneBytes(500), ToneBytes(2000)};  // 45 ms, then 181 ms, then nothing
  Player p(WithTracks(6, {t}), KINET_OPEN_TRACK(0));
  ASSERT_NE(p.h, nullptr);
  // Frame 0 is due when its 500 bytes have played, not at 1102.5 bytes that never come; then
  // the clock takes over for the rest of its period.
  KinetDoFrame(p.h);
  EXPECT_EQ(KinetWait(p.h), 1u);
  clock_.Advance(46);
  EXPECT_EQ(KinetWait(p.h), 1u);
  clock_.Advance(100);
  EXPECT_EQ(KinetWait(p.h), 0u);
  KinetNextFrame(p.h);
  // Frame 1 brings enough for its own period: paced by the sound again.
  KinetDoFrame(p.h);
  EXPECT_EQ(KinetWait(p.h), 1u);
  clock_.Advance(100);  // the device ran dry at 500 bytes; 1102 of frame 1's share played
  EXPECT_EQ(KinetWait(p.h), 1u);
  clock_.Advance(1);
  EXPECT_EQ(KinetWait(p.h), 0u);
  // All the sound has played: later frames neither wait for sound nor race; the clock paces.
  clock_.Advance(200);
  for (int f = 2; f < 6; ++f) {
    KinetNextFrame(p.h);
    EXPECT_EQ(KinetDoFrame(p.h), 0u);
    EXPECT_EQ(KinetWait(p.h), 1u) << f;
    clock_.Advance(100);
    EXPECT_EQ(KinetWait(p.h), 0u) << f;
  }
}

TEST_F(SoundPlayback, SoundBeyondTheFreeRingSpaceIsCutAndCounted) {
  TrackSpec t;
  const auto pcm = ToneBytes(30000);
  t.per_frame = {pcm};
  Player p(WithTracks(3, {t}), KINET_OPEN_TRACK(0));
  ASSERT_NE(p.h, nullptr);
  SoundTrack& track = p.Track(0);
  // 11025 + 2 x 1102 + 4095 rounded down to a multiple of 4096.
  ASSERT_EQ(track.capacity(), 16384u);
  KinetDoFrame(p.h);
  EXPECT_EQ(track.overflows, 1u);
  EXPECT_EQ(track.delivered, 16384u);
  EXPECT_EQ(driver_.logs()[0]->taken, std::vector<uint8_t>(pcm.begin(), pcm.begin() + 16384));
}

TEST_F(SoundPlayback, AnUnderrunQueuesSilenceUpToTheLowWaterMark) {
  platform::TestSoundDriver small(clock_, 250);
  SetSoundDriverForTesting(&small);
  Player p(MonoFile(10, ToneBytes(60000)), KINET_OPEN_TRACK(0));
  ASSERT_NE(p.h, nullptr);
  SoundTrack& track = p.Track(0);
  const uint32_t low_water = p.h->AudioSize[0] & ~3u;
  KinetDoFrame(p.h);  // 12128 bytes in, the device takes 250 ms of them
  const uint64_t delivered = track.delivered;
  const uint32_t held = track.held;
  clock_.Advance(3000);  // the device plays its 250 ms and runs dry
  KinetNextFrame(p.h);
  const uint32_t frame_sound = LoadLe32(StateOf(p.h)->parts.audio[0] + 4);
  ASSERT_LT(frame_sound, low_water);
  KinetDoFrame(p.h);
  const uint32_t silence = low_water - held - frame_sound;  // tops the ring up, no more
  EXPECT_EQ(track.delivered, delivered + silence + frame_sound);
  KinetSummaryRecord sum;
  KinetSummary(p.h, &sum);
  EXPECT_EQ(sum.SoundUnderruns, 1u);
  for (int i = 0; i < 200; ++i) {
    clock_.Advance(50);
    KinetSoundCheck();
  }
  const auto& taken = small.logs()[0]->taken;
  EXPECT_EQ(std::count(taken.begin(), taken.end(), 0x80), silence);
  SetSoundDriverForTesting(&driver_);
}

TEST_F(SoundPlayback, SoundOffAndOnInTheMiddleOfAFile) {
  Player p(MonoFile(10, ToneBytes(60000)), KINET_OPEN_TRACK(0));
  ASSERT_NE(p.h, nullptr);
  SoundTrack& track = p.Track(0);
  for (int f = 0; f < 3; ++f) {
    KinetDoFrame(p.h);
    while (KinetWait(p.h)) clock_.Advance(5);
    KinetNextFrame(p.h);
  }
  ASSERT_EQ(KinetSoundOnOff(p.h, 0), 1u);
  EXPECT_EQ(driver_.logs()[0]->stops, 1);
  EXPECT_EQ(track.held, 0u);
  // With the sound off the clock paces the picture.
  KinetDoFrame(p.h);
  const uint64_t delivered = track.delivered;
  EXPECT_EQ(KinetWait(p.h), 1u);
  clock_.Advance(99);
  EXPECT_EQ(KinetWait(p.h), 1u);
  clock_.Advance(1);
  EXPECT_EQ(KinetWait(p.h), 0u);
  KinetNextFrame(p.h);
  KinetDoFrame(p.h);
  EXPECT_EQ(track.delivered, delivered);  // nothing fed while off

  ASSERT_EQ(KinetSoundOnOff(p.h, 1), 1u);
  EXPECT_EQ(driver_.logs()[0]->restarts, 1);
  EXPECT_EQ(track.due, StateOf(p.h)->sound.master->stream->Position() << kFractionBits);
  EXPECT_EQ(track.late, track.due + (uint64_t{kRate} << 9));
  // The ring was topped up with silence to the low-water mark.
  EXPECT_EQ(track.delivered, delivered + (p.h->AudioSize[0] & ~3u));
  const auto& taken = driver_.logs()[0]->taken;
  EXPECT_EQ(std::count(taken.begin(), taken.end(), 0x80), p.h->AudioSize[0] & ~3u);
  // The next frame feeds again and waits for the sound.
  KinetNextFrame(p.h);
  KinetDoFrame(p.h);
  EXPECT_EQ(KinetWait(p.h), 1u);
  EXPECT_GT(track.delivered, delivered);

  driver_.set_fail_restarts(true);
  KinetSoundOnOff(p.h, 0);
  EXPECT_EQ(KinetSoundOnOff(p.h, 1), 0u);
  driver_.set_fail_restarts(false);

  // At frame 0 the frame itself brings a second of sound: no silence goes before it.
  Player first(MonoFile(10, ToneBytes(60000)), KINET_OPEN_TRACK(0));
  ASSERT_EQ(KinetSoundOnOff(first.h, 0), 1u);
  ASSERT_EQ(KinetSoundOnOff(first.h, 1), 1u);
  EXPECT_EQ(first.Track(0).delivered, 0u);
}

TEST_F(SoundPlayback, PositioningAtFrameZeroRestartsTheSoundWhenItIsTheOnlyOne) {
  const std::string path = MonoFile(4, ToneBytes(60000));
  Player p(path, KINET_OPEN_TRACK(0));
  ASSERT_NE(p.h, nullptr);
  for (int f = 0; f < 4; ++f) {
    KinetDoFrame(p.h);
    clock_.Advance(100);
    KinetNextFrame(p.h);
  }
  ASSERT_EQ(p.h->FrameNum, 0u);
  EXPECT_EQ(driver_.logs()[0]->resets, 1);
  EXPECT_EQ(p.Track(0).delivered, 0u);
  EXPECT_EQ(p.Track(0).due, 0u);
  // With a second handle playing sound as well, the sound runs on.
  Player other(path, KINET_OPEN_TRACK(0));
  KinetDoFrame(p.h);
  KinetGoto(p.h, 3);
  KinetGoto(p.h, 1);
  EXPECT_EQ(driver_.logs()[0]->resets, 1);
  EXPECT_GT(p.Track(0).delivered, 0u);
}

TEST_F(SoundPlayback, TrackDataOnDemandAndVolumePan) {
  TrackSpec coded, raw;
  coded.track = 2;
  coded.lossy_level = 0;
  coded.per_frame = {ToneBytes(3000, 1), {}, ToneBytes(10, 2)};
  raw.track = 5;
  raw.raw = true;
  raw.per_frame = {ToneBytes(700, 3)};
  Player p(WithTracks(3, {coded, raw}), KINET_OPEN_TRACK(5));
  ASSERT_NE(p.h, nullptr);
  std::vector<uint8_t> dest(4096);
  EXPECT_EQ(KinetGetTrackData(p.h, dest.data(), KINET_OPEN_TRACK(2) | KINET_OPEN_TRACK(5)), 3000u);
  EXPECT_TRUE(std::equal(coded.per_frame[0].begin(), coded.per_frame[0].end(), dest.begin()));
  EXPECT_EQ(KinetGetTrackData(p.h, dest.data(), KINET_OPEN_TRACK(5)), 700u);
  EXPECT_TRUE(std::equal(raw.per_frame[0].begin(), raw.per_frame[0].end(), dest.begin()));
  EXPECT_EQ(KinetGetTrackData(p.h, dest.data(), KINET_OPEN_TRACK(1)), 0u);
  EXPECT_EQ(KinetGetTrackData(p.h, dest.data(), 0), 0u);
  KinetNextFrame(p.h);
  EXPECT_EQ(KinetGetTrackData(p.h, dest.data(), KINET_OPEN_TRACK(2)), 0u);  // no record

  EXPECT_EQ(KinetVolumePan(p.h, KINET_OPEN_TRACK(2), 100, 100), 0u);  // not opened
  EXPECT_EQ(KinetVolumePan(p.h, KINET_OPEN_TRACK(5), 70000, 100000), 1u);
  EXPECT_EQ(driver_.logs()[0]->volume, 65536u);
  EXPECT_EQ(driver_.logs()[0]->pan, 65536u);
}

TEST_F(SoundPlayback, ClockPacingWithoutSound) {
  // A period of 0: the very first wait says "not yet", every later one "now".
  Player unpaced(WithTracks(3, {}, 0), 0);
  ASSERT_NE(unpaced.h, nullptr);
  ASSERT_EQ(unpaced.h->ReadError, 0u);
  ASSERT_EQ(unpaced.h->FrameRate, 0);
  EXPECT_EQ(KinetWait(unpaced.h), 1u);
  for (int f = 0; f < 3; ++f) {
    EXPECT_EQ(KinetWait(unpaced.h), 0u);
    EXPECT_EQ(KinetWait(unpaced.h), 0u);
    KinetNextFrame(unpaced.h);
  }
  // Ten frames per second: after a stall of 350 ms the next frame is due 100 ms from now.
  Player p(WithTracks(4, {}), 0);
  ASSERT_NE(p.h, nullptr);
  EXPECT_EQ(KinetWait(p.h), 1u);
  clock_.Advance(100);
  EXPECT_EQ(KinetWait(p.h), 0u);
  EXPECT_EQ(KinetWait(p.h), 0u);  // released until the next frame is read
  KinetNextFrame(p.h);
  clock_.Advance(350);
  EXPECT_EQ(KinetWait(p.h), 0u);
  KinetNextFrame(p.h);
  EXPECT_EQ(KinetWait(p.h), 1u);
  clock_.Advance(99);
  EXPECT_EQ(KinetWait(p.h), 1u);
  clock_.Advance(1);
  EXPECT_EQ(KinetWait(p.h), 0u);
  EXPECT_EQ(KinetWait(nullptr), 0u);
}

}  // namespace
}  // namespace kinet::testing

namespace kinet::testing {
namespace {

// Offset of frame 0's first audio record in a file written by WriteSoundFile.
size_t FirstAudioRecord(const std::vector<uint8_t>& file) {
  const uint32_t records = LoadLe32(&file[12]);
  size_t at = KINET_HEADER_SIZE + 5 * size_t{records} + LoadLe32(&file[52]);
  if (file[KINET_HEADER_SIZE + 4 * size_t{records}] & KINET_FRAME_PALETTE) at += file[at] * 4u;
  return at;
}

TEST_F(SoundPlayback, RecordsThatLieAboutTheirLengthsStayInsideRingAndDestination) {
  TrackSpec t;
  t.per_frame = {ToneBytes(3000), ToneBytes(3000)};
  const std::string path = WithTracks(2, {t});
  auto bytes = ReadWholeFile(path);
  const size_t record = FirstAudioRecord(bytes);
  ASSERT_EQ(LoadLe32(&bytes[record + 4]), 3000u);

  // The header says no record holds more than 1000 bytes: the caller's buffer is that large.
  auto small = bytes;
  StoreLe32(&small[24], 1000);
  WriteWholeFile(path, small);
  {
    Player p(path, 0);
    ASSERT_NE(p.h, nullptr);
    std::vector<uint8_t> dest(1001, 0xEE);
    EXPECT_EQ(KinetGetTrackData(p.h, dest.data(), KINET_OPEN_TRACK(0)), 1000u);
    EXPECT_EQ(dest[1000], 0xEE);
  }
  // A record that claims far more sound than its bits hold, and one whose length field runs
  // past the frame: the ring takes what fits and what the bits give, nothing more.
  for (uint32_t field : {4u, 0u}) {
    auto lying = bytes;
    StoreLe32(&lying[record + field], 0x40000000u);
    WriteWholeFile(path, lying);
    Player p(path, KINET_OPEN_TRACK(0));
    ASSERT_NE(p.h, nullptr);
    KinetDoFrame(p.h);
    SoundTrack& track = p.Track(0);
    EXPECT_LE(track.delivered, track.capacity());
    KinetNextFrame(p.h);
    KinetDoFrame(p.h);
    EXPECT_LE(track.held, track.capacity());
  }
}

}  // namespace
}  // namespace kinet::testing
