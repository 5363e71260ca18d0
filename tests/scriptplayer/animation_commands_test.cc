// Video in the player window: frames stepped or played by scripts are the library's own
// decode, pixel for pixel, and ANIMATIONPLAY's options do what they say.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "scriptplayer/commands/bitmaps.h"
#include "scriptplayer/window/window_host.h"
#include "tests/scriptplayer/script_runner.h"
#include "tests/support/animation_fixtures.h"

namespace kinet::script {
namespace {

using testing::ScriptRunner;

constexpr uint32_t kW = 64, kH = 48, kFrames = 12;

std::string SpriteFile(bool ring) {
  encoder::AnimationSettings settings{kW, kH, 66};
  settings.ring_frame = ring;
  return kinet::testing::WriteTestFile(ring ? "ring.knt" : "plain.knt", settings,
                                       kinet::testing::SpriteAnimation(kW, kH, kFrames, 5));
}

// The library's picture after decoding `count` frame records from the start, and its palette.
struct Decoded {
  std::vector<uint8_t> pixels;
  std::array<uint8_t, 768> palette{};
};
Decoded LibraryFrames(const std::string& path, uint32_t count) {
  Decoded d;
  d.pixels.assign(kW * kH, 0);
  KinetHandle* h = KinetOpen(path.c_str(), 0, 0);
  EXPECT_NE(h, nullptr);
  if (!h) return d;
  KinetToBuffer(h, 0, 0, kW, kH, d.pixels.data(), 0);
  for (uint32_t i = 0; i < count; ++i) {
    if (i > 0) KinetNextFrame(h);
    KinetDoFrame(h);
  }
  std::copy_n(h->Palette, 768, d.palette.begin());
  KinetClose(h);
  return d;
}

struct Player {
  ScriptRunner r;
  WindowHost host{r.platform()};
  Player() {
    r.UseHost(&host);
    EXPECT_EQ(r.Run("SCREENSETTINGS 0\nSCREENGRAPHICS OK 64 48\n").kind, RunOutcome::kFinished);
  }
  Screen& screen() { return *host.screen(); }
  std::vector<uint8_t> Image() {
    PixelView v = screen().View();
    std::vector<uint8_t> out;
    for (int y = 0; y < v.height; ++y)
      for (int x = 0; x < v.width; ++x) out.push_back(v.At(x, y));
    return out;
  }
  std::string Play(const std::string& file, int loops, int options) {
    EXPECT_EQ(r.Run("ANIMATIONPLAY R 0 0 " + std::to_string(loops) + " " + std::to_string(options) +
                    " \"" + file + "\"\n")
                  .kind,
              RunOutcome::kFinished);
    return r.Var("R");
  }
};

const char kAdvanceLoop[] =
    "ANIMATIONOPEN A 0 FILE\nANIMATIONFRAMES N A\nANIMATIONWIDTH W A\nVARSET I 0\n:next\n"
    "ANIMATIONADVANCE A\nCOMPUTE I = I + 1\nIF I < N GOTO \"next\"\n"
    "BITMAPALLOC LAST 64 48\nBITMAPFROMSCREEN LAST 0 0\nANIMATIONADVANCE A\n"
    "BITMAPALLOC NEXT 64 48\nBITMAPFROMSCREEN NEXT 0 0\nANIMATIONCLOSE A\n";

std::vector<uint8_t> BitmapPixels(ScriptRunner& r, const std::string& variable) {
  return cmd::Bitmaps(r.interpreter()).Get(std::stoi(r.Var(variable)))->pixels;
}

TEST(AnimationCommandsTest, AdvanceShowsTheLibrarysDecodeAndWrapsAfterTheLastFrame) {
  for (bool ring : {false, true}) {
    const std::string path = SpriteFile(ring);
    Player p;
    ASSERT_EQ(p.r.Run("VARSET FILE \"" + path + "\"\n" + kAdvanceLoop).kind, RunOutcome::kFinished)
        << ring;
    EXPECT_EQ(p.r.Var("N"), "12");
    EXPECT_EQ(p.r.Var("W"), "64");
    EXPECT_EQ(BitmapPixels(p.r, "LAST"), LibraryFrames(path, kFrames).pixels) << ring;
    // Without a ring frame the advance after the last frame starts again at the first; with
    // one, it shows the ring frame, which leads back to the first picture.
    EXPECT_EQ(BitmapPixels(p.r, "NEXT"), LibraryFrames(path, ring ? kFrames + 1 : 1).pixels)
        << ring;
  }
}

TEST(AnimationCommandsTest, PlayOptions) {
  const std::string path = SpriteFile(false);
  const Decoded last = LibraryFrames(path, kFrames);
  {
    Player p;  // 4: no pacing; the file's palettes reach the screen
    EXPECT_EQ(p.Play(path, 1, 4), "1");
    EXPECT_EQ(p.Image(), last.pixels);
    EXPECT_EQ(p.screen().palette, last.palette);
  }
  {
    Player p;  // 16: the area under the video comes back; 512: the palette stays
    ASSERT_EQ(p.r.Run("SCREENCLEAR 33\n").kind, RunOutcome::kFinished);
    const auto start_palette = p.screen().palette;
    EXPECT_EQ(p.Play(path, 2, 4 | 16 | 512), "1");
    EXPECT_EQ(p.Image(), std::vector<uint8_t>(kW * kH, 33));
    EXPECT_EQ(p.screen().palette, start_palette);
  }
  {
    Player p;  // 128: Escape in the key queue stops after the first frame
    p.screen().keys.Push(65);
    p.screen().keys.Push(27);
    EXPECT_EQ(p.Play(path, 3, 4 | 128), "1");
    EXPECT_EQ(p.Image(), LibraryFrames(path, 1).pixels);
    EXPECT_EQ(p.screen().keys.size(), 1u);  // other keys stay for the script
  }
  {
    Player p;  // 256: the frame over the background without the transparent colour
    const uint8_t transparent = last.pixels[0];
    ASSERT_EQ(p.r.Run("SCREENCLEAR 33\nTEXTTRANSCOLOR " + std::to_string(transparent) + "\n").kind,
              RunOutcome::kFinished);
    EXPECT_EQ(p.Play(path, 1, 4 | 256), "1");
    std::vector<uint8_t> expected = last.pixels;
    for (uint8_t& px : expected)
      if (px == transparent) px = 33;
    EXPECT_EQ(p.Image(), expected);
  }
  {
    Player p;  // 32: the file's palette is faded in and reached; 64: faded out to black at the end
    EXPECT_EQ(p.Play(path, 1, 4 | 32), "1");
    EXPECT_EQ(p.screen().palette, last.palette);
    EXPECT_EQ(p.Image(), last.pixels);
    ASSERT_EQ(p.r.Run("SCREENPALETTELOCK 1 1 1\n").kind, RunOutcome::kFinished);
    const std::array<uint8_t, 3> locked = {p.screen().palette[3], p.screen().palette[4],
                                           p.screen().palette[5]};
    EXPECT_EQ(p.Play(path, 1, 4 | 64), "1");
    for (size_t i = 0; i < 768; ++i) {
      if (i / 3 == 1) continue;  // the locked entry
      ASSERT_EQ(p.screen().palette[i], 0) << i;
    }
    EXPECT_TRUE(std::equal(locked.begin(), locked.end(), p.screen().palette.begin() + 3));
  }
  {
    Player p;
    EXPECT_EQ(p.Play("/no/such.knt", 1, 4), "0");
    EXPECT_EQ(p.Play("/no/such.knt", 0, 4), "1");  // no loops: nothing to play
  }
  ScriptRunner headless;  // 1024: sound only, no window needed
  ASSERT_EQ(headless.Run("ANIMATIONPLAY R 0 0 1 1028 \"" + path + "\"\n").kind,
            RunOutcome::kFinished);
  EXPECT_EQ(headless.Var("R"), "1");
}

// A freed bitmap or a closed window that frames went to is never written again: the frames
// then go nowhere.
TEST(AnimationCommandsTest, FramesNeverGoToAFreedBitmapOrAClosedWindow) {
  const std::string path = SpriteFile(false);
  Player p;
  ASSERT_EQ(p.r.Run("ANIMATIONOPEN A 0 \"" + path +
                    "\"\nBITMAPALLOC B 64 48\n"
                    "ANIMATIONTOBITMAP A B\nANIMATIONADVANCE A\nBITMAPFREE B\n"
                    "BITMAPALLOC C 8 8\nANIMATIONADVANCE A\nBITMAPGETPIXEL P C 1 1\n"
                    "ANIMATIONTOSCREEN A 0 0\nSCREENTEXT\nANIMATIONADVANCE A\n"
                    "ANIMATIONFRAMES N A\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(p.r.Var("P"), "0");
  EXPECT_EQ(p.r.Var("N"), "12");
}

TEST(AnimationCommandsTest, LoadToBitmapDecodesSuccessiveFrames) {
  const std::string path = SpriteFile(false);
  ScriptRunner r;
  ASSERT_EQ(r.Run("ANIMATIONLOADTOBITMAP \"" + path +
                  "\" F1 F2 F3\n"
                  "ANIMATIONLOADTOBITMAP \"/no/such\" G1 G2\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(BitmapPixels(r, "F1"), LibraryFrames(path, 1).pixels);
  EXPECT_EQ(BitmapPixels(r, "F3"), LibraryFrames(path, 3).pixels);
  EXPECT_EQ(r.Var("G1") + r.Var("G2"), "00");
}

}  // namespace
}  // namespace kinet::script
