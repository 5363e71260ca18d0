// Animations written by the encoder and played back through the library's C interface:
// pictures and palettes must come back exactly, in order, after seeks and around loops.
#include <gtest/gtest.h>

#include <cstring>

#include "kinet/kinet.h"
#include "tests/support/animation_fixtures.h"

namespace kinet::testing {
namespace {

struct Player {
  KinetHandle* h = nullptr;
  std::vector<uint8_t> buffer;
  uint32_t width = 0, lines = 0;

  explicit Player(const std::string& path, uint32_t flags = 0, int32_t extra = -1) {
    h = KinetOpen(path.c_str(), flags, extra);
    if (!h) return;
    width = h->Width;
    lines = h->Height;
    buffer.assign(size_t{width} * lines, 0xEE);
    KinetToBuffer(h, 0, 0, static_cast<int32_t>(width), static_cast<int32_t>(lines), buffer.data(),
                  0);
  }
  ~Player() { KinetClose(h); }
  std::vector<uint8_t> Decode() {
    KinetDoFrame(h);
    return buffer;
  }
  std::array<uint8_t, 768> Palette() const {
    std::array<uint8_t, 768> p;
    std::memcpy(p.data(), h->Palette, 768);
    return p;
  }
};

void ExpectFrame(Player& p, const encoder::AnimationFrame& want, uint32_t frame_number) {
  ASSERT_EQ(p.h->ReadError, 0u);
  EXPECT_EQ(p.Palette(), ShownPalette(want.palette)) << "palette of frame " << frame_number;
  EXPECT_EQ(p.Decode(), want.pixels) << "pixels of frame " << frame_number;
}

TEST(Playback, SequentialPlayReproducesEveryFrameAndPalette) {
  for (uint32_t width : {64u, 100u, 320u}) {
    auto frames = SpriteAnimation(width, 48, 12, 5);
    encoder::AnimationSettings s{width, 48, 66};
    Player p(WriteTestFile("anim.knt", s, frames));
    ASSERT_NE(p.h, nullptr);
    EXPECT_EQ(p.h->Frames, 12u);
    for (uint32_t f = 0; f < frames.size(); ++f) {
      EXPECT_EQ(p.h->FrameNum, f);
      EXPECT_EQ(p.h->NewPalette, f == 0 || f == 5 ? 1u : 0u) << f;
      ExpectFrame(p, frames[f], f);
      KinetNextFrame(p.h);
    }
    // Without a ring frame the loop goes back to frame 0, decoded against a cleared palette.
    EXPECT_EQ(p.h->FrameNum, 0u);
    ExpectFrame(p, frames[0], 0);
  }
}

TEST(Playback, RingFrameLeadsBackToFrameOneWithoutReReadingFrameZero) {
  auto frames = SpriteAnimation(96, 32, 6, 3);
  encoder::AnimationSettings s{96, 32, 50};
  s.ring_frame = true;
  Player p(WriteTestFile("ring.knt", s, frames));
  ASSERT_NE(p.h, nullptr);
  EXPECT_EQ(p.h->Frames, 6u);
  for (int loop = 0; loop < 2; ++loop) {
    for (uint32_t f = loop ? 1 : 0; f < frames.size(); ++f) {
      ASSERT_EQ(p.h->FrameNum, f);
      ExpectFrame(p, frames[f], f);
      KinetNextFrame(p.h);
    }
    ASSERT_EQ(p.h->FrameNum, 6u);  // the ring frame
    ExpectFrame(p, frames[0], 6);
    KinetNextFrame(p.h);
    EXPECT_EQ(p.h->FrameNum, 1u);
  }
}

// Key frames stand alone in their pictures; a palette is carried only by the frames that change
// it, so the palette stays put here and frame 0's is the one every frame shows.
TEST(Playback, GotoReachesAnyFrameFromAnyFrame) {
  auto frames = SpriteAnimation(64, 32, 7);
  encoder::AnimationSettings s{64, 32, 100};
  s.all_key_frames = true;
  for (uint32_t flags : {0u, static_cast<uint32_t>(KINET_OPEN_PRELOAD)}) {
    Player p(WriteTestFile("keys.knt", s, frames), flags, flags ? -1 : 8192);
    ASSERT_NE(p.h, nullptr);
    for (uint32_t from = 0; from < 7; ++from) {
      for (uint32_t to = 0; to < 7; ++to) {
        KinetGoto(p.h, from + 1);
        KinetGoto(p.h, to + 1);
        ASSERT_EQ(p.h->FrameNum, to);
        ExpectFrame(p, frames[to], to);
      }
    }
    KinetGoto(p.h, 0);  // 0 counts as 1
    EXPECT_EQ(p.h->FrameNum, 0u);
  }
}

// Far into a file the start of a record is found from the offsets kept every few hundred
// records and the sizes after them, in either direction.
TEST(Playback, GotoFindsRecordsFarIntoALongFile) {
  auto frames = SpriteAnimation(16, 16, 700);
  for (uint32_t f = 0; f < frames.size(); ++f) {
    frames[f].pixels[0] = static_cast<uint8_t>(f);
    frames[f].pixels[1] = static_cast<uint8_t>(f >> 8);
  }
  encoder::AnimationSettings s{16, 16, 100};
  s.all_key_frames = true;
  const std::string path = WriteTestFile("long.knt", s, frames);
  for (uint32_t flags : {0u, static_cast<uint32_t>(KINET_OPEN_PRELOAD)}) {
    Player p(path, flags, flags ? -1 : 8192);
    ASSERT_NE(p.h, nullptr);
    for (uint32_t to : {699u, 256u, 255u, 0u, 512u, 257u, 511u, 300u, 698u}) {
      KinetGoto(p.h, to + 1);
      ASSERT_EQ(p.h->FrameNum, to);
      ExpectFrame(p, frames[to], to);
    }
  }
}

TEST(Playback, PaletteChangeIsHandedOnOnce) {
  auto frames = SpriteAnimation(64, 32, 6, 3);
  Player p(WriteTestFile("pal.knt", encoder::AnimationSettings{64, 32, 100}, frames));
  ASSERT_NE(p.h, nullptr);
  KinetGoto(p.h, 4);
  EXPECT_EQ(p.h->NewPalette, 1u);
  KinetDoFrame(p.h);
  KinetGoto(p.h, 4);  // already there: nothing happens
  EXPECT_EQ(p.h->NewPalette, 1u);
  KinetGoto(p.h, 5);
  KinetGoto(p.h, 4);  // read again: its change was handed on
  EXPECT_EQ(p.h->NewPalette, 0u);
}

TEST(Playback, YModesPlaceRowsAndDoubleTheHeight) {
  auto frames = SpriteAnimation(64, 16, 3);
  for (uint32_t mode : {KINET_FLAG_Y_INTERLACED, KINET_FLAG_Y_DOUBLED}) {
    encoder::AnimationSettings s{64, 16, 100};
    s.y_mode = mode;
    Player p(WriteTestFile("y.knt", s, frames));
    ASSERT_NE(p.h, nullptr);
    EXPECT_EQ(p.h->Height, 32u);
    EXPECT_EQ(p.h->OpenFlags & KINET_OPEN_Y_NORMAL,
              mode == KINET_FLAG_Y_DOUBLED ? KINET_OPEN_Y_DOUBLED : KINET_OPEN_Y_INTERLACED);
    auto shown = p.Decode();
    for (uint32_t y = 0; y < 16; ++y) {
      const uint8_t* want = &frames[0].pixels[y * 64];
      EXPECT_EQ(0, std::memcmp(&shown[2 * y * 64], want, 64)) << y;
      if (mode == KINET_FLAG_Y_DOUBLED)
        EXPECT_EQ(0, std::memcmp(&shown[(2 * y + 1) * 64], want, 64)) << y;
      else
        EXPECT_EQ(shown[(2 * y + 1) * 64], 0xEE) << "interlaced gaps stay untouched";
    }
  }
  // The open flags override the file: neither mode keeps the stored height.
  encoder::AnimationSettings s{64, 16, 100};
  s.y_mode = KINET_FLAG_Y_DOUBLED;
  Player normal(WriteTestFile("n.knt", s, frames), KINET_OPEN_Y_NORMAL);
  ASSERT_NE(normal.h, nullptr);
  EXPECT_EQ(normal.h->Height, 16u);
  EXPECT_EQ(normal.Decode(), frames[0].pixels);
}

TEST(Playback, ReversedBuffersAndOffsetsPlaceTheFrame) {
  auto frames = SpriteAnimation(32, 16, 1);
  KinetHandle* h = KinetOpen(WriteTestFile("r.knt", {32, 16, 100}, frames).c_str(), 0, -1);
  ASSERT_NE(h, nullptr);
  const int pitch = 40, lines = 20, left = 3, top = 2;
  std::vector<uint8_t> buffer(pitch * lines, 0xEE);
  KinetToBuffer(h, left, top, pitch, lines, buffer.data(), 1);
  KinetDoFrame(h);
  for (int y = 0; y < 16; ++y) {
    const uint8_t* line = &buffer[(lines - 1 - top - y) * pitch + left];
    EXPECT_EQ(0, std::memcmp(line, &frames[0].pixels[y * 32], 32)) << y;
  }
  // A frame that does not fit is not decoded at all.
  std::vector<uint8_t> small(16 * 16, 0xEE);
  KinetToBuffer(h, 0, 0, 16, 16, small.data(), 0);
  KinetDoFrame(h);
  EXPECT_EQ(small, std::vector<uint8_t>(16 * 16, 0xEE));
  KinetClose(h);
}

TEST(Playback, ColourTranslationMapsDecodedIndices) {
  auto frames = SpriteAnimation(64, 16, 2);
  Player p(WriteTestFile("t.knt", {64, 16, 100}, frames));
  ASSERT_NE(p.h, nullptr);
  uint8_t invert[256];
  for (int i = 0; i < 256; ++i) invert[i] = static_cast<uint8_t>(255 - i);
  KinetColorTrans(p.h, invert);
  auto shown = p.Decode();
  for (size_t i = 0; i < shown.size(); ++i) ASSERT_EQ(shown[i], 255 - frames[0].pixels[i]) << i;

  // Remapping to a palette stored back to front finds every colour at the mirrored index,
  // on top of the translation already in force.
  std::vector<uint8_t> mirrored(768);
  for (int i = 0; i < 256; ++i) std::memcpy(&mirrored[3 * (255 - i)], &p.h->Palette[3 * i], 3);
  KinetColorRemap(p.h, mirrored.data(), 256, 0);
  KinetGoto(p.h, 1);
  KinetGoto(p.h, 2);
  KinetGoto(p.h, 1);
  shown = p.Decode();
  EXPECT_EQ(shown, frames[0].pixels);
}

}  // namespace
}  // namespace kinet::testing
