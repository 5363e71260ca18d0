// pixworkw's switches and names.
#include "graphics/pixworkw/pix_settings.h"

#include <gtest/gtest.h>

namespace kinet::pix {
namespace {

std::optional<PixSettings> Read(std::vector<std::string> words) {
  toolkit::SwitchLine line(words, SwitchTable());
  toolkit::TakeReportSwitches(line);
  return ReadPixSettings(line);
}

TEST(PixSettings, SwitchesOfTheGraphicsProcessorOnly) {
  // Switches of the compressor are unknown here; so are malformed ones and missing names.
  for (const char* bad : {"/N5", "/K0", "/L1", "/G", "/Q", "/O5", "-F"})
    EXPECT_FALSE(Read({"in.flc", "out.flc", bad})) << bad;
  EXPECT_FALSE(Read({"in.flc"})) << "no output";
  EXPECT_FALSE(Read({"in.flc", "out.flc", "more.flc"})) << "an extra name";

  auto s = Read({"in.flc", "out"});
  ASSERT_TRUE(s);
  EXPECT_FALSE(s->overwrite);
  EXPECT_EQ(s->frame_rate, 0);
  EXPECT_EQ(s->graphics.palette.colours, 256);
  EXPECT_EQ(s->input, "in.flc");
  EXPECT_EQ(s->output, "out");

  s = Read({"/#12/#", "/O/F-50", "in.lst", "-&/home/me/palette.bmp", "out.bmp", "/S2/E9",
            "/X4/Y5/W60/H40", "/Q64/U10/T1/D2/P1"});
  ASSERT_TRUE(s);
  EXPECT_TRUE(s->overwrite);
  EXPECT_EQ(s->frame_rate, -50);
  EXPECT_EQ(s->graphics.start, 2);
  EXPECT_EQ(s->graphics.end, 9);
  EXPECT_EQ(s->graphics.sub_frame.x, 4);
  EXPECT_EQ(s->graphics.sub_frame.height, 40);
  const toolkit::PaletteSettings& p = s->graphics.palette;
  EXPECT_EQ(p.colours, 64);
  EXPECT_EQ(p.start_index, 96);  // centred
  EXPECT_EQ(p.period, 10);
  EXPECT_EQ(p.halftone, 1);
  EXPECT_EQ(p.system_colours, 2);
  EXPECT_EQ(p.mode, 1);
  EXPECT_EQ(p.palette_file, "/home/me/palette.bmp");
  EXPECT_EQ(s->input, "in.lst");
  EXPECT_EQ(s->output, "out.bmp");
}

TEST(PixSettings, OutputNamesAndFrameRates) {
  EXPECT_EQ(OutputName("walk"), "walk.flc");
  EXPECT_EQ(OutputName("dir.v2/walk"), "dir.v2/walk.flc");
  EXPECT_EQ(OutputName("walk.bmp"), "walk.bmp");
  EXPECT_EQ(OutputName("walk.xyz"), "walk.xyz");
  EXPECT_EQ(toolkit::OutputFrameRate(40, 0), 40);
  EXPECT_EQ(toolkit::OutputFrameRate(40, 10), -10000);
  EXPECT_EQ(toolkit::OutputFrameRate(40, -1500), -150000);
  EXPECT_EQ(toolkit::OutputFrameRate(40, -1501), -1501);
}

TEST(PixSettings, UsageBoxes) {
  // The first box's lines all end in CR LF; the second begins with an empty line and its last
  // line has none.
  EXPECT_TRUE(kUsageBoxes[0].starts_with(
      "Syntax:  PixWork <Input Graphics File> <Output Graphics File> [/Switches]\r\n\r\n"));
  EXPECT_TRUE(kUsageBoxes[0].ends_with("    an .LST extension.\r\n"));
  EXPECT_TRUE(kUsageBoxes[1].starts_with("\r\nSwitches:\r\n  /Q# - Number of colors"));
  EXPECT_TRUE(
      kUsageBoxes[1].ends_with("\r\n  /&filename - Specifies a file to get the palette from."));
}

}  // namespace
}  // namespace kinet::pix
