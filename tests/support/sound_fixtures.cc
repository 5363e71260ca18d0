#include "tests/support/sound_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "compressor/audio_encoder.h"
#include "compressor/exact_block_coder.h"
#include "kinet/kinet.h"
#include "tests/support/animation_fixtures.h"

namespace kinet::testing {

std::vector<uint8_t> ToneBytes(uint32_t bytes, uint32_t seed) {
  std::vector<uint8_t> out(bytes);
  uint32_t x = seed;
  for (uint32_t i = 0; i < bytes; ++i) {
    x = x * 1103515245 + 12345;
    const int v = 128 + static_cast<int>(90 * std::sin(i * 0.07)) + static_cast<int>(x >> 28);
    out[i] = static_cast<uint8_t>(v == 0x80 ? 0x81 : v);
  }
  return out;
}

std::vector<std::vector<uint8_t>> ShareOut(const std::vector<uint8_t>& pcm,
                                           uint32_t bytes_per_second, uint32_t period,
                                           uint32_t records) {
  std::vector<std::vector<uint8_t>> out(records);
  uint64_t shared = 0;
  for (uint32_t i = 0; i < records && shared < pcm.size(); ++i) {
    const uint64_t want =
        (uint64_t{i + 1} * period * bytes_per_second / 100000 + bytes_per_second - shared + 3) &
        ~3ull;
    const uint64_t n = std::min<uint64_t>(want, pcm.size() - shared);
    out[i].assign(pcm.begin() + shared, pcm.begin() + shared + n);
    shared += n;
  }
  return out;
}

std::string WriteSoundFile(const std::string& name, const encoder::AnimationSettings& settings,
                           const std::vector<encoder::AnimationFrame>& frames,
                           const std::vector<TrackSpec>& tracks) {
  const std::string path = TempPath(name);
  const uint32_t w = settings.width, h = settings.height;
  std::vector<std::vector<uint32_t>> codes;
  for (size_t i = 0; i < frames.size(); ++i)
    codes.push_back(encoder::ChooseExactBlockCodes(
        frames[i].pixels.data(), i ? frames[i - 1].pixels.data() : nullptr, w, h));
  auto frame_codes = [&](size_t i) {
    return encoder::FrameCodes{codes[i].data(), frames[i].pixels.data(), w, w / 4, h / 4};
  };
  encoder::VideoFileWriter writer(platform::SystemFileSystem());
  writer.trees().Start();
  for (size_t i = 0; i < frames.size(); ++i) writer.trees().AddFrame(frame_codes(i));
  encoder::VideoFileSettings file{w, h, settings.frame_rate, 0,
                                  static_cast<uint32_t>(frames.size())};
  EXPECT_EQ(writer.Begin(path, file), encoder::WriteStatus::kOk);

  std::vector<encoder::AudioEncoder> encoders;
  for (const TrackSpec& t : tracks) {
    encoders.emplace_back(t.format, t.lossy_level);
    writer.header().AudioRate[t.track] = encoder::TrackDescriptor(t.rate, t.format, t.raw);
  }
  for (size_t i = 0; i < frames.size(); ++i) {
    std::vector<std::vector<uint8_t>> audio(KINET_TRACKS);
    for (size_t k = 0; k < tracks.size(); ++k) {
      const TrackSpec& t = tracks[k];
      if (i >= t.per_frame.size() || t.per_frame[i].empty()) continue;
      const auto& pcm = t.per_frame[i];
      audio[t.track] = t.raw ? encoder::RawAudioRecord(pcm.data(), uint32_t(pcm.size()), t.format)
                             : *encoders[k].EncodeRecord(pcm.data(), uint32_t(pcm.size()));
      uint32_t& largest = writer.header().AudioSize[t.track];
      largest = std::max(largest, static_cast<uint32_t>(pcm.size()));
    }
    EXPECT_EQ(writer.WriteFrame(frame_codes(i), frames[i].palette.data(), i == 0, audio),
              encoder::WriteStatus::kOk);
  }
  EXPECT_EQ(writer.Finish(), encoder::WriteStatus::kOk);
  return path;
}

std::vector<uint8_t> TrackSound(const std::string& path, uint32_t track,
                                std::vector<uint32_t>* per_frame) {
  std::vector<uint8_t> sound;
  KinetHandle* h = KinetOpen(path.c_str(), 0, -1);
  EXPECT_NE(h, nullptr) << path;
  if (!h) return sound;
  std::vector<uint8_t> record(h->AudioSize[track]);
  const uint32_t records = h->Frames + ((h->Flags & KINET_FLAG_RING_FRAME) ? 1 : 0);
  for (uint32_t i = 0; i < records; ++i, KinetNextFrame(h)) {
    const uint32_t n = KinetGetTrackData(h, record.data(), KINET_OPEN_TRACK(track));
    sound.insert(sound.end(), record.begin(), record.begin() + n);
    if (per_frame) per_frame->push_back(n);
  }
  EXPECT_EQ(h->ReadError, 0u);
  KinetClose(h);
  return sound;
}

}  // namespace kinet::testing
