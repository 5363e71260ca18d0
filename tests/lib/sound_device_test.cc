// End to end through a real SDL device: SDL's disk driver writes what the device plays to a
// file, which must hold the decoded sound of the video file in order. Between the pieces of
// sound the device may play silence; the test sound never contains the silence byte, so
// dropping it from the file leaves exactly the sound.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "kinet/kinet.h"
#include "lib/playback/handle_state.h"
#include "lib/playback/sound_output.h"
#include "platform/audio/sound_driver.h"
#include "tests/support/animation_fixtures.h"
#include "tests/support/sound_fixtures.h"

namespace kinet::testing {
namespace {

constexpr uint32_t kRate = 11025;

// SDL reads the driver once, when its audio starts; the file name at every device open.
void UseDiskDevice(const std::string& device_file) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", device_file.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "1", 1);  // a buffer per millisecond: faster than real time
}

// Plays every frame of a file with one 8-bit mono track, pacing by KinetWait, until the device
// has played all of it; returns the sound that was put into the file.
std::vector<uint8_t> PlayThrough(const std::string& device_file) {
  UseDiskDevice(device_file);
  TrackSpec track;
  track.per_frame = ShareOut(ToneBytes(40000, 9), kRate, 10000, 15);
  std::vector<uint8_t> sound;
  for (const auto& part : track.per_frame) sound.insert(sound.end(), part.begin(), part.end());
  const std::string path =
      WriteSoundFile("device.knt", {32, 16, 100}, SpriteAnimation(32, 16, 15), {track});
  KinetHandle* h = KinetOpen(path.c_str(), KINET_OPEN_TRACK(0), -1);
  EXPECT_NE(h, nullptr);
  if (!h) return sound;
  EXPECT_EQ(h->OpenFlags & KINET_OPEN_TRACK_MASK, KINET_OPEN_TRACK(0)) << "no disk audio device";

  // Only a safety net against a device that never plays; no timing is checked.
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  auto in_time = [&] { return std::chrono::steady_clock::now() < give_up; };
  SoundTrack* master = StateOf(h)->sound.master;
  for (uint32_t f = 0; f < 15; ++f) {
    // The disk device plays far faster than real time, so the sound runs ahead of the picture
    // and frames come as fast as they decode; each waits for room in the ring as well, so that
    // none of its sound is cut.
    while (master && master->capacity() - master->held < h->AudioSize[0] && in_time())
      KinetSoundCheck();
    KinetDoFrame(h);
    while (KinetWait(h) && in_time()) {
    }
    if (f < 14) KinetNextFrame(h);
  }
  while (master && (master->held || master->stream->Position() < master->delivered) && in_time())
    KinetSoundCheck();
  KinetClose(h);
  return sound;
}

std::vector<uint8_t> WithoutSilence(const std::vector<uint8_t>& played) {
  std::vector<uint8_t> out;
  for (uint8_t b : played)
    if (b != 0x80) out.push_back(b);
  return out;
}

TEST(SoundDevice, ThePolledDriverPlaysTheDecodedSound) {
  ASSERT_EQ(KinetSoundUseWin(), 1u);
  const std::string device_file = TempPath("played.raw");
  const auto sound = PlayThrough(device_file);
  EXPECT_EQ(WithoutSilence(ReadWholeFile(device_file)), sound);
}

TEST(SoundDevice, TheDeviceThreadDriverPlaysTheDecodedSound) {
  auto driver = platform::MakeSoundDriver(platform::SoundDriverKind::kCallback);
  SetSoundDriverForTesting(driver.get());
  const std::string device_file = TempPath("played.raw");
  const auto sound = PlayThrough(device_file);
  EXPECT_EQ(WithoutSilence(ReadWholeFile(device_file)), sound);
  SetSoundDriverForTesting(nullptr);
}

struct ToneSource : platform::SoundSource {
  std::vector<uint8_t> sound = ToneBytes(200000);
  uint32_t at = 0;
  uint32_t Held() const override { return static_cast<uint32_t>(sound.size() - at); }
  uint32_t Take(uint8_t* dest, uint32_t n) override {
    n = std::min(n, Held());
    std::copy_n(sound.begin() + at, n, dest);
    at += n;
    return n;
  }
};

TEST(SoundDevice, StreamsStopWhereTheyStandRestartAndResetTheirPosition) {
  UseDiskDevice(TempPath("played.raw"));
  for (auto kind : {platform::SoundDriverKind::kPolled, platform::SoundDriverKind::kCallback}) {
    auto driver = platform::MakeSoundDriver(kind);
    ToneSource source;
    auto stream = driver->Open({kRate, 1, 8}, source);
    ASSERT_TRUE(stream);
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (stream->Position() < 20000 && std::chrono::steady_clock::now() < give_up)
      driver->Service();
    ASSERT_GE(stream->Position(), 20000u);
    stream->Stop();
    const uint64_t stopped_at = stream->Position();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    driver->Service();
    EXPECT_EQ(stream->Position(), stopped_at);
    EXPECT_LE(stopped_at, source.at);
    EXPECT_TRUE(stream->Restart());
    stream->Reset();
    EXPECT_EQ(stream->Position(), 0u);
    // A reset stream has not been fed: an empty device is no underrun yet.
    source.at = static_cast<uint32_t>(source.sound.size());
    for (int i = 0; i < 10; ++i) {
      driver->Service();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_FALSE(stream->TakeUnderrun());
    // Fed a little, it plays that and runs dry.
    source.at -= 2000;
    bool underrun = false;
    while (!underrun && std::chrono::steady_clock::now() < give_up) {
      driver->Service();
      underrun = stream->TakeUnderrun();
    }
    EXPECT_TRUE(underrun);
  }
}

// A track at a rate no device plays is not given to one (a device buffer of it would hold the
// close for minutes): the file plays without it. The lowest rate played opens, plays a
// second of sound and closes; both drivers, through the real device.
TEST(SoundDevice, RatesBelowTheLowestPlayedAreRefused) {
  UseDiskDevice(TempPath("played.raw"));
  for (auto kind : {platform::SoundDriverKind::kPolled, platform::SoundDriverKind::kCallback}) {
    auto driver = platform::MakeSoundDriver(kind);
    ToneSource source;
    for (uint32_t rate : {1u, 100u, platform::kLowestPlayedRate - 1})
      EXPECT_FALSE(driver->Open({rate, 1, 8}, source)) << rate;
    auto stream = driver->Open({platform::kLowestPlayedRate, 1, 8}, source);
    ASSERT_TRUE(stream);
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (stream->Position() < platform::kLowestPlayedRate &&
           std::chrono::steady_clock::now() < give_up)
      driver->Service();
    EXPECT_GE(stream->Position(), platform::kLowestPlayedRate);
  }
  TrackSpec track;
  track.rate = 100;
  track.per_frame = ShareOut(ToneBytes(400, 3), track.rate, 10000, 4);
  const std::string path =
      WriteSoundFile("slow.knt", {32, 16, 100}, SpriteAnimation(32, 16, 4), {track});
  KinetHandle* h = KinetOpen(path.c_str(), KINET_OPEN_TRACK(0), -1);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->OpenFlags & KINET_OPEN_TRACK_MASK, 0u);
  for (int f = 0; f < 4; ++f) {
    KinetDoFrame(h);
    KinetNextFrame(h);
  }
  EXPECT_EQ(h->ReadError, 0u);
  KinetClose(h);
}

}  // namespace
}  // namespace kinet::testing
