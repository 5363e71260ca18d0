// The command runner: the alias table, batch parameters, the report switch and the command
// lines that reach the program starter; the history's prompt and length rules.
#include "frontend/core/command_runner.h"

#include <gtest/gtest.h>

#include "frontend/core/command_text.h"
#include "tests/frontend/recording_host.h"

namespace kinet::desk {
namespace {

TEST(CommandText, AliasesDropDirectoryAndExeAndIgnoreCase) {
  EXPECT_EQ(ToolForWord("kinetpack.exe"), "kinetpackw");
  EXPECT_EQ(ToolForWord("KINETPACK"), "kinetpackw");
  EXPECT_EQ(ToolForWord("/usr/bin/MkFlicW6.EXE"), "pixworkw");
  EXPECT_EQ(ToolForWord("\"/my tools/avinfo\""), "kntinfow");
  EXPECT_EQ(ToolForWord("mkwav"), "tonworkw");
  EXPECT_EQ(ToolForWord("kinetscr"), "kinetscriptw");
  EXPECT_EQ(ToolForWord("KinetScript"), "kinetscriptw");  // the script page's word
  EXPECT_EQ(ToolForWord("gedit"), std::nullopt);
  EXPECT_EQ(ToolForWord("kinetpack.exe.exe"), std::nullopt);
}

TEST(CommandText, FirstWordsAndBatchParameters) {
  EXPECT_EQ(SplitFirstWord("  \"my file\".bmp  rest  ").word, "\"my file\"");
  EXPECT_EQ(SplitFirstWord("copy\ta b").rest, "a b");
  EXPECT_EQ(ExpandBatchParameters("%1", "a b"), "a");
  EXPECT_EQ(ExpandBatchParameters("%3", "a b"), "");
  EXPECT_EQ(ExpandBatchParameters(" kinetpack %2 %1 /N%9 ", "in.flc out"),
            "kinetpack out in.flc /N");
  EXPECT_EQ(ExpandBatchParameters("%1", "%1"), "%1") << "a parameter naming itself ends";
  EXPECT_EQ(ExpandBatchParameters("100%", "a"), "100%");
}

class Runner : public ::testing::Test {
 protected:
  Runner() : runner_(host_, starter_, dir_.path(), "/opt/kinet/bin") {
    runner_.report_number = 4242;
    runner_.Prompt();  // as the window does when first shown
  }
  std::string Last() const { return runner_.history.lines().back(); }
  std::string Line(int from_end) const {
    const auto& lines = runner_.history.lines();
    return lines[lines.size() - 1 - from_end];
  }

