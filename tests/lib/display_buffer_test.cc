// Display buffers under SDL's offscreen driver: what reaches the window is read back and
// compared colour by colour.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "kinet/kinet.h"
#include "kinet/kinet_buffer.h"
#include "lib/display/buffer_state.h"
#include "platform/images/image.h"
#include "tests/support/animation_fixtures.h"
#include "tools/kntsample/sample_animation.h"

namespace kinet::testing {
namespace {

struct Shown {
  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
  uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

Shown ReadWindow(KinetBuffer* b) {
  Shown s;
  EXPECT_TRUE(StateOf(b)->display->ReadShown(s.pixels, s.width, s.height));
  return s;
}

std::vector<uint8_t> PaletteWith(int entry, uint8_t r, uint8_t g, uint8_t bl) {
  std::vector<uint8_t> p(768, 0);
  p[3 * entry] = r;
  p[3 * entry + 1] = g;
  p[3 * entry + 2] = bl;
  return p;
}

uint32_t Rgb(const KinetBuffer* b, int entry) {
  const uint8_t* e = b->ColourTable[entry];
  return uint32_t{e[2]} << 16 | uint32_t{e[1]} << 8 | e[0];
}

TEST(DisplayBuffer, ModesOpenAndNameThemselves) {
  char text[32];
  EXPECT_STREQ(KinetBufferString(text, 0), "");
  EXPECT_STREQ(text, "Automatic");
  KinetBufferString(text, 4);
  EXPECT_STREQ(text, "Standard Windows DIBs");
  KinetBufferString(text, 9);
  EXPECT_STREQ(text, "CreateDIBSection");
  for (uint32_t mode : {0u, 4u, 5u}) {
    KinetBuffer* b = KinetBufferOpen(nullptr, mode, 100, 50, 0, 0);
    ASSERT_NE(b, nullptr) << mode;
    EXPECT_EQ(b->Mode, mode == 0 ? 5u : mode);
    EXPECT_EQ(b->Pitch, 100u);
    EXPECT_EQ(b->FirstEntry, 10u);
    EXPECT_EQ(b->EndEntry, 246u);
    EXPECT_EQ(Rgb(b, 255), 0xFFFFFFu);  // system colours at both ends
    EXPECT_EQ(Rgb(b, 1), 0x800000u);
    KinetBufferClose(b);
  }
  // Full screen takes no zoom and no picture larger than its screen.
  EXPECT_EQ(KinetBufferOpen(nullptr, 1, 400, 200, 0, 0), nullptr);
  EXPECT_EQ(KinetBufferOpen(nullptr, 2, 320, 240, 0, 0), nullptr);
  EXPECT_EQ(KinetBufferOpen(nullptr, 1, 320, 240, 640, 480), nullptr);
  if (KinetBuffer* full = KinetBufferOpen(nullptr, 2, 320, 200, 0, 0)) {
    EXPECT_EQ(full->FirstEntry, 0u);
    EXPECT_EQ(full->EndEntry, 256u);
    KinetBufferClose(full);
  }
  EXPECT_EQ(KinetBufferOpen(nullptr, 4, 0, 10, 0, 0), nullptr);
  EXPECT_EQ(KinetSetSystemRes(2), 0u);
}

TEST(DisplayBuffer, PalettesReachTheWindow) {
  for (uint32_t mode : {4u, 5u}) {
    KinetBuffer* b = KinetBufferOpen(nullptr, mode, 64, 32, 0, 0);
    ASSERT_NE(b, nullptr);
    auto palette = PaletteWith(100, 10, 200, 30);
    KinetBufferNewPalette(b, palette.data(), 0);
    KinetBufferClear(b, 100);
    b->Memory[5 * b->Pitch + 7] = 255;  // a system colour
    EXPECT_EQ(KinetBufferSetPalette(b), 236u);
    EXPECT_EQ(KinetBufferSetPalette(b), 0u);
    EXPECT_EQ(KinetBufferBlit(b, nullptr, 0, 0, 0, 0, 64, 32), 256u)
        << "whole buffer after a change";
    EXPECT_EQ(KinetBufferBlit(b, nullptr, 0, 0, 0, 0, 64, 32), 0u);
    Shown s = ReadWindow(b);
    ASSERT_EQ(s.width, 64);
    EXPECT_EQ(s.At(0, 0), 0x0AC81Eu) << mode;
    EXPECT_EQ(s.At(63, 31), 0x0AC81Eu);
    EXPECT_EQ(s.At(7, 5), 0xFFFFFFu);
    KinetBufferClose(b);
  }
}

TEST(DisplayBuffer, ColoursEqualToUpperSystemColoursAreNudged) {
  KinetBuffer* b = KinetBufferOpen(nullptr, 4, 16, 16, 0, 0);
  ASSERT_NE(b, nullptr);
  std::vector<uint8_t> palette(256 * 4, 0);  // four bytes an entry, components at 1, 2, 3
  auto set = [&](int i, uint8_t r, uint8_t g, uint8_t bl) {
    palette[4 * i + 1] = r, palette[4 * i + 2] = g, palette[4 * i + 3] = bl;
  };
  set(20, 255, 255, 255);  // white: red's low bits are 11, so it moves down
  set(21, 0, 255, 0);      // green: red moves up
  set(22, 128, 0, 0);      // a system colour below the range: kept
  set(23, 254, 255, 255);  // not a system colour: kept
  KinetBufferNewPalette(b, palette.data(), 4 | 8);
  EXPECT_EQ(Rgb(b, 20), 0xFEFFFFu);
  EXPECT_EQ(Rgb(b, 21), 0x01FF00u);
  EXPECT_EQ(Rgb(b, 22), 0x800000u);
  EXPECT_EQ(Rgb(b, 23), 0xFEFFFFu);
  KinetBufferClose(b);
}

// Only the change rectangles are copied: the window keeps what it showed elsewhere.
TEST(DisplayBuffer, ChangeRectanglesAreWhatIsBlitted) {
  auto frames = SpriteAnimation(96, 48, 3);
  KinetHandle* h = KinetOpen(WriteTestFile("blit.knt", {96, 48, 100}, frames).c_str(), 0, -1);
  ASSERT_NE(h, nullptr);
  for (uint32_t mode : {4u, 5u}) {
    KinetBuffer* b = KinetBufferOpen(nullptr, mode, 96, 48, 0, 0);
    ASSERT_NE(b, nullptr);
    KinetGoto(h, 1);
    KinetToBuffer(h, 0, 0, static_cast<int32_t>(b->Pitch), 48, b->Memory, 0);
    std::vector<uint8_t> blitted(96 * 48, 0);
    for (int f = 0; f < 2; ++f) {
      KinetDoFrame(h);
      if (h->NewPalette) KinetBufferNewPalette(b, h->Palette, 0);
      while (KinetToBufferRect(h, 0)) {
        KinetBufferBlit(b, nullptr, h->LastRectX, h->LastRectY, h->LastRectX, h->LastRectY,
                        h->LastRectW, h->LastRectH);
        for (uint32_t y = h->LastRectY; f == 1 && y < h->LastRectY + h->LastRectH; ++y)
          std::memset(&blitted[y * 96 + h->LastRectX], 1, h->LastRectW);
      }
      // Pixels changed behind the display's back show only where a rectangle is copied.
      if (f == 0) std::memset(b->Memory, 7, b->Pitch * 48);
      KinetNextFrame(h);
    }
    Shown s = ReadWindow(b);
    int copied = 0;
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 96; ++x) {
        const bool in_rect = blitted[y * 96 + x];
        copied += in_rect;
        const uint8_t index = in_rect ? b->Memory[y * b->Pitch + x] : frames[0].pixels[y * 96 + x];
        ASSERT_EQ(s.At(x, y), Rgb(b, index)) << "mode " << mode << " at " << x << "," << y;
      }
    }
    EXPECT_GT(copied, 0);
    EXPECT_LT(copied, 96 * 48);
    KinetBufferClose(b);
  }
  KinetClose(h);
}

TEST(DisplayBuffer, ZoomScalesThePicture) {
  KinetBuffer* b = KinetBufferOpen(nullptr, 5, 16, 8, 32, 16);
  ASSERT_NE(b, nullptr);
  auto palette = PaletteWith(50, 255, 128, 0);
  KinetBufferNewPalette(b, palette.data(), 0);
  b->Memory[3 * b->Pitch + 4] = 50;
  KinetBufferBlit(b, nullptr, 0, 0, 0, 0, 16, 8);
  Shown s = ReadWindow(b);
  ASSERT_EQ(s.width, 32);
  EXPECT_EQ(s.At(8, 6), 0xFF8000u);
  EXPECT_EQ(s.At(9, 7), 0xFF8000u);
  EXPECT_EQ(s.At(10, 6), 0u);
  KinetBufferClose(b);
}

// Screenshots of the sample animation as a player shows it, for a reviewer to look at:
// screenshots/playing-<mode>-frameNN.png beside the test program.
TEST(DisplayBuffer, ScreenshotsOfAPlayingVideo) {
  encoder::AnimationSettings settings{320, 200, 66};
  const std::string path = WriteTestFile("ball.knt", settings, sample::BouncingBall(320, 200, 30));
  std::filesystem::create_directories("screenshots");
  for (uint32_t mode : {4u, 5u}) {
    KinetHandle* h = KinetOpen(path.c_str(), 0, -1);
    KinetBuffer* b = KinetBufferOpen(nullptr, mode, 320, 200, 0, 0);
    ASSERT_TRUE(h && b);
    KinetToBuffer(h, 0, 0, static_cast<int32_t>(b->Pitch), 200, b->Memory, 0);
    for (uint32_t f = 0; f < 30; ++f, KinetNextFrame(h)) {
      KinetDoFrame(h);
      if (h->NewPalette) KinetBufferNewPalette(b, h->Palette, 0);
      while (KinetToBufferRect(h, 0))
        KinetBufferBlit(b, nullptr, h->LastRectX, h->LastRectY, h->LastRectX, h->LastRectY,
                        h->LastRectW, h->LastRectH);
      if (f % 10 != 9) continue;
      Shown s = ReadWindow(b);
      platform::Image shot;
      shot.width = static_cast<uint32_t>(s.width);
      shot.height = static_cast<uint32_t>(s.height);
      shot.bits = 24;
      ASSERT_TRUE(shot.Allocate());
      for (size_t i = 0; i < s.pixels.size(); ++i)
        for (int c = 0; c < 3; ++c) shot.pixels[3 * i + c] = uint8_t(s.pixels[i] >> (16 - 8 * c));
      char name[64];
      std::snprintf(name, sizeof name, "screenshots/playing-mode%u-frame%02u.png", mode, f + 1);
      EXPECT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(),
                                           platform::ImageFormat::kPng, name, shot));
      // The ball is drawn in its shades: the window is not one flat colour.
      EXPECT_NE(s.At(0, 0), s.At(160, 199));
    }
    KinetBufferClose(b);
    KinetClose(h);
  }
}

}  // namespace
}  // namespace kinet::testing
