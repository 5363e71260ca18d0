// The analysis window's numbers for video files made by the test: the two series and the
// moving average's rules, the scale, zooming, the frame report and the value table, and files
// it must refuse without reading past them.
#include "frontend/core/rate_analysis.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/files/memory_file_system.h"

namespace kinet::desk {
namespace {

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(char(v >> (8 * i) & 0xFF));
}

// A header and frame-size table; the frame records themselves are not needed.
std::string VideoFile(int32_t frame_rate, const std::vector<uint32_t>& sizes,
                      std::optional<uint32_t> claimed_frames = std::nullopt) {
  std::string f = "KNT2";
  Put32(f, 320);
  Put32(f, 240);
  Put32(f, claimed_frames.value_or(uint32_t(sizes.size())));
  Put32(f, uint32_t(frame_rate));
  f.resize(104, '\0');
  for (uint32_t s : sizes) Put32(f, s);
  return f;
}

class RateAnalysisTest : public ::testing::Test {
 protected:
  RateAnalysis Load(int32_t frame_rate, const std::vector<uint32_t>& sizes,
                    RateUnit unit = RateUnit::kBytesPerFrame) {
    files_.AddFile("/clips/walk.knt", VideoFile(frame_rate, sizes));
    AnalysisLoad load = LoadRateAnalysis(files_, "/clips/walk", unit);
    EXPECT_TRUE(load.analysis) << load.error;
    return load.analysis ? *load.analysis : RateAnalysis{};
  }
  platform::MemoryFileSystem files_;
};

TEST_F(RateAnalysisTest, TheFirstFrameNeverCountsAndEarlyAveragesAreOverTheFramesSeen) {
  RateAnalysis a = Load(100, {5000, 0, 0, 0});  // 10 frames a second
  EXPECT_EQ(a.file, "/clips/walk.knt");
  EXPECT_EQ(a.Title(), "walk.knt");
  EXPECT_EQ(a.average_frames, 10);
  EXPECT_EQ(a.values, (std::vector<double>{5000, 0, 0, 0}));
  EXPECT_EQ(a.averages, (std::vector<double>{0, 0, 0, 0}));
  a = Load(100, {9999, 100, 200, 300});
  EXPECT_EQ(a.averages, (std::vector<double>{0, 50, 100, 150}));
  // Beyond N frames the oldest leaves the average.
  a = Load(-50000, {7, 10, 20, 30, 40});  // 2 frames a second
  EXPECT_EQ(a.average_frames, 2);
  EXPECT_EQ(a.averages, (std::vector<double>{0, 5, 15, 25, 35}));
  EXPECT_EQ(a.peak, 40);
}

TEST_F(RateAnalysisTest, FramesLongerThanASecondAverageAlone) {
  const RateAnalysis a = Load(2000, {100, 200, 300});
  EXPECT_EQ(a.average_frames, 1);
  EXPECT_EQ(a.averages, (std::vector<double>{0, 200, 300}));
}

TEST_F(RateAnalysisTest, BytesPerSecondAndTheReferenceLines) {
  RateAnalysis a = Load(-6666, {3000, 6666, 10000}, RateUnit::kBytesPerSecond);  // 15 fps
  EXPECT_NEAR(a.values[1], 100000, 0.01);
  EXPECT_EQ(a.references, (std::array<double, 3>{120000, 240000, 480000}));
  EXPECT_EQ(FrameReport(a, 2), "Frame: 2  Size: 6666  Bytes per second: 100000");
  EXPECT_EQ(FrameReport(a, 0), "");
  EXPECT_EQ(FrameReport(a, 4), "");
  a = Load(-6666, {3000, 6666, 10000});
  EXPECT_NEAR(a.references[0], 6666 * 1.2, 1e-6);
  EXPECT_EQ(FrameReport(a, 2), "Frame: 2  Size: 6666  Bytes per second: 100000");
}

TEST_F(RateAnalysisTest, TheScaleRoundsUpToWholeThousandsOrHalfThousands) {
  RateAnalysis a = Load(100, {1, 12345});
  EXPECT_EQ(AxisMaximum(a, {false, false, false}), 12500);
  EXPECT_EQ(AxisMaximum(a, {false, true, false}), 24000);  // 2x CD-ROM: 24000 per frame
  a = Load(100, {1, 12345}, RateUnit::kBytesPerSecond);
  EXPECT_EQ(AxisMaximum(a, {false, false, false}), 124000);
  EXPECT_EQ(AxisMaximum(a, {false, true, false}), 240000);
  EXPECT_EQ(AxisMaximum(a, {false, false, true}), 480000);
}

TEST(RateChart, ZoomLimits) {
  ChartSpan s;
  s = ZoomTo(s, 40, 1000);
  EXPECT_EQ(s.first, 1);
  EXPECT_EQ(s.last, 41);
  EXPECT_EQ(s.scroll_max, 960);
  EXPECT_EQ(s.large_step, 39);
  s = ZoomTo(s, ZoomedIn(2), 1000);  // zooming in from 2 stays at 2
  EXPECT_EQ(s.width, 2);
  EXPECT_EQ(ZoomedOut(3), 4);
  // Near the end the span keeps its width and ends at the last frame.
  s = ScrolledTo(ZoomTo(s, 100, 1000), 950);
  s = ZoomTo(s, 100, 1000);
  EXPECT_EQ(s.first, 900);
  EXPECT_EQ(s.last, 1000);
  // Fewer frames than the width: every frame, from frame 1.
  s = ZoomTo(ChartSpan{}, DefaultWidth(500), 5);
  EXPECT_EQ(s.first, 1);
  EXPECT_EQ(s.last, 5);
}

TEST_F(RateAnalysisTest, TheValueTable) {
  const RateAnalysis a = Load(100, {10, 20});
  EXPECT_EQ(ValueTable(a),
            "Kinetor file: /clips/walk.knt\r\n\r\nFrame\tSize\tBytes per Second\r\n"
            "1\t10\t100\r\n2\t20\t200\r\n");
}

TEST_F(RateAnalysisTest, AFileWithoutFrameRateIsShownPerFrame) {
  const RateAnalysis a = Load(0, {10, 20, 30}, RateUnit::kBytesPerSecond);
  EXPECT_EQ(a.unit, RateUnit::kBytesPerFrame);
  EXPECT_EQ(a.note, kNoFrameRateNote);
  EXPECT_EQ(a.values, (std::vector<double>{10, 20, 30}));
  EXPECT_EQ(FrameReport(a, 3), "Frame: 3  Size: 30  Bytes per second: 0");
}

TEST_F(RateAnalysisTest, FilesItCannotShowAreRefusedWithTheReason) {
  const auto error = [&](const std::string& content) {
    files_.AddFile("/x.knt", content);
    AnalysisLoad load = LoadRateAnalysis(files_, "/x.knt", RateUnit::kBytesPerSecond);
    EXPECT_FALSE(load.analysis);
    return load.error;
  };
  EXPECT_EQ(LoadRateAnalysis(files_, "/none", RateUnit::kBytesPerFrame).error,
            "Error loading Kinetor file.\n/none.knt cannot be opened.");
  EXPECT_EQ(error("KNT1" + std::string(200, '\0')),
            "Error loading Kinetor file.\n/x.knt is not a Kinetor file.");
  EXPECT_EQ(error("KNT2"), "Error loading Kinetor file.\n/x.knt is not a Kinetor file.");
  EXPECT_EQ(error(VideoFile(100, {1, 2, 3}, 100000000)),
            "Error loading Kinetor file.\nIts table of 100000000 frame sizes does not fit in "
            "its 116 bytes: the file is cut short or damaged.");
  EXPECT_NE(error(VideoFile(100, {1, 2, 3}, uint32_t(-5))).find("does not fit"), std::string::npos);
}

}  // namespace
}  // namespace kinet::desk