  testing::TempFolder dir_;
  testing::RecordingHost host_;
  platform::RecordingProgramStarter starter_{777};
  CommandRunner runner_;
};

TEST_F(Runner, ToolsStartFromTheProgramDirectoryWithTheReportSwitch) {
  const RunOutcome outcome = runner_.Run("", "KinetPack.exe in.flc out.knt /N0");
  EXPECT_TRUE(outcome.known_tool);
  EXPECT_EQ(outcome.pid, 777);
  EXPECT_EQ(outcome.tool, "kinetpackw");
  ASSERT_EQ(starter_.started.size(), 1u);
  EXPECT_EQ(starter_.started[0], "/opt/kinet/bin/kinetpackw in.flc out.knt /N0 /#4242");
  EXPECT_EQ(Line(1), dir_.path() + "> KinetPack.exe in.flc out.knt /N0");
  EXPECT_EQ(Last(), dir_.path() + "> ");

  runner_.run_specific = true;
  runner_.Run("", "kntinfo out.knt");
  EXPECT_EQ(starter_.started[1], "/opt/kinet/bin/kntinfow out.knt /#4242/#");
  runner_.run_specific = false;
  runner_.batch_running = true;
  runner_.Run("", "mkwav a.wav");
  EXPECT_EQ(starter_.started[2], "/opt/kinet/bin/tonworkw a.wav /#4242/#");
}

TEST_F(Runner, OtherProgramsStartUnchangedAndMissingOnesAreNotFound) {
  const RunOutcome outcome = runner_.Run("", "gedit notes.txt");
  EXPECT_FALSE(outcome.known_tool);
  EXPECT_EQ(starter_.started.back(), "gedit notes.txt");
  platform::RecordingProgramStarter missing(2);
  CommandRunner runner(host_, missing, dir_.path(), "/opt");
  runner.Prompt();
  runner.Run("", "nosuchprogram");
  EXPECT_EQ(runner.history.Text(),
            dir_.path() + "> nosuchprogram\n  Command not found.\n" + dir_.path() + "> ");
}

TEST_F(Runner, ShiftTurnsTheCommandIntoARemark) {
  host_.shift = true;
  runner_.Run("", "kinetpack a b");
  EXPECT_TRUE(starter_.started.empty());
  EXPECT_EQ(Line(1), dir_.path() + "> Rem kinetpack a b");
}

TEST_F(Runner, BatchParametersAndRecentCommands) {
  runner_.batch_parameters = "walk.flc walk.knt";
  runner_.Run("", "kinetpack %1 %2");
  EXPECT_EQ(starter_.started[0], "/opt/kinet/bin/kinetpackw walk.flc walk.knt /#4242");
  EXPECT_EQ(runner_.recent_commands.entries().front(), "kinetpack walk.flc walk.knt");
  runner_.batch_running = true;
  runner_.Run("", "rem not recorded");
  EXPECT_EQ(runner_.recent_commands.entries().size(), 1u);
}

TEST_F(Runner, ADirectoryGivenWithTheCommandBecomesTheCommandDirectory) {
  std::filesystem::create_directory(dir_ / "sub");
  runner_.Run(dir_ / "sub", "echo hello");
  EXPECT_EQ(runner_.command_dir(), dir_ / "sub");
  EXPECT_EQ(runner_.history.lines()[0], dir_.path() + "> CD " + (dir_ / "sub"));
  EXPECT_EQ(Line(1), (dir_ / "sub") + "> echo hello");
  EXPECT_EQ(runner_.recent_dirs.entries().front(), dir_ / "sub");
}

TEST_F(Runner, ChangeDirectoryForms) {
  std::filesystem::create_directories(dir_ / "a/b");
  runner_.Run("", "cd a");
  EXPECT_EQ(runner_.command_dir(), dir_ / "a");
  runner_.Run("", "CD.");
  runner_.Run("", "cd b/");
  EXPECT_EQ(runner_.command_dir(), dir_ / "a/b");
  runner_.Run("", "cd..");
  EXPECT_EQ(runner_.command_dir(), dir_ / "a");
  runner_.Run("", "chdir \"" + (dir_ / "a/b") + "\"");
  EXPECT_EQ(runner_.command_dir(), dir_ / "a/b");
  runner_.Run("", "cd nowhere");
  EXPECT_EQ(runner_.command_dir(), dir_ / "a/b");
  EXPECT_EQ(Line(2), (dir_ / "a/b") + "> CD nowhere");
  EXPECT_EQ(Line(1), "  Directory not found.");
  runner_.Run("", "x:");
  EXPECT_EQ(runner_.command_dir(), dir_ / "a/b");
}

TEST_F(Runner, WindowCommandsAndBatchFiles) {
  dir_.Write("job.sbt", "rem\n");
  std::filesystem::create_directory(dir_ / "prog");
  dir_.Write("prog/setup.sbt", "rem\n");
  runner_.SetProgramDir(dir_ / "prog");
  runner_.Run("", "edit notes.txt");
  runner_.Run("", "listedit frames.lst");
  runner_.Run("", "knttune walk.knt");
  runner_.Run("", "job a b");
  runner_.Run("", "setup");
  runner_.Run("", "whereis *.knt");
  runner_.Run("", "exit");
  EXPECT_EQ(
      host_.opened,
      (std::vector<std::string>{
          "edit " + (dir_ / "notes.txt"), "listedit " + (dir_ / "frames.lst"),
          "knttune " + (dir_ / "walk.knt"), "batch " + (dir_ / "job.sbt") + " [a b]",
          "batch " + (dir_ / "prog/setup.sbt") + " []", "find " + (dir_ / "*.knt"), "close"}));
  EXPECT_EQ(Line(1), dir_.path() + "> Exit");
  EXPECT_TRUE(starter_.started.empty());
  runner_.Run("", "nojob");  // no such batch file: started as a program
  EXPECT_EQ(starter_.started.back(), "nojob");
  runner_.Run("", "cls");
  EXPECT_EQ(runner_.history.Text(), dir_.path() + "> ");
}

TEST_F(Runner, CompletionReportsGoToTheHistory) {
  runner_.Run("", "kinetpack a b");
  static constexpr char kReport[] = "kinetpackw - Kinetor compressor\r\n  Done.\0junk";
  runner_.ReceiveReport(std::string(kReport, sizeof kReport - 1));
  EXPECT_EQ(Line(2), "  kinetpackw - Kinetor compressor");
  EXPECT_EQ(Line(1), "  Done.");
  EXPECT_EQ(Last(), dir_.path() + "> ");
}

TEST(CommandHistory, StaysShortByDroppingLinesFromTheTop) {
  CommandHistory history;
  for (int i = 0; i < 1000; ++i)
    history.WriteLine("line " + std::to_string(i) + std::string(20, '.'));
  EXPECT_LE(history.characters(), CommandHistory::kMaxCharacters);
  EXPECT_GT(history.characters(), CommandHistory::kMaxCharacters - 1001 - 40);
  EXPECT_EQ(history.characters(), history.Text().size());
  EXPECT_EQ(history.lines().back(), "line 999" + std::string(20, '.'));
  history.Prompt("/x");
  history.Prompt("/x");
  EXPECT_EQ(history.lines().back(), "/x> ");
  EXPECT_NE(history.lines()[history.lines().size() - 2], "/x> ");
  EXPECT_EQ(GroupedNumber(1234567, "."), "1.234.567");
  EXPECT_EQ(GroupedNumber(999, ","), "999");
  EXPECT_EQ(GroupedNumber(0, ","), "0");
}

}  // namespace
}  // namespace kinet::desk
