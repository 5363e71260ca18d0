// Palette records: the decoder's commands and the encoder's choice between skip, copy and
// literal commands.
#include "lib/core/palette_record.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>

#include "compressor/palette_encoder.h"

namespace kinet {
namespace {

using Palette = std::array<uint8_t, 768>;

Palette Ramp(int offset) {
  Palette p;
  for (int i = 0; i < 768; ++i) p[i] = WidenComponent(static_cast<uint8_t>((i / 3 + offset) & 63));
  return p;
}

Palette Decode(Palette previous, const std::vector<uint8_t>& record) {
  if (!record.empty()) DecodePaletteRecord(record.data() + 1, record[0] * 4u - 1, previous.data());
  return previous;
}

TEST(PaletteRecord, CommandsKeepCopyAndSetEntries) {
  Palette p = Ramp(0);
  const Palette before = p;
  // keep 1; copy 1 from entry 0; literal (63, 32, 0); keep 128 (0xFF); past 255 nothing more
  const uint8_t commands[] = {0x80, 0x40, 0x00, 63, 32, 0, 0xFF};
  DecodePaletteRecord(commands, sizeof commands, p.data());
  EXPECT_EQ(0, std::memcmp(&p[0], &before[0], 3));
  EXPECT_EQ(0, std::memcmp(&p[3], &before[0], 3));
  EXPECT_EQ(p[6], 255);
  EXPECT_EQ(p[7], 130);
  EXPECT_EQ(p[8], 0);
  EXPECT_EQ(0, std::memcmp(&p[9], &before[9], 768 - 9));
}

TEST(PaletteRecord, SourcesComeFromThePreviousPaletteOnly) {
  Palette p = Ramp(0);
  const Palette before = p;
  // Entry 0 gets a literal; then entry 1 copies entry 0 -- of the previous palette.
  const uint8_t commands[] = {1, 2, 3, 0x40, 0x00};
  DecodePaletteRecord(commands, sizeof commands, p.data());
  EXPECT_EQ(0, std::memcmp(&p[3], &before[0], 3));
}

TEST(PaletteRecord, CommandsPastTheLastEntryOrTheRecordAreCut) {
  Palette p = Ramp(0);
  const Palette before = p;
  // Keep 250, then copy 64 entries from 250: only 6 fit, from 250..255.
  const uint8_t commands[] = {0xFF, 0xF9, 0x7F, 250};
  DecodePaletteRecord(commands, sizeof commands, p.data());
  EXPECT_EQ(p, before);
  const uint8_t cut[] = {0x80 + 9, 0x40 + 3, 200, 0x3F, 0x40 + 63, 0xF0};
  DecodePaletteRecord(cut, sizeof cut, p.data());  // the copy from 240 stops at entry 255
  EXPECT_EQ(0, std::memcmp(&p[3 * 10], &before[3 * 200], 12));
  const uint8_t truncated[] = {5, 6};  // a literal without its blue byte
  DecodePaletteRecord(truncated, sizeof truncated, p.data());
  EXPECT_EQ(p[0], before[0]);
}

TEST(PaletteEncoder, IdenticalPalettesNeedNoRecord) {
  Palette p = Ramp(3);
  EXPECT_TRUE(encoder::EncodePaletteRecord(p.data(), p.data(), false).empty());
  EXPECT_TRUE(encoder::EncodePaletteRecord(p.data(), p.data(), true).empty());
}

TEST(PaletteEncoder, ShiftedPaletteIsCopiedAndKeyFramesAreLiteral) {
  Palette previous = Ramp(0), next = Ramp(1);  // next[i] = previous[i + 1]
  auto record = encoder::EncodePaletteRecord(previous.data(), next.data(), false);
  ASSERT_FALSE(record.empty());
  EXPECT_EQ(record.size() % 4, 0u);
  EXPECT_EQ(record[0] * 4u, record.size());
  EXPECT_EQ(record[1], 0x40 + 63);  // copy 64 entries from entry 1
  EXPECT_EQ(record[2], 1);
  EXPECT_EQ(record[4], 65);  // the next copy's source has moved on by 64
  EXPECT_EQ(Decode(previous, record), next);

  auto literal = encoder::EncodePaletteRecord(previous.data(), next.data(), true);
  EXPECT_EQ(literal.size(), 772u);  // 1 + 256 x 3, padded
  EXPECT_EQ(Decode(Palette{}, literal), next);
}

TEST(PaletteEncoder, RandomEditsRoundTrip) {
  std::mt19937 rng(5);
  Palette previous = Ramp(0);
  for (int round = 0; round < 200; ++round) {
    Palette next = previous;
    const int edits = round % 20;
    for (int e = 0; e < edits; ++e) {
      const int i = rng() % 256;
      if (rng() % 2) {
        for (int c = 0; c < 3; ++c) next[3 * i + c] = WidenComponent(rng() & 63);
      } else {
        const int from = rng() % 256, n = 1 + rng() % std::min(256 - i, 256 - from);
        std::memmove(&next[3 * i], &previous[3 * from], 3 * n);
      }
    }
    auto record = encoder::EncodePaletteRecord(previous.data(), next.data(), round % 7 == 0);
    ASSERT_EQ(Decode(previous, record), next) << round;
    previous = next;
  }
}

}  // namespace
}  // namespace kinet
