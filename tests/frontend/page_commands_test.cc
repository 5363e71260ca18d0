// The command lines the option pages build, and how they name their files: what a user's
// choices on a page become when the tool runs.
#include <gtest/gtest.h>

#include "frontend/core/pack_page.h"
#include "frontend/core/page_files.h"
#include "frontend/core/page_names.h"
#include "frontend/core/page_settings.h"
#include "frontend/core/tool_pages.h"
#include "platform/files/memory_file_system.h"

namespace kinet::desk {
namespace {

std::string NoExpertFile(const std::string&) {
  ADD_FAILURE() << "an empty Expert text needs no file";
  return "";
}

std::string Pack(const PackPage& page) {
  return PackCommand(page, "walk.flc walk.knt", "/clips", NoExpertFile);
}

TEST(PackPage, TheDefaultsAndEachRateType) {
  PackPage page;
  EXPECT_EQ(Pack(page), "KinetPack walk.flc walk.knt /N240000/K20/A95/L0 /O");
  page.regular = {RateType::kPercentOfSize, "50"};
  EXPECT_EQ(RateCode(page.regular), "-450");
  page.regular = {RateType::kPercentOfAverage, "50"};
  EXPECT_EQ(RateCode(page.regular), "-50");
  page.regular = {RateType::kLossless, ""};
  EXPECT_EQ(RateCode(page.regular), "0");
  page.regular = {RateType::kErrorPercent, "65 %"};
  EXPECT_EQ(RateCode(page.regular), "65");
  page.key = {RateType::kDataRate, ""};  // an empty number leaves the switch out
  page.auto_key = "80 %";
  EXPECT_EQ(Pack(page), "KinetPack walk.flc walk.knt /N65/A80/L0 /O");
}

TEST(PackPage, SoundSwitchesFollowTheLossyLevelAndItsBlank) {
  PackPage page;
  page.overwrite = false;
  page.rate = 2;
  page.bits = 2;
  page.channels = 1;
  page.lossy = 4;
  EXPECT_EQ(Pack(page), "KinetPack walk.flc walk.knt /N240000/K20/A95/L4 /R22050/B16/C1");
  page.rate = 4;
  page.typed_rate = "32000";
  page.bits = 1;
  page.channels = 2;
  EXPECT_EQ(Pack(page), "KinetPack walk.flc walk.knt /N240000/K20/A95/L4 /R32000/B8/C2");
  page.no_sound = true;  // no sound: /L-1 and a blank, no /R /B /C
  EXPECT_EQ(Pack(page), "KinetPack walk.flc walk.knt /N240000/K20/A95/L-1 ");
}

TEST(PackPage, EveryOtherSwitchInItsPlace) {
  PackPage page;
  page.key_every = {true, "30"};
  page.height = 1;
  page.mix_original = page.every_other = page.ring = true;
  page.start = {true, "5"};
  page.end = {false, "9"};  // not checked: left out
  page.frame_rate = {true, "15"};
  page.x = {true, "8"};
  page.width = {true, ""};  // checked without a number: left out
  page.colours = {true, "128"};
  page.start_index = {true, "16"};
  page.halftone = 2;
  page.palette_control = 1;
  page.system_colours = 2;
  page.palette_every = {true, "10"};
  page.palette_file = "/clips/my palette.bmp";
  page.expert = "50 60 300000 0\n";
  std::string written;
  const std::string command =
      PackCommand(page, "walk.flc walk.knt", "/clips", [&](const std::string& text) {
        written = text;
        return std::string("/tmp/kinet hints.txt");
      });
  // The tools split a "/" word at every '/': a path goes as a "-" word of its own.
  EXPECT_EQ(command,
            "KinetPack walk.flc walk.knt /N240000/K20/A95/J30/Z1/M/V/G \"-@*/tmp/kinet hints.txt\" "
            "/S5/F15/X8/L0 /Q128/I16/T2/P1/D2/U10 \"-&my palette.bmp\" /O");
  EXPECT_EQ(written, "50 60 300000 0\n");
  page.palette_file = "/clips/grey.bmp";  // a bare name stays among the switches
  EXPECT_NE(PackCommand(page, "a b", "/clips", [](const std::string&) { return std::string("/tmp/h"); })
                .find(" -@*/tmp/h /S5/F15/X8/L0 /Q128/I16/T2/P1/D2/U10/&grey.bmp/O"),
            std::string::npos);
  page.palette_file = "The input file.";
  page.expert.clear();
  EXPECT_EQ(Pack(page).find("/&"), std::string::npos);
  EXPECT_EQ(Pack(page).find("/@"), std::string::npos);
}

TEST(PackPage, EachTypeKeepsItsOwnNumber) {
  PackPage page;
  page.regular.type = RateType::kPercentOfSize;
  EXPECT_EQ(page.regular.number(), "80");
  page.regular.number() = "50";
  page.regular.type = RateType::kErrorPercent;
  EXPECT_EQ(page.regular.number(), "65");
  page.regular.type = RateType::kLossless;
  page.regular.number() = "7";  // losslessly shows no number; nothing else changes
  page.regular.type = RateType::kPercentOfSize;
  EXPECT_EQ(RateCode(page.regular), "-450");
  EXPECT_EQ(page.key.number(), "20");
}

TEST(PageSettings, PagesLoadTheirSectionAndStoreItBack) {
  Settings settings({"/bin", "/home", 0, 0});
  const PackPage first = LoadPage<PackPage>(settings);  // a first start
  EXPECT_EQ(first.key.type, RateType::kErrorPercent);
  EXPECT_EQ(first.regular.number(), "240000");
  EXPECT_EQ(first.key.numbers[0], "300000");
  EXPECT_EQ(first.regular.numbers[3], "30");
  EXPECT_EQ(first.auto_key, "95");
  EXPECT_FALSE(first.overwrite);
  EXPECT_EQ(LoadPage<MixPage>(settings).track, 1);
  EXPECT_EQ(LoadPage<PlayPage>(settings).tracks, 127);

  PackPage page;
  page.regular = {RateType::kPercentOfAverage, "55"};
  page.start = {true, "12"};
  page.lossy = 6;
  page.colours = {true, "200"};
  page.expert = "1 10 300000 1\n\n  20 30 0 0\n";
  StorePage(page, settings);
  EXPECT_EQ(settings.Text("Kinet", "NormalFilePerc"), "55");
  EXPECT_EQ(settings.Integer("Kinet", "RegularCompressType"), 1);
  EXPECT_EQ(settings.Text("Kinet", "StartNum"), "12");
  EXPECT_EQ(settings.Text("Kinet", "PaletteColorsNum"), "200");
  EXPECT_EQ(settings.frame_specific, (std::vector<std::string>{"1 10 300000 1", "20 30 0 0"}));
  const PackPage again = LoadPage<PackPage>(settings);
  EXPECT_EQ(PackCommand(again, "a b", "/", [](const std::string& t) {
              EXPECT_EQ(t, "1 10 300000 1\n20 30 0 0\n");
              return std::string("h");
            }),
            PackCommand(page, "a b", "/", [](const std::string&) { return std::string("h"); }));

  MixPage mix;
  mix.track = 4;
  mix.sound.input = {5, "8000", "44"};
  mix.sound.end_ms = {true, "900"};
  StorePage(mix, settings);
  EXPECT_EQ(settings.Integer("KinetMix", "Format"), 5);
  EXPECT_EQ(settings.Text("KinetMix", "SkipIntoNum"), "44");
  EXPECT_EQ(settings.Text("KinetMix", "InputEndNum"), "900");
  EXPECT_EQ(MixCommand(LoadPage<MixPage>(settings), "a b c"), MixCommand(mix, "a b c"));
  PlayPage play;
  play.loop = {true, ""};
  play.tracks = 5;
  play.simulate = {true, "300000"};
  StorePage(play, settings);
  EXPECT_EQ(PlayCommand(LoadPage<PlayPage>(settings), "f"), "KinetPlay f /L/T5/M300000");
}

std::string Contents(platform::FileSystem& files, const std::string& path) {
  auto file = files.Open(path, platform::OpenMode::kRead);
  if (!file) return "<missing>";
  std::string bytes(static_cast<size_t>(file->Size()), '\0');
  bytes.resize(file->Read(bytes.data(), bytes.size()));
  return bytes;
}

TEST(PageFiles, TheExpertTextAndListFilesForSeveralFiles) {
  platform::MemoryFileSystem files;
  ASSERT_TRUE(files.MakeDirectory("/tmp"));
  ASSERT_TRUE(files.MakeDirectory("/clips"));
  const std::string expert = WriteTemporaryText(files, "50 60 300000 0\n");
  ASSERT_TRUE(expert.starts_with("/tmp/")) << expert;
  EXPECT_EQ(Contents(files, expert), "50 60 300000 0\n");

  const std::vector<std::string> picked = {"/clips/walk.bmp", "/clips/sub/run.bmp"};
  EXPECT_EQ(WriteListFile(files, picked), "/clips/walk.lst");
  EXPECT_EQ(Contents(files, "/clips/walk.lst"), "walk.bmp\nsub/run.bmp\n");
  EXPECT_EQ(WriteListFile(files, picked), "/clips/walk2.lst") << "an earlier list stays";
  EXPECT_EQ(WriteListFile(files, {}), "");
  files.SetQuota(files.used_bytes());  // a full disk: nothing half-written is left
  EXPECT_EQ(WriteListFile(files, picked), "");
  EXPECT_FALSE(files.Exists("/clips/walk3.lst"));
}

TEST(ToolPages, MixPageSwitches) {
  const std::string names = "walk.knt tune.wav out.knt";
  MixPage page;
  EXPECT_EQ(MixCommand(page, names), "KinetMix walk.knt tune.wav out.knt ");
  page.track = 3;
  page.lossy = 4;
  page.loop = true;
  EXPECT_EQ(MixCommand(page, names), "KinetMix walk.knt tune.wav out.knt /L4/M3/P");
  page.frame_rate = {true, "12"};
  page.start_frame = {true, "20"};
  page.sound = {1, 1, 2, "", true, {true, "2"}, {true, "100"}, {true, "900"}, {5, "8000", "44"}};
  EXPECT_EQ(MixCommand(page, names),
            "KinetMix walk.knt tune.wav out.knt /L4/M3/F12/G20/P/O/R11025/B8/C2/T2/S100/E900"
            "/Y5/D8000/K44");
}

TEST(ToolPages, SoundAndGraphicsPages) {
  SoundConversion sound;
  sound.input = {3, "22050", ""};
  EXPECT_EQ(SoundCommand(sound, "in.raw out.wav"), "TonWorkW in.raw out.wav /Y3/D22050");
  sound.input.type = 0;  // the default type takes neither field
  sound.input.skip_bytes = "10";
  sound.overwrite = true;
  EXPECT_EQ(SoundCommand(sound, "in.raw out.wav"), "TonWorkW in.raw out.wav /O");

  GraphicsPage g;
  EXPECT_EQ(GraphicsCommand(g, "a.flc b.bmp", "/x"), "PixWorkW a.flc b.bmp ");
  g.colours = {true, "64"};
  g.halftone = 1;
  g.palette_file = "/x/grey.bmp";
  g.overwrite = true;
  g.start = {true, "2"};
  g.height = {true, "100"};
  EXPECT_EQ(GraphicsCommand(g, "a.flc b.bmp", "/x"), "PixWorkW a.flc b.bmp /Q64/T1/&grey.bmp/O/S2/H100");
}

TEST(ToolPages, PlayPageSwitchesInTheOrderOfItsControls) {
  PlayPage page;
  EXPECT_EQ(PlayCommand(page, "walk.knt"), "KinetPlay walk.knt ");
  page.loop = {true, ""};  // forever
  page.frame_rate = {true, "30"};
  page.summary = true;
  page.window_style = 2;
  page.display = 4;
  page.tracks = 5;
  page.controls = 7;
  page.simulate = {true, "300000"};
  EXPECT_EQ(PlayCommand(page, "walk.knt"), "KinetPlay walk.knt /L/F30/S/I2/V4/T5/U7/M300000");
  page.loop = {true, "3"};
  page.frame_rate = {true, ""};
  EXPECT_EQ(PlayCommand(page, "walk.knt").substr(0, 25), "KinetPlay walk.knt /L3/F/");
}

TEST(ToolPages, ScriptAndFrameRateButtons) {
  EXPECT_EQ(ScriptCommand("show.ss").command, "KinetScript show.ss");
  EXPECT_EQ(ScriptCommand("").error, kScriptNotSaved);
  EXPECT_EQ(FrameRateCommand("walk.knt", "12").command, "KinetFR walk.knt /f12");
  EXPECT_EQ(FrameRateCommand("walk.knt", "").error, kPermNoRate);
  EXPECT_EQ(FrameRateCommand("", "12").error, kPermNoFile);
}

TEST(PageNames, RelativeAndQuotedNames) {
  EXPECT_EQ(CommandNames({"/clips/walk.flc", "/clips/out/walk.knt"}), "walk.flc out/walk.knt");
  EXPECT_EQ(CommandNames({"/clips/my walk.flc", "/other/walk.knt"}),
            "\"my walk.flc\" /other/walk.knt");
  EXPECT_EQ(CommandName("/clipsx/a.flc", "/clips"), "/clipsx/a.flc");
  EXPECT_EQ(CommandName("/a.flc", "/"), "a.flc");
}

TEST(PageNames, NumberedSequences) {
  const std::vector<std::string> listed = {"f008.bmp", "f009.bmp", "f010.bmp", "f011.bmp",
                                           "f013.bmp", "walk9.png", "walk10.png", "walk11.png",
                                           "one5.gif"};
  auto s = FindSequence("f010.bmp", listed);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->input, "f???.bmp*8-11");
  EXPECT_EQ(s->question,
            "This file appears to be part of a sequence of files (f008.bmp to f011.bmp).\r\n"
            "Do you want to treat the sequence as a single animation?");
  s = FindSequence("walk10.png", listed);  // not padded: 9 comes before 10
  ASSERT_TRUE(s);
  EXPECT_EQ(s->first, 9);
  EXPECT_EQ(s->last, 11);
  EXPECT_EQ(s->input, "walk??.png*9-11");
  EXPECT_FALSE(FindSequence("one5.gif", listed));  // no neighbour
  EXPECT_FALSE(FindSequence("walk.png", listed));  // no digits
  EXPECT_EQ(WithoutFrameNumber("/clips/f010.knt"), "/clips/f.knt");
  // The output of the whole sequence loses the number when it came from the file.
  EXPECT_EQ(SequenceOutput("f010.knt", "/clips/f010.bmp"), "f.knt");
  EXPECT_EQ(SequenceOutput("/out/New_f010.knt", "/clips/f010.knt"), "/out/f.knt");
  EXPECT_EQ(SequenceOutput("mine.knt", "/clips/f010.bmp"), "mine.knt");
  EXPECT_EQ(OutputPath("f.knt", "/clips"), "/clips/f.knt");
  EXPECT_EQ(OutputPath("/out/f.knt", "/clips"), "/out/f.knt");
}

TEST(PageNames, OutputProposalAndTheNewRule) {
  EXPECT_EQ(ProposeOutput("/clips/walk.flc", "knt"), "walk.knt");
  EXPECT_EQ(ProposeOutput("/clips/walk.knt", "knt"), "New_walk.knt");
  EXPECT_EQ(ProposeOutput("/clips/walk.knt", "flc"), "walk.flc");
  // The user had moved the output elsewhere: the next proposal goes there too.
  EXPECT_EQ(ProposeOutput("/clips/run.flc", "knt", "/out/walk.knt", "/clips/walk.flc"),
            "/out/run.knt");
  EXPECT_EQ(ProposeOutput("/clips/run.flc", "knt", "walk.knt", "/clips/walk.flc"), "run.knt");
  EXPECT_EQ(ListFileCreatedText("a.lst"),
            "The list file, a.lst, has been created and is highlighted.\r\n"
            "You may now use it to process your multiple selections.");
}

}  // namespace
}  // namespace kinet::desk
