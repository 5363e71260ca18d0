// Volume and pan as the two drivers turn them into channel gains and apply them to samples.
#include <gtest/gtest.h>

#include <vector>

#include "platform/audio/channel_gains.h"

namespace kinet::platform {
namespace {

TEST(ChannelGains, PolledRuleLowersTheChannelAwayFromThePan) {
  EXPECT_TRUE(PolledGains(65536, 32768).Unity());  // volume limited to 0xFFFF, full scale
  const ChannelGains left = PolledGains(65536, 16384);
  EXPECT_EQ(left.left, 65536u);
  EXPECT_EQ(left.right, 32767u);  // 0xFFFF x 16384 / 0x8000 of the device's 0xFFFF
  const ChannelGains right = PolledGains(0xFFFF, 65536);
  EXPECT_EQ(right.left, 0u);
  EXPECT_EQ(right.right, 65536u);
  EXPECT_EQ(PolledGains(0, 32768).left, 0u);
}

TEST(ChannelGains, CallbackRuleWorksInHundredthsOfADecibel) {
  EXPECT_TRUE(CallbackGains(65536, 32768).Unity());  // volume limited to 32768 = 0 dB
  // Half the volume is -50 dB; full left pan lowers the right channel by 100 dB.
  EXPECT_EQ(CallbackGains(16384, 32768).left, 207u);
  const ChannelGains left = CallbackGains(32768, 0);
  EXPECT_EQ(left.left, 65536u);
  EXPECT_EQ(left.right, 1u);
}

TEST(ChannelGains, ScalingKeepsSilenceAndTheChannelOrder) {
  std::vector<uint8_t> eight = {0x80, 0xFF, 0x00, 0x90};
  ApplyGains(eight.data(), 4, {11025, 2, 8}, {65536, 32768});
  EXPECT_EQ(eight, (std::vector<uint8_t>{0x80, 0xBF, 0x00, 0x88}));
  std::vector<uint8_t> sixteen = {0x00, 0x40, 0x00, 0xC0};  // 16384, -16384 mono
  ApplyGains(sixteen.data(), 4, {11025, 1, 16}, {32768, 32768});
  EXPECT_EQ(sixteen, (std::vector<uint8_t>{0x00, 0x20, 0x00, 0xE0}));
}

}  // namespace
}  // namespace kinet::platform
