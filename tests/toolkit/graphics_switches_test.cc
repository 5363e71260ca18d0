// The graphics switches every graphics tool reads, and their normalised values.
#include "toolkit/graphics/graphics_switches.h"

#include <gtest/gtest.h>

#include <vector>

#include "toolkit/list_file.h"
#include "toolkit/series_name.h"

namespace kinet::toolkit {
namespace {

GraphicsSwitches Read(std::vector<std::string> words, bool* leftover = nullptr) {
  SwitchLine line(words, kGraphicsSwitches);
  GraphicsSwitches s = ReadGraphicsSwitches(line);
  if (leftover) *leftover = line.HasLeftover();
  return s;
}

TEST(GraphicsSwitchesTest, DefaultsAndNormalisation) {
  const GraphicsSwitches none = Read({"in.flc", "out.flc"});
  EXPECT_EQ(none.palette.colours, 256);
  EXPECT_EQ(none.palette.start_index, 0);
  EXPECT_EQ(none.palette.period, 65536);
  EXPECT_EQ(none.start, 0);

  bool leftover = true;
  const GraphicsSwitches s = Read(
      {"/S5/E9", "-X2", "/Y3/W40/H30", "/Q200", "/U10", "/P2/T1/D2", "-&/tmp/pal.bmp"}, &leftover);
  EXPECT_FALSE(leftover);
  EXPECT_EQ(s.start, 5);
  EXPECT_EQ(s.end, 9);
  EXPECT_EQ(s.sub_frame.x, 2);
  EXPECT_EQ(s.sub_frame.height, 30);
  EXPECT_EQ(s.palette.colours, 200);
  EXPECT_EQ(s.palette.start_index, 28);  // centred: (256 - 200) / 2
  EXPECT_EQ(s.palette.period, 10);
  EXPECT_EQ(s.palette.mode, 2);
  EXPECT_EQ(s.palette.halftone, 1);
  EXPECT_EQ(s.palette.system_colours, 2);
  EXPECT_EQ(s.palette.palette_file, "/tmp/pal.bmp");

  EXPECT_EQ(Read({"/Q0"}).palette.colours, 256);
  EXPECT_EQ(Read({"/Q300"}).palette.colours, 256);
  EXPECT_EQ(Read({"/Q10/I250"}).palette.start_index, 246);  // lowered: I + Q <= 256
  EXPECT_EQ(Read({"/I-4"}).palette.start_index, 0);
  EXPECT_EQ(Read({"/U0"}).palette.period, 65536);
  EXPECT_EQ(Read({"/U-3"}).palette.period, 65536);
  EXPECT_EQ(Read({"/U70000"}).palette.period, 65536);
  Read({"/N5"}, &leftover);  // not a graphics switch: left for the usage
  EXPECT_TRUE(leftover);
}

TEST(GraphicsSwitchesTest, ListLinesAndSeriesNames) {
  EXPECT_FALSE(ParseListLine("  # a comment").has_value());
  EXPECT_FALSE(ParseListLine(" \t ").has_value());
  const auto ranged = ParseListLine("walk.flc /S5 /E9");
  ASSERT_TRUE(ranged);
  EXPECT_EQ(ranged->name, "walk.flc");
  EXPECT_EQ(ranged->start, 5);
  EXPECT_EQ(ranged->end, 9);
  EXPECT_EQ(ParseListLine("\"my walk.flc\" /E3")->name, "my walk.flc");
  EXPECT_EQ(ParseListLine("my walk.flc")->name, "my walk.flc");
  EXPECT_EQ(ParseListLine("walk.flc /Z3")->name, "walk.flc /Z3");  // kept whole: reported

  const auto series = ParseSeriesName("dir/Exam???.BMP*1-149");
  ASSERT_TRUE(series);
  EXPECT_EQ(series->FileName(1), "dir/Exam001.BMP");
  EXPECT_EQ(series->FileName(149), "dir/Exam149.BMP");
  EXPECT_EQ(series->count(), 149u);
  EXPECT_EQ(ParseSeriesName("a??.tga*7")->count(), 1u);
  EXPECT_EQ(ParseSeriesName("a??.tga*7")->FileName(7), "a07.tga");
  EXPECT_FALSE(ParseSeriesName("a??.tga"));
  EXPECT_FALSE(ParseSeriesName("a.tga*1-3"));
  EXPECT_FALSE(ParseSeriesName("a?.tga*5-3"));
  EXPECT_FALSE(ParseSeriesName("a?.tga*x"));
}

}  // namespace
}  // namespace kinet::toolkit
