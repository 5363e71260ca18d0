// Audio records through the encoder and back through the decoder: exact at level 0, within
// each lossy level's error rule otherwise, and never writing outside the output for records
// that lie about their lengths.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

#include "compressor/audio_encoder.h"
#include "compressor/bit_writer.h"
#include "lib/core/audio_decoder.h"
#include "lib/core/format.h"

namespace kinet {
namespace {

// A tone with noise and, now and then, a jump across most of the range, so that wrapping
// steps and large deltas occur.
std::vector<uint8_t> TestSound(SampleFormat f, uint32_t frames, uint32_t seed = 7) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> pcm(size_t{frames} * f.FrameBytes());
  const int channels = f.stereo ? 2 : 1;
  for (uint32_t i = 0; i < frames; ++i) {
    for (int ch = 0; ch < channels; ++ch) {
      double v = 0.6 * std::sin(i * (0.05 + 0.03 * ch)) + (rng() % 100) / 1000.0;
      if (i % 97 == 13) v = (i % 2) ? 0.99 : -0.99;
      if (f.sixteen_bit) {
        StoreLe16(&pcm[(i * channels + ch) * 2], static_cast<uint16_t>(int16_t(v * 32000)));
      } else {
        pcm[i * channels + ch] = static_cast<uint8_t>(std::clamp(128 + v * 127, 0.0, 255.0));
      }
    }
  }
  return pcm;
}

int SampleAt(const std::vector<uint8_t>& pcm, SampleFormat f, size_t index) {
  return f.sixteen_bit ? int16_t(LoadLe16(&pcm[index * 2])) : pcm[index];
}

std::vector<uint8_t> Decode(const std::vector<uint8_t>& record, uint32_t out_size,
                            uint32_t* written = nullptr) {
  std::vector<uint8_t> out(out_size, 0xEE);
  AudioTrees trees;
  SoundRing ring{out.data(), out_size, 0};
  const uint32_t length = AnnouncedLength(record.data(), uint32_t(record.size()), true);
  uint32_t n = DecodeAudioStream(record.data() + kCompressedHeader,
                                 record.size() - kCompressedHeader, length, out_size, trees, ring);
  if (written) *written = n;
  out.resize(n);
  return out;
}

const SampleFormat kFormats[] = {{false, false}, {true, false}, {false, true}, {true, true}};

TEST(AudioRecord, EveryFormatAndLevelDecodesWithinItsErrorRule) {
  for (SampleFormat f : kFormats) {
    const auto pcm = TestSound(f, 3001);
    const size_t samples = pcm.size() / (f.sixteen_bit ? 2 : 1);
    for (int level = 0; level <= encoder::kMaxLossyLevel; ++level) {
      SCOPED_TRACE(testing::Message()
                   << "stereo " << f.stereo << " 16-bit " << f.sixteen_bit << " level " << level);
      encoder::AudioEncoder encoder(f, level);
      auto record = encoder.EncodeRecord(pcm.data(), uint32_t(pcm.size()));
      ASSERT_TRUE(record);
      EXPECT_EQ(record->size() % 4, 0u);
      EXPECT_EQ(LoadLe32(record->data()), record->size());
      EXPECT_EQ(LoadLe32(record->data() + 4), pcm.size());
      const auto out = Decode(*record, uint32_t(pcm.size()));
      ASSERT_EQ(out.size(), pcm.size());
      if (level == 0) {
        EXPECT_EQ(out, pcm);
        continue;
      }
      const int threshold = encoder::LossyRuleFor(level, f.sixteen_bit).threshold;
      int worst = 0;
      for (size_t i = 0; i < samples; ++i)
        worst = std::max(worst, std::abs(SampleAt(out, f, i) - SampleAt(pcm, f, i)));
      EXPECT_LE(worst, threshold);
      EXPECT_GT(worst, 0);  // the level did quantize
    }
  }
}

TEST(AudioRecord, LossyEightBitStepsDownAreQuantizedAndNeverWrapAround) {
  // A slow fall from 200 to 2 and back: every step is small and downward first. With the
  // delta taken as a signed step both directions quantize; a step that would carry the
  // prediction below 0 is coded exactly instead of wrapping to the top of the range.
  SampleFormat f{false, false};
  std::vector<uint8_t> pcm;
  for (int v = 200; v >= 2; v -= 3) pcm.push_back(uint8_t(v));
  for (int v = 2; v <= 250; v += 5) pcm.push_back(uint8_t(v));
  encoder::AudioEncoder lossless(f, 0), lossy(f, 9);
  auto exact = lossless.EncodeRecord(pcm.data(), uint32_t(pcm.size()));
  auto coarse = lossy.EncodeRecord(pcm.data(), uint32_t(pcm.size()));
  ASSERT_TRUE(exact && coarse);
  EXPECT_LT(coarse->size(), exact->size());
  const auto out = Decode(*coarse, uint32_t(pcm.size()));
  ASSERT_EQ(out.size(), pcm.size());
  for (size_t i = 0; i < pcm.size(); ++i) EXPECT_LE(std::abs(out[i] - pcm[i]), 32) << i;
}

TEST(AudioRecord, SixteenBitLevelNineDeltasAreMultiplesOf2048UnlessTooFarOff) {
  SampleFormat f{false, true};
  const auto pcm = TestSound(f, 2000, 3);
  encoder::AudioEncoder encoder(f, 9);
  auto record = encoder.EncodeRecord(pcm.data(), uint32_t(pcm.size()));
  ASSERT_TRUE(record);
  const auto out = Decode(*record, uint32_t(pcm.size()));
  ASSERT_EQ(out.size(), pcm.size());
  for (size_t i = 1; i < out.size() / 2; ++i) {
    const uint16_t step = uint16_t(LoadLe16(&out[2 * i]) - LoadLe16(&out[2 * i - 2]));
    const bool exact = LoadLe16(&out[2 * i]) == LoadLe16(&pcm[2 * i]);
    EXPECT_TRUE(step % 2048 == 0 || exact) << i;
  }
}

TEST(AudioRecord, SingleSampleFrameRecordsCarryOneLeafTreesAndTheirStartValues) {
  for (SampleFormat f : kFormats) {
    std::vector<uint8_t> pcm = {0x12, 0x34, 0x56, 0x78};
    pcm.resize(f.FrameBytes());
    encoder::AudioEncoder encoder(f, 0);
    auto record = encoder.EncodeRecord(pcm.data(), uint32_t(pcm.size()));
    ASSERT_TRUE(record);
    EXPECT_EQ(Decode(*record, 64), pcm) << "frame bytes " << f.FrameBytes();
  }
}

// Hand-made streams, so that the decoder is checked against the stored form itself.
std::vector<uint8_t> HandRecord(uint32_t decoded,
                                const std::function<void(encoder::BitWriter&)>& body) {
  encoder::BitWriter w;
  w.Write(0, 32);
  w.Write(decoded, 32);
  body(w);
  w.PadTo(4);
  auto r = w.Take();
  StoreLe32(r.data(), uint32_t(r.size()));
  return r;
}
void OneLeafTree(encoder::BitWriter& w, uint8_t value) {
  w.WriteBit(true);  // prefix
  w.WriteBit(false);
  w.Write(value, 8);
  w.WriteBit(false);
}

TEST(AudioRecord, DeltasWrapAtEightAndSixteenBits) {
  // Mono 8-bit: start 250, every delta 10: 250, 4, 14.
  auto eight = HandRecord(3, [](encoder::BitWriter& w) {
    w.Write(0b001, 3);  // data, mono, 8-bit
    OneLeafTree(w, 10);
    w.Write(250, 8);
  });
  EXPECT_EQ(Decode(eight, 16), (std::vector<uint8_t>{250, 4, 14}));
  // Mono 16-bit: start 0x00FF (high byte first), delta low 0xFF high 0x00: the low byte
  // carries into the high byte, 0x00FF + 0x00FF = 0x01FE.
  auto sixteen = HandRecord(4, [](encoder::BitWriter& w) {
    w.Write(0b101, 3);  // data, mono, 16-bit
    OneLeafTree(w, 0xFF);
    OneLeafTree(w, 0x00);
    w.Write(0x00, 8);
    w.Write(0xFF, 8);
  });
  EXPECT_EQ(Decode(sixteen, 16), (std::vector<uint8_t>{0xFF, 0x00, 0xFE, 0x01}));
  // Stereo 8-bit: start values right first, output left first.
  auto stereo = HandRecord(4, [](encoder::BitWriter& w) {
    w.Write(0b011, 3);
    OneLeafTree(w, 1);    // left deltas
    OneLeafTree(w, 255);  // right deltas (-1)
    w.Write(100, 8);      // right
    w.Write(7, 8);        // left
  });
  EXPECT_EQ(Decode(stereo, 16), (std::vector<uint8_t>{7, 100, 8, 99}));
}

TEST(AudioRecord, DataFlagZeroDecodesToNothing) {
  auto empty = HandRecord(0, [](encoder::BitWriter& w) { w.Write(0, 1); });
  uint32_t written = 99;
  Decode(empty, 16, &written);
  EXPECT_EQ(written, 0u);
  // Even when the record claims sound, a clear data flag writes nothing.
  auto claims = HandRecord(100, [](encoder::BitWriter& w) { w.Write(0, 1); });
  Decode(claims, 128, &written);
  EXPECT_EQ(written, 0u);
}

TEST(AudioRecord, MalformedRecordsStayInsideTheirOutput) {
  SampleFormat f{true, true};
  const auto pcm = TestSound(f, 500);
  encoder::AudioEncoder encoder(f, 2);
  auto record = *encoder.EncodeRecord(pcm.data(), uint32_t(pcm.size()));
  uint32_t written = 0;
  const auto whole = Decode(record, uint32_t(pcm.size()));
  // A decoded length larger than the output: stops at the output's size.
  StoreLe32(&record[4], 1u << 30);
  auto out = Decode(record, 1000, &written);
  EXPECT_EQ(written, 1000u);
  // A length that is not whole sample frames: only whole frames.
  StoreLe32(&record[4], 1003);
  Decode(record, 4096, &written);
  EXPECT_EQ(written, 1000u);
  // A stream cut short: stops where the bits run out, a frame boundary.
  StoreLe32(&record[4], uint32_t(pcm.size()));
  std::vector<uint8_t> cut(record.begin(), record.begin() + record.size() / 2);
  auto partial = Decode(cut, uint32_t(pcm.size()), &written);
  EXPECT_GT(written, 0u);
  EXPECT_LT(written, pcm.size());
  EXPECT_EQ(written % 4, 0u);
  EXPECT_TRUE(std::equal(partial.begin(), partial.end(), whole.begin()));
  // Records too short to hold their length fields announce nothing.
  EXPECT_EQ(AnnouncedLength(record.data(), 7, true), 0u);
  EXPECT_EQ(AnnouncedLength(record.data(), 3, false), 0u);
}

TEST(AudioRecord, RingOutputWrapsAfterWholeFrames) {
  SampleFormat f{true, false};
  const auto pcm = TestSound(f, 40);
  encoder::AudioEncoder encoder(f, 0);
  auto record = *encoder.EncodeRecord(pcm.data(), uint32_t(pcm.size()));
  std::vector<uint8_t> ring(64, 0);
  AudioTrees trees;
  SoundRing out{ring.data(), 64, 40};
  EXPECT_EQ(DecodeAudioStream(record.data() + 8, record.size() - 8, 80, 60, trees, out), 60u);
  EXPECT_EQ(out.write, 36u);
  EXPECT_TRUE(std::equal(pcm.begin(), pcm.begin() + 24, ring.begin() + 40));
  EXPECT_TRUE(std::equal(pcm.begin() + 24, pcm.begin() + 60, ring.begin()));
}

TEST(AudioRecord, RawRecordsHoldExactlyTheirSamples) {
  SampleFormat f{false, true};
  std::vector<uint8_t> pcm = {1, 2, 3, 4, 5, 6, 7};  // 3 whole frames and a stray byte
  auto raw = encoder::RawAudioRecord(pcm.data(), uint32_t(pcm.size()), f);
  ASSERT_EQ(raw.size(), 10u);
  EXPECT_EQ(LoadLe32(raw.data()), 10u);
  EXPECT_EQ(AnnouncedLength(raw.data(), 10, false), 6u);
  std::vector<uint8_t> out(8, 0);
  SoundRing ring{out.data(), 8, 4};
  EXPECT_EQ(CopyRawSound(raw.data() + 4, 6, 8, f, ring), 6u);
  EXPECT_EQ(out, (std::vector<uint8_t>{5, 6, 0, 0, 1, 2, 3, 4}));
  EXPECT_TRUE(encoder::RawAudioRecord(pcm.data(), 1, f).empty());
}

TEST(AudioRecord, TrackDescriptorsAndSilence) {
  EXPECT_EQ(encoder::TrackDescriptor(22050, {true, true}, false), 0xF0005622u);
  EXPECT_EQ(encoder::TrackDescriptor(11025, {false, false}, false), 0xC0002B11u);
  // Raw tracks say they exist and what their samples are, so that they play as written.
  EXPECT_EQ(encoder::TrackDescriptor(11025, {true, true}, true), 0x70002B11u);
  std::vector<uint8_t> out(6, 1);
  SoundRing ring{out.data(), 6, 0};
  EXPECT_EQ(PutSilence(5, {false, true}, ring), 4u);
  EXPECT_EQ(out, (std::vector<uint8_t>{0, 0, 0, 0, 1, 1}));
  SoundRing ring8{out.data(), 6, 4};
  EXPECT_EQ(PutSilence(3, {false, false}, ring8), 3u);
  EXPECT_EQ(out, (std::vector<uint8_t>{0x80, 0, 0, 0, 0x80, 0x80}));
}

}  // namespace
}  // namespace kinet
