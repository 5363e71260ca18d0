// Records that are mostly silence or held samples: they are coded in runs, and must give the
// very bytes the frame-by-frame coding gave (the checksums below were taken from it) and
// decode back to their samples within the level's error rule.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "compressor/audio_encoder.h"
#include "lib/core/audio_decoder.h"
#include "lib/core/format.h"

namespace kinet {
namespace {

enum class Part { kSilence, kSound, kHeld };
struct Stretch {
  Part part;
  uint32_t frames;
};

// Sound as a loud triangle with noise (integers only, so that every machine makes the same
// samples); a held stretch repeats the last sample frame before it, or a fixed one.
std::vector<uint8_t> Assemble(SampleFormat f, const std::vector<Stretch>& stretches) {
  const int channels = f.stereo ? 2 : 1;
  const uint32_t frame = f.FrameBytes();
  std::vector<uint8_t> pcm;
  uint32_t noise = 9, t = 0;
  for (const Stretch& s : stretches) {
    for (uint32_t i = 0; i < s.frames; ++i, ++t) {
      const size_t at = pcm.size();
      if (s.part == Part::kSilence) {
        pcm.resize(at + frame, f.SilenceByte());
        continue;
      }
      if (s.part == Part::kHeld) {
        if (at == 0) {
          pcm.resize(frame, 0x5A);
        } else {
          pcm.resize(at + frame);
          std::copy_n(pcm.begin() + (at - frame), frame, pcm.begin() + at);
        }
        continue;
      }
      for (int ch = 0; ch < channels; ++ch) {
        noise = noise * 1103515245u + 12345u;
        const int tri = static_cast<int>((t * (37 + 11 * ch)) % 2000) - 1000;
        const int v = std::abs(tri) * 50 - 25000 + static_cast<int>(noise >> 22) - 512;
        if (f.sixteen_bit) {
          pcm.resize(pcm.size() + 2);
          StoreLe16(&pcm[pcm.size() - 2], static_cast<uint16_t>(v));
        } else {
          pcm.push_back(static_cast<uint8_t>(128 + v / 256));
        }
      }
    }
  }
  return pcm;
}

// Silence at the start, between sounds (of every length up to past a hundred frames), a long
// silent end, held samples that are not silence, and short sounds between them.
std::vector<Stretch> MostlySilence() {
  std::vector<Stretch> s = {{Part::kSilence, 3000}, {Part::kSound, 2000}, {Part::kSilence, 1},
                            {Part::kSound, 5},      {Part::kSilence, 2},  {Part::kSound, 700}};
  for (uint32_t gap = 1; gap <= 130; gap += 3)
    s.insert(s.end(), {{Part::kSound, 3}, {Part::kSilence, gap}});
  for (uint32_t held = 1; held <= 130; held += 7)
    s.insert(s.end(), {{Part::kSound, 2}, {Part::kHeld, held}});
  s.insert(
      s.end(),
      {{Part::kSound, 300}, {Part::kHeld, 4000}, {Part::kSound, 100}, {Part::kSilence, 60000}});
  return s;
}

// Sound with a few gaps: zero deltas are rare, so their codes are long.
std::vector<Stretch> SoundWithGaps() {
  std::vector<Stretch> s;
  for (uint32_t gap = 40; gap <= 400; gap += 90)
    s.insert(
        s.end(),
        {{Part::kSound, 3000}, {Part::kSilence, gap}, {Part::kSound, 500}, {Part::kHeld, gap + 1}});
  return s;
}

uint64_t Checksum(const std::vector<uint8_t>& bytes) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (uint8_t b : bytes) hash = (hash ^ b) * 0x100000001b3ull;
  return hash;
}

std::vector<uint8_t> Decode(const std::vector<uint8_t>& record, uint32_t size) {
  std::vector<uint8_t> out(size);
  AudioTrees trees;
  SoundRing ring{out.data(), size, 0};
  out.resize(DecodeAudioStream(record.data() + kCompressedHeader, record.size() - kCompressedHeader,
                               LoadLe32(record.data() + 4), size, trees, ring));
  return out;
}

struct Expected {
  uint32_t size;
  uint64_t checksum;
};

const SampleFormat kFormats[] = {{false, false}, {true, false}, {false, true}, {true, true}};
const int kLevels[] = {0, 1, 5, 9};

// Per format (8-bit mono, 8-bit stereo, 16-bit mono, 16-bit stereo) and level (0, 1, 5, 9):
// the mostly silent record, the wholly silent one, and sound with gaps.
const Expected kExpected[4][4][3] = {
    {
        // 8-bit mono
        {{11172, 10795485740063473497ull},
         {12, 3336555287146904419ull},
         {9892, 1492330944691794115ull}},
        {{10776, 11298090419742808872ull},
         {12, 3336555287146904419ull},
         {7948, 12053438530306649082ull}},
        {{9976, 13665789746210964691ull},
         {12, 3336555287146904419ull},
         {4928, 8760316790639549284ull}},
        {{9484, 8979634674452253461ull},
         {12, 3336555287146904419ull},
         {3180, 2707862115639910787ull}},
    },
    {
        // 8-bit stereo
        {{22324, 5183348826670663708ull},
         {16, 4516682713957549050ull},
         {19888, 14439137125594234454ull}},
        {{21540, 12183422411228716016ull},
         {16, 4516682713957549050ull},
         {15964, 4809668190151644990ull}},
        {{20128, 15635052474775637568ull},
         {16, 4516682713957549050ull},
         {10468, 2081154995866275385ull}},
        {{18992, 5335201687222740541ull},
         {16, 4516682713957549050ull},
         {6544, 8952316580373730003ull}},
    },
    {
        // 16-bit mono
        {{24068, 8383382966579667203ull},
         {16, 13846869817304319058ull},
         {28880, 658787943097789598ull}},
        {{22976, 8714806268230665439ull},
         {16, 13846869817304319058ull},
         {24200, 4593094799394090404ull}},
        {{20468, 16601337183284504173ull},
         {16, 13846869817304319058ull},
         {12304, 14371275032172475088ull}},
        {{9988, 16071519370335672305ull},
         {16, 13846869817304319058ull},
         {4936, 14368592088944780741ull}},
    },
    {
        // 16-bit stereo
        {{48140, 18419009006482042163ull},
         {20, 12321261263066637071ull},
         {57864, 6303463340693011279ull}},
        {{45960, 13942982523770224725ull},
         {20, 12321261263066637071ull},
         {48520, 14685751220694202776ull}},
        {{40928, 17087418150967927407ull},
         {20, 12321261263066637071ull},
         {24712, 1185185221001086733ull}},
        {{20144, 187168126134007465ull},
         {20, 12321261263066637071ull},
         {10420, 14308280885254478285ull}},
    },
};

TEST(AudioSilence, RunsCodeAsFrameByFrameAndDecodeBack) {
  for (size_t fi = 0; fi < 4; ++fi) {
    const SampleFormat f = kFormats[fi];
    const std::vector<uint8_t> inputs[3] = {Assemble(f, MostlySilence()),
                                            Assemble(f, {{Part::kSilence, 70001}}),
                                            Assemble(f, SoundWithGaps())};
    for (size_t li = 0; li < 4; ++li) {
      encoder::AudioEncoder encoder(f, kLevels[li]);
      for (size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(testing::Message()
                     << "format " << fi << " level " << kLevels[li] << " input " << k);
        const std::vector<uint8_t>& pcm = inputs[k];
        const auto record = encoder.EncodeRecord(pcm.data(), static_cast<uint32_t>(pcm.size()));
        ASSERT_TRUE(record);
        EXPECT_EQ(record->size(), kExpected[fi][li][k].size);
        EXPECT_EQ(Checksum(*record), kExpected[fi][li][k].checksum);

        const auto out = Decode(*record, static_cast<uint32_t>(pcm.size()));
        ASSERT_EQ(out.size(), pcm.size());
        const int threshold = encoder::LossyRuleFor(kLevels[li], f.sixteen_bit).threshold;
        int worst = 0;
        for (size_t i = 0; i < pcm.size(); i += f.sixteen_bit ? 2 : 1) {
          const int in = f.sixteen_bit ? int16_t(LoadLe16(&pcm[i])) : pcm[i];
          const int back = f.sixteen_bit ? int16_t(LoadLe16(&out[i])) : out[i];
          worst = std::max(worst, std::abs(back - in));
        }
        EXPECT_LE(worst, threshold);
      }
    }
  }
}

}  // namespace
}  // namespace kinet
