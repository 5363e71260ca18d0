// The progress bar's numbers: percent done and the time left.
#include "toolkit/progress_text.h"

#include <gtest/gtest.h>

namespace kinet::toolkit {
namespace {

TEST(ProgressText, PercentAndTimeLeft) {
  EXPECT_EQ(PercentDone(0, 0), 0);
  EXPECT_EQ(PercentDone(1, 3), 33);
  EXPECT_EQ(PercentDone(7, 5), 100);
  EXPECT_EQ(ProgressText(0, 300, 5000), "0% done");
  EXPECT_EQ(ProgressText(12, 300, 800), "4% done") << "too young to tell";
  EXPECT_EQ(ProgressText(12, 300, 4500), "4% done, 1:48 left");
  EXPECT_EQ(ProgressText(1, 3, 3600 * 1000), "33% done, 2:00:00 left");
  EXPECT_EQ(ProgressText(300, 300, 4500), "100% done");
}

}  // namespace
}  // namespace kinet::toolkit
