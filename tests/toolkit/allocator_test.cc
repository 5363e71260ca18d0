#include "toolkit/allocator.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kinet::toolkit {
namespace {

class RecordingFace : public platform::StatusFace {
 public:
  explicit RecordingFace(std::vector<std::string>& shown) : shown_(shown) {}
  void SetStatus(std::string_view) override {}
  void ShowMessage(platform::MessageIcon icon, std::string_view, std::string_view text) override {
    if (icon == platform::MessageIcon::kError) shown_.emplace_back(text);
  }
  bool AskYesNo(std::string_view, std::string_view, bool) override { return false; }
  platform::FaceEvents Pump() override { return {}; }
  platform::FaceEvents Wait(int) override { return {}; }
  void SetButtonDone() override {}
  bool CanWaitForDone() const override { return false; }
  void Close() override {}

 private:
  std::vector<std::string>& shown_;
};

TEST(Allocator, AlignedZeroedBlocksAndTheOutOfMemoryMessage) {
  std::vector<std::string> shown;
  StatusFrame frame({"Kinet", "test", {}}, nullptr, std::make_unique<RecordingFace>(shown));
  Block block = AllocateBlock(100, frame);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(block.get()) % 16, 0u);
  for (size_t i = 0; i < 100; ++i) EXPECT_EQ(block[i], std::byte{0});

  EXPECT_EQ(AllocateBlock(0, frame), nullptr);
  EXPECT_EQ(AllocateBlock(SIZE_MAX, frame), nullptr);
  EXPECT_TRUE(shown.empty());

  std::vector<uint32_t> items(3, 7);
  EXPECT_FALSE(ResizeOrReport(items, items.max_size() + 1, frame));
  EXPECT_EQ(items.size(), 3u);
  EXPECT_TRUE(ResizeOrReport(items, 10, frame));
  EXPECT_EQ(shown, std::vector<std::string>{"Error: ran out of memory!"});
#ifndef __SANITIZE_ADDRESS__  // the sanitizer's allocator stops the program instead
  EXPECT_EQ(AllocateBlock(SIZE_MAX / 2, frame), nullptr);
  EXPECT_EQ(shown.size(), 2u);
#endif
}

}  // namespace
}  // namespace kinet::toolkit
