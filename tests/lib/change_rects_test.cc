// Which rectangles a caller is told to copy after each frame, in every mode.
#include <gtest/gtest.h>

#include "kinet/kinet.h"
#include "tests/support/animation_fixtures.h"

namespace kinet::testing {
namespace {

struct Rect {
  uint32_t x, y, w, h;
  bool operator==(const Rect&) const = default;
};

std::vector<Rect> Rects(KinetHandle* h, uint32_t mode) {
  std::vector<Rect> out;
  while (KinetToBufferRect(h, mode) && out.size() < 100)
    out.push_back({h->LastRectX, h->LastRectY, h->LastRectW, h->LastRectH});
  return out;
}

// 100 x 8 pixels: 25 blocks a row, so the second group of 16 blocks crosses the right edge.
// Frame 1 changes block 20 only; frame 2 changes nothing but the palette; frame 3 nothing.
std::string EdgeFile(uint32_t y_mode = 0) {
  std::vector<encoder::AnimationFrame> frames(4);
  for (auto& f : frames) {
    f.pixels.assign(100 * 8, 1);
    for (int i = 0; i < 768; ++i) f.palette[i] = static_cast<uint8_t>(i);
  }
  for (int i = 1; i < 4; ++i)
    for (int y = 0; y < 4; ++y) frames[i].pixels[y * 100 + 80] = 5;
  frames[2].palette[0] = frames[3].palette[0] = 200;
  encoder::AnimationSettings s{100, 8, 100};
  s.y_mode = y_mode;
  return WriteTestFile("edge.knt", s, frames);
}

class ChangeRects : public ::testing::Test {
 protected:
  void Open(uint32_t y_mode = 0, int32_t left = 0, int32_t top = 0) {
    h_ = KinetOpen(EdgeFile(y_mode).c_str(), 0, -1);
    ASSERT_NE(h_, nullptr);
    buffer_.assign(200 * 40, 0);
    KinetToBuffer(h_, left, top, 200, 40, buffer_.data(), 0);
  }
  void Step(int frame) {
    KinetGoto(h_, frame + 1);
    KinetDoFrame(h_);
  }
  void TearDown() override { KinetClose(h_); }
  KinetHandle* h_ = nullptr;
  std::vector<uint8_t> buffer_;
};

TEST_F(ChangeRects, AGroupCrossingTheRightEdgeGivesTwoSpans) {
  Open();
  Step(0);
  EXPECT_EQ(Rects(h_, 1), (std::vector<Rect>{{0, 0, 100, 8}}));
  Step(1);
  // The group of blocks 16-31 covers columns 64-99 of band 0 and 0-27 of band 1; merging them
  // would cover far more than both, so they stay apart.
  EXPECT_EQ(Rects(h_, 0), (std::vector<Rect>{{64, 0, 36, 4}, {0, 4, 28, 4}}));
}

TEST_F(ChangeRects, ModesBoundNothingAndEndMarker) {
  Open();
  Step(0);
  Step(1);
  EXPECT_EQ(Rects(h_, 1), (std::vector<Rect>{{0, 0, 100, 8}}));
  KinetDoFrame(h_);
  EXPECT_TRUE(Rects(h_, 2).empty());
  KinetDoFrame(h_);
  EXPECT_EQ(Rects(h_, 3), (std::vector<Rect>{{64, 0, 36, 4}, {0, 4, 28, 4}, {0, 0, 0, 0}}));
  EXPECT_TRUE(Rects(h_, 3).empty()) << "nothing more until the next frame is decoded";
}

TEST_F(ChangeRects, PaletteOnlyChangeAsksForOneEmptyRectangle) {
  Open();
  Step(1);
  Step(2);
  ASSERT_EQ(h_->NewPalette, 1u);
  EXPECT_EQ(Rects(h_, 0), (std::vector<Rect>{{0, 0, 0, 0}}));
  Step(3);
  ASSERT_EQ(h_->NewPalette, 0u);
  EXPECT_TRUE(Rects(h_, 0).empty());
}

TEST_F(ChangeRects, YModesDoubleRowsAndOffsetsShiftThem) {
  Open(KINET_FLAG_Y_DOUBLED, 7, 3);
  Step(0);
  Step(1);
  EXPECT_EQ(Rects(h_, 0), (std::vector<Rect>{{71, 3, 36, 8}, {7, 11, 28, 8}}));
}

TEST_F(ChangeRects, NearbySpansMergeWithinTheAreaBudget) {
  // 256 x 8: one group per band-quarter; changes in both bands at the same columns merge.
  std::vector<encoder::AnimationFrame> frames(2);
  for (auto& f : frames) f.pixels.assign(256 * 8, 1);
  frames[1].pixels[0 * 256 + 10] = 2;   // band 0, group 0
  frames[1].pixels[4 * 256 + 10] = 2;   // band 1, group 4
  frames[1].pixels[4 * 256 + 200] = 2;  // band 1, group 7
  KinetHandle* h = KinetOpen(WriteTestFile("m.knt", {256, 8, 100}, frames).c_str(), 0, -1);
  ASSERT_NE(h, nullptr);
  std::vector<uint8_t> buffer(256 * 8);
  KinetToBuffer(h, 0, 0, 256, 8, buffer.data(), 0);
  KinetDoFrame(h);
  KinetNextFrame(h);
  KinetDoFrame(h);
  EXPECT_EQ(Rects(h, 0), (std::vector<Rect>{{0, 0, 64, 8}, {192, 4, 64, 4}}));
  KinetClose(h);
}

}  // namespace
}  // namespace kinet::testing
