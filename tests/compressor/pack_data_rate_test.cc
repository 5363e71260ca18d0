// kinetpackw at data rates on every generated kind of content: the busiest second of the
// written file (from its frame size table, every window of a second included) lands between
// 90 and 100 % of the rate asked for, from a low rate to one just below what exact coding
// needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "compressor/animation_writer.h"
#include "compressor/kinetpackw/pack_run.h"
#include "lib/core/format.h"
#include "platform/clock/clock.h"
#include "platform/files/memory_file_system.h"
#include "tests/support/content_kinds.h"

namespace kinet {
namespace {

constexpr uint32_t kFrames = 20, kPerSecond = 10;

class PackDataRate : public ::testing::Test {
 protected:
  int Pack(const std::vector<std::string>& words) {
    ::testing::internal::CaptureStderr();
    const int status = pack::RunPack(words, files_, clock_);
    said_ = ::testing::internal::GetCapturedStderr();
    return status;
  }
  // The largest sum of the record sizes of a second's frames, over every window.
  uint64_t BusiestSecond(const std::string& path) const {
    const std::string* file = files_.Content(path);
    if (!file || file->size() < KINET_HEADER_SIZE) return 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(file->data());
    const KinetHeader header = ParseHeader(bytes);
    std::vector<uint64_t> sizes;
    for (uint32_t i = 0; i < header.Frames; ++i)
      sizes.push_back(LoadLe32(bytes + KINET_HEADER_SIZE + 4 * size_t{i}));
    uint64_t busiest = 0;
    for (size_t first = 0; first + kPerSecond <= sizes.size(); ++first) {
      uint64_t second = 0;
      for (size_t i = first; i < first + kPerSecond; ++i) second += sizes[i];
      busiest = std::max(busiest, second);
    }
    return busiest;
  }

  platform::MemoryFileSystem files_;
  platform::ManualClock clock_;
  std::string said_;
};

TEST_F(PackDataRate, BusiestSecondHoldsTheRateOnEveryKindOfContent) {
  for (testing::ContentKind kind : testing::kAllContentKinds) {
    SCOPED_TRACE(testing::NameOf(kind));
    const auto [w, h] = testing::SizeOf(kind);
    ASSERT_EQ(encoder::WriteAnimation(files_, "/in.knt", {w, h, -100000 / int32_t{kPerSecond}},
                                      testing::MakeContent(kind, kFrames)),
              encoder::WriteStatus::kOk);
    ASSERT_EQ(Pack({"/in.knt", "/exact.knt", "/N0", "/O"}), 0) << said_;
    const uint64_t needed = BusiestSecond("/exact.knt");
    for (uint64_t percent : {50, 70, 90}) {
      const uint64_t rate = needed * percent / 100;
      SCOPED_TRACE(rate);
      ASSERT_EQ(Pack({"/in.knt", "/rate.knt", "/N" + std::to_string(rate), "/O"}), 0) << said_;
      const uint64_t busiest = BusiestSecond("/rate.knt");
      EXPECT_LE(busiest, rate);
      EXPECT_GE(busiest * 10, rate * 9);
    }
  }
}

}  // namespace
}  // namespace kinet
