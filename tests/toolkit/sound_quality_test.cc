// A sine converted down and up in rate keeps its frequency and stays close to the ideal sine.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tests/support/graphics_fixtures.h"
#include "tests/support/sound_input_fixtures.h"

namespace kinet::toolkit::testing {
namespace {

constexpr double kAmplitude = 20000;
constexpr double kFrequency = 440;

std::vector<int16_t> Sine(uint32_t rate, uint32_t frames) {
  std::vector<int16_t> out;
  for (uint32_t i = 0; i < frames; ++i)
    out.push_back(static_cast<int16_t>(
        std::lround(kAmplitude * std::sin(2 * std::numbers::pi * kFrequency * i / rate))));
  return out;
}

// Rising zero crossings per second.
double MeasuredFrequency(const std::vector<int16_t>& samples, uint32_t rate) {
  int crossings = 0;
  for (size_t i = 1; i < samples.size(); ++i) crossings += samples[i - 1] < 0 && samples[i] >= 0;
  return crossings * double(rate) / samples.size();
}

// The largest distance from the sine sampled at `offset` + k x `period` seconds, as a share
// of the amplitude.
double WorstError(const std::vector<int16_t>& samples, double offset, double period) {
  double worst = 0;
  for (size_t k = 0; k < samples.size(); ++k) {
    const double ideal =
        kAmplitude * std::sin(2 * std::numbers::pi * kFrequency * (offset + k * period));
    worst = std::max(worst, std::abs(samples[k] - ideal));
  }
  return worst / kAmplitude;
}

class SoundQualityTest : public ::testing::Test {
 protected:
  std::vector<int16_t> Convert(uint32_t from, uint32_t to, uint32_t frames) {
    WriteWav(folder_ + "sine.wav", {.format = {from, 16, 1}, .pcm = Pcm16(Sine(from, frames))});
    auto source =
        OpenSoundSource(platform::SystemFileSystem(), {.rate = int32_t(to)}, folder_ + "sine.wav");
    EXPECT_NE(source, nullptr);
    return source ? Samples16(ReadAll(*source, 4096)) : std::vector<int16_t>{};
  }
  std::string folder_ = TestFolder();
};

TEST_F(SoundQualityTest, DownByFourStaysWithinHalfAPercent) {
  const auto out = Convert(44100, 11025, 44100);
  ASSERT_EQ(out.size(), 11025u);
  EXPECT_NEAR(MeasuredFrequency(out, 11025), kFrequency, 1.0);
  // Each output frame is the mean of four input frames: the sine at their middle, 1.5 input
  // frames after the first, less the box filter's small loss (0.15% at 440 Hz).
  EXPECT_LT(WorstError(out, 1.5 / 44100, 1.0 / 11025), 0.005);
}

TEST_F(SoundQualityTest, UpByFourStaysWithinOnePercent) {
  const auto out = Convert(11025, 44100, 11025);
  ASSERT_EQ(out.size(), 11025u * 4 - 3);  // nothing after the last input frame
  EXPECT_NEAR(MeasuredFrequency(out, 44100), kFrequency, 1.0);
  // Straight lines between input frames miss the curve by at most A (w h)^2 / 8, 0.8% here.
  EXPECT_LT(WorstError(out, 0, 1.0 / 44100), 0.01);
}

TEST_F(SoundQualityTest, UnevenRatiosKeepTheFrequency) {
  // Between uneven rates an input frame falls due at the output frame at or before its time,
  // up to one output frame early, which bounds the error by w / output rate (12.6% here).
  const auto up = Convert(8000, 22050, 8000);
  EXPECT_NEAR(MeasuredFrequency(up, 22050), kFrequency, 1.0);
  EXPECT_LT(WorstError(up, 0, 1.0 / 22050), 0.13);
  const auto down = Convert(22050, 8000, 22050);
  ASSERT_EQ(down.size(), 8000u);
  EXPECT_NEAR(MeasuredFrequency(down, 8000), kFrequency, 1.0);
}

}  // namespace
}  // namespace kinet::toolkit::testing
