// The debug trace, compared byte for byte with whole trace files.
#include <gtest/gtest.h>

#include "tests/scriptplayer/script_runner.h"

namespace kinet::script {
namespace {

using testing::ScriptRunner;

TEST(TraceTest, CommandsVariablesConditionsJumpsAndPendingCommands) {
  ScriptRunner r;
  r.files.AddFile("sub.ss", "VARSET S 1\n");
  ASSERT_EQ(r.Run("DEBUGFILE \"trace.txt\"\n"
                  "VARSET A 5 ; VARSET B \"x y\"\n"
                  "IF A > 4 VARSET C 1\n"
                  "IF A < 4 VARSET C 2\n"
                  "GOSUB \"sub\"\n"
                  "CALL \"sub\"\n"
                  "DEBUGTEXT \"note\"\n"
                  "END\n"
                  ":sub\n"
                  "COMPUTE N = 1 + 2\n"
                  "RETURN\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.File("trace.txt"),
            "\r\n"
            "  2:     VARSET A 5 ; VARSET B \"x y\"  ***A=\"5\"\r\n"
            "   -> 2:     VARSET B \"x y\"  ***B=\"x y\"\r\n"
            "  3:     IF A > 4 VARSET C 1  ***True \r\n"
            "   -> 3:     VARSET C 1  ***C=\"1\"\r\n"
            "  4:     IF A < 4 VARSET C 2  ***False\r\n"
            "  5:     GOSUB \"sub\"\r\n"
            "\r\n"
            "    10:    COMPUTE N = 1 + 2  ***N=\"3\"\r\n"
            "    11:    RETURN \r\n"
            "  6:     CALL \"sub\"    1:     VARSET S 1  ***S=\"1\"\r\n"
            "\r\n"
            "\r\n"
            "  7:     DEBUGTEXT \"note\"\r\n"
            "note\r\n"
            "\r\n"
            "  8:     END \r\n"
            "\r\n");
}

TEST(TraceTest, ErrorsAreWrittenToTheTraceBeforeTheRunEnds) {
  ScriptRunner r;
  RunOutcome out = r.Run("DEBUGFILE \"t.txt\"\nGOTO \"nowhere\"\n");
  ASSERT_EQ(out.kind, RunOutcome::kError);
  EXPECT_EQ(r.File("t.txt"),
            "\r\n"
            "  2:     GOTO \"nowhere\"\r\n"
            "  Label not found:\r\n    nowhere\r\n"
            "  In script file: main.ss  At line number: 2.\r\n"
            "\r\n");
}

TEST(TraceTest, LineNumbersArePaddedToSevenCharactersAndLongOnesAreKept) {
  ScriptRunner r;
  std::string script = "DEBUGFILE \"t.txt\"\n" + std::string(99998, '\n') + "EXIT\n";
  ASSERT_EQ(r.Run(script).kind, RunOutcome::kFinished);
  EXPECT_EQ(r.File("t.txt"), "\r\n  100000:EXIT \r\n\r\n");
  ASSERT_EQ(r.Run("DEBUGFILE \"t.txt\"\n" + std::string(999998, '\n') + "EXIT\n").kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.File("t.txt"), "\r\n  1000000:EXIT \r\n\r\n");
}

TEST(TraceTest, ClosingTheTraceStopsIt) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("DEBUGFILE \"t.txt\"\nVARSET A 1\nDEBUGFILE \"\"\nVARSET B 2\n").kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.File("t.txt"), "\r\n  2:     VARSET A 1  ***A=\"1\"\r\n  3:     DEBUGFILE \"\"");
}

TEST(TraceTest, ClosingTheTraceByItsHandleDoesNotRedirectItToTheNextFile) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("DEBUGFILE \"t.txt\"\nVARSET H 5000\nFILECLOSE H\n"
                  "FILECREATE D \"data.txt\"\nVARSET A 1\nFILEWRITE D \"row\"\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("D"), "5000");
  EXPECT_EQ(r.File("data.txt"), "row\r\n");
}

}  // namespace
}  // namespace kinet::script

namespace kinet::script {
namespace {

// A player that has its window open and records what it draws.
class WindowHost : public PlayerHost {
 public:
  using PlayerHost::PlayerHost;
  bool WindowExists() const override { return true; }
  void DrawTextLine(std::string_view text) override { drawn.emplace_back(text); }
  std::vector<std::string> drawn;
};

TEST(TraceTest, ListingsGoToTheTraceWhenOpenElseToTheScreen) {
  testing::ScriptRunner r;
  WindowHost window(r.platform());
  r.UseHost(&window);
  ASSERT_EQ(r.Run("VARSET A 1\nVARSET B \"two\"\nVARLIST\nDEBUGFILE \"t.txt\"\nVARLIST\n"
                  "BITMAPALLOC M 3 2\nBITMAPLIST\nFILELIST\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(window.drawn, (std::vector<std::string>{"A=1", "B=two"}));
  EXPECT_EQ(r.File("t.txt"),
            "\r\n  5:     VARLIST A=1\r\nB=two\r\n\r\n"
            "  6:     BITMAPALLOC M 3 2  ***M=\"9000\"\r\n"
            "  7:     BITMAPLIST Number: 9000  Width: 3  Height: 2\r\n\r\n"
            "  8:     FILELIST Number: 5000  File: t.txt\r\n\r\n\r\n");
}

}  // namespace
}  // namespace kinet::script
