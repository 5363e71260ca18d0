#include "toolkit/elapsed_time.h"

#include <gtest/gtest.h>

namespace kinet::toolkit {
namespace {

TEST(ElapsedTime, EachRangeAndItsPlurals) {
  EXPECT_EQ(FormatElapsed(0), "0 milliseconds");
  EXPECT_EQ(FormatElapsed(1), "1 millisecond");
  EXPECT_EQ(FormatElapsed(999), "999 milliseconds");
  EXPECT_EQ(FormatElapsed(1000), "1 second");
  EXPECT_EQ(FormatElapsed(1500), "1 second");
  EXPECT_EQ(FormatElapsed(59999), "59 seconds");
  EXPECT_EQ(FormatElapsed(60000), "1 minute 0 seconds");
  EXPECT_EQ(FormatElapsed(61000), "1 minute 1 second");
  EXPECT_EQ(FormatElapsed(125000), "2 minutes 5 seconds");
  EXPECT_EQ(FormatElapsed(3600000), "1 hour 0 minutes");
  EXPECT_EQ(FormatElapsed(7260000), "2 hours 1 minute");
  EXPECT_EQ(FormatElapsed(4294967295u), "1193 hours 2 minutes");
}

}  // namespace
}  // namespace kinet::toolkit
