// The language engine: lines, labels, the return stack, pending texts, nested files, errors.
#include <gtest/gtest.h>

#include "tests/scriptplayer/script_runner.h"

namespace kinet::script {
namespace {

using testing::ErrorText;
using testing::ScriptRunner;

constexpr const char* kBad = "  Bad script command:\r\n    ";

TEST(EngineTest, CommentsBlankLinesAndLabelsCountForLineNumbers) {
  ScriptRunner r;
  RunOutcome out = r.Run("# comment\n\n   :here\nVARSET A 1\r\n  \t# indented comment\nbogus x\n");
  ASSERT_EQ(out.kind, RunOutcome::kError);
  EXPECT_EQ(out.error_text, ErrorText(kBad, "BOGUS x", "main.ss", 6));
}

TEST(EngineTest, BadCommandStopsBeforeAnyCommandRuns) {
  ScriptRunner r;
  RunOutcome out = r.Run("FILECREATE H \"made.txt\"\nANIMATION\n");
  EXPECT_EQ(out.error_text, ErrorText(kBad, "ANIMATION ", "main.ss", 2));
  EXPECT_EQ(r.File("made.txt"), "<missing>");
}

TEST(EngineTest, CommandWordsInAnyCaseButNotFollowedByComma) {
  ScriptRunner r;
  EXPECT_EQ(r.Run("vArSeT a 5\nVarSet\tB\t6\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("A"), "5");
  EXPECT_EQ(r.Var("b"), "6");
  EXPECT_EQ(r.Run("VARSET,A,5\n").error_text, ErrorText(kBad, "VARSET,A,5 ", "main.ss", 1));
}

TEST(EngineTest, SemicolonHashAndLeftoverParameters) {
  ScriptRunner r;
  EXPECT_EQ(r.Run("VARSET A 5 ; VARSET B 6 ;VARSET C 7\nVARSET D 8 # note\n").kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("A") + r.Var("B") + r.Var("C") + r.Var("D"), "5678");
  EXPECT_EQ(r.Run("VARSET A 5 6\n").error_text, ErrorText(kBad, "VARSET A 5 6", "main.ss", 1));
  EXPECT_EQ(r.Run("VARSET A 5 ; nothing here\n").error_text,
            ErrorText(kBad, "nothing here", "main.ss", 1));
  EXPECT_EQ(r.Run("VARSET A 5 ;\nVARSET B 1 ; # only a comment\n").kind, RunOutcome::kFinished);
}

TEST(EngineTest, LongLinesAreCutAndTheRestIsALineOfItsOwn) {
  ScriptRunner r;
  std::string line = "VARSET A \"" + std::string(756, 'x') + "\"VARSET B 2\n";
  ASSERT_EQ(line.size(), 767u + 11u);
  EXPECT_EQ(r.Run(line + "VARSET C 3\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("A").size(), 756u);
  EXPECT_EQ(r.Var("B"), "2");
  EXPECT_EQ(r.Run(line + "bad\n").error_text, ErrorText(kBad, "BAD ", "main.ss", 3));
}

TEST(EngineTest, GotoUsesVariablesUnlessQuoted) {
  ScriptRunner r;
  EXPECT_EQ(
      r.Run("GOTO START\n").error_text,
      ErrorText("  Needed a non-empty parameter in command:\r\n    ", "GOTO START", "main.ss", 1));
  EXPECT_EQ(r.Run("GOTO \"start\"\nVARSET A 1\n:START\nVARSET B 2\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("A"), "");
  EXPECT_EQ(r.Var("B"), "2");
  EXPECT_EQ(r.Run("VARSET L \"Two\"\nGOTO L\n:one\nVARSET A 1\n:two # c\nVARSET B 2\n").kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("A"), "");
}

TEST(EngineTest, LabelLookupNewestFirstAndBlankAfterColonIsPartOfTheName) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("GOTO \"x\"\n:x\nVARSET A 1\nEND\n:x\nVARSET A 2\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("A"), "2");
  EXPECT_EQ(r.Run("GOTO \"start\"\n: start\n").error_text,
            " Label not found:\r\n    start\r\n  In script file: main.ss  At line number: 1.\r\n");
}

TEST(EngineTest, The513thLabelFailsWhileLoading) {
  ScriptRunner r;
  std::string script = "FILECREATE H \"ran.txt\"\n";
  for (int i = 0; i < 512; ++i) script += ":L" + std::to_string(i) + "\n";
  EXPECT_EQ(r.Run(script).kind, RunOutcome::kFinished);
  script += ":ONEMORE\n";
  r.files.Remove("ran.txt");
  RunOutcome out = r.Run(script);
  EXPECT_EQ(out.error_text,
            " Too many labels.\r\n  In script file: main.ss  At line number: 514.\r\n");
  EXPECT_EQ(r.File("ran.txt"), "<missing>");
}

TEST(EngineTest, GosubReturnsAndNestsToTheLimit) {
  ScriptRunner r;
  // The first file's own entry takes one place, so 63 GOSUBs fit.
  std::string deep =
      "VARSET N 0\nGOSUB \"down\"\nVARSET DONE 1\nEND\n"
      ":down\nCOMPUTE N = N + 1\nIF N < LIMIT GOSUB \"down\"\nRETURN\n";
  EXPECT_EQ(r.Run("VARSET LIMIT 63\n" + deep).kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("N"), "63");
  EXPECT_EQ(r.Var("DONE"), "1");
  RunOutcome out = r.Run("VARSET LIMIT 64\n" + deep);
  EXPECT_EQ(out.error_text,
            " Too many GOSUBs.\r\n  In script file: main.ss  At line number: 8.\r\n");
}

TEST(EngineTest, CommandsAfterGosubOnTheSameLineRunFirst) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("GOSUB \"sub\" ; VARSET ORDER \"a\"\nEND\n"
                  ":sub\nVARSET ORDER \"%ORDER%b\"\nRETURN\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("ORDER"), "ab");
}

TEST(EngineTest, ReturnInTheFirstFileEndsTheProgram) {
  ScriptRunner r;
  EXPECT_EQ(r.Run("VARSET A 1\nRETURN\nVARSET A 2\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("A"), "1");
}

TEST(EngineTest, NestedFilesReturnExitAndEnd) {
  ScriptRunner r;
  r.files.AddFile("sub.ss", "VARSET S 1\nRETURN\nVARSET S 2\n");
  r.files.AddFile("leave.ss", "EXIT\nVARSET X 1\n");
  r.files.AddFile("stop.ss", "END\n");
  ASSERT_EQ(r.Run("CALL \"sub\"\nCALL \"leave.ss\"\nVARSET BACK 1\nCALL \"stop\"\nVARSET "
                  "AFTER 1\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("S"), "1");
  EXPECT_EQ(r.Var("X"), "");
  EXPECT_EQ(r.Var("BACK"), "1");
  EXPECT_EQ(r.Var("AFTER"), "");
}

TEST(EngineTest, CallAndGosubStartsAtTheLabelAndComesBack) {
  ScriptRunner r;
  r.files.AddFile("lib.ss", "VARSET A \"top\"\n:entry\nVARSET B \"entry\"\nRETURN\n:other\n");
  ASSERT_EQ(r.Run("CALLANDGOSUB \"lib\" \"ENTRY\"\nVARSET C 1\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("A"), "");
  EXPECT_EQ(r.Var("B"), "entry");
  EXPECT_EQ(r.Var("C"), "1");
  // Labels of the caller are not visible inside the called file.
  r.files.AddFile("jump.ss", "GOTO \"outer\"\n");
  EXPECT_EQ(r.Run(":outer\nCALL \"jump\"\n").error_text,
            " Label not found:\r\n    outer\r\n  In script file: jump.ss  At line number: 1.\r\n");
}

TEST(EngineTest, ExtensionRuleUsesTheSlash) {
  ScriptRunner r;
  r.files.AddFile("dir.x/intro.ss", "VARSET A 1\n");
  r.files.AddFile("v1.2/intro.knt", "VARSET B 1\n");
  EXPECT_EQ(r.Run("CALL \"dir.x/intro\"\nCALL \"v1.2/intro.knt\"\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("A") + r.Var("B"), "11");
  EXPECT_EQ(
      r.Run("CALL \"missing\"\n").error_text,
      ErrorText("  Error opening script in command:\r\n    ", "CALL \"missing\"", "main.ss", 1));
}

TEST(EngineTest, NestedCallKeepsTheCallersRemainderAndLineForMessages) {
  ScriptRunner r;
  r.files.AddFile("sub.ss", "VARSET IN 1\nVARSET IN2 2\n");
  ASSERT_EQ(r.Run("CALL \"sub\" ; VARSET AFTER 3\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("IN2") + r.Var("AFTER"), "23");
  EXPECT_EQ(r.Run("VARSET A 1\nCALL \"sub\" junk\n").error_text,
            ErrorText(kBad, "CALL \"sub\" junk", "main.ss", 2));
}

TEST(EngineTest, ReturnTwiceInANestedFileDoesNotJumpIntoTheCaller) {
  ScriptRunner r;
  r.files.AddFile("sub.ss", "RETURN ; RETURN\nVARSET NO 1\n");
  ASSERT_EQ(r.Run("GOSUB \"s\"\nVARSET BACK 1\nEND\n:s\nCALL \"sub\"\nVARSET MID 1\nRETURN\n").kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("NO"), "");
  EXPECT_EQ(r.Var("MID"), "1");
  EXPECT_EQ(r.Var("BACK"), "1");
}

TEST(EngineTest, CallNestingIsBoundedByTheReturnStack) {
  ScriptRunner r;
  r.files.AddFile("self.ss", "CALL \"self\"\n");
  RunOutcome out = r.Run("CALL \"self\"\n");
  EXPECT_EQ(out.error_text,
            " Too many GOSUBs.\r\n  In script file: self.ss  At line number: 1.\r\n");
}

TEST(EngineTest, InterpretAndIfRunPendingText) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("VARSET CMD \"varset a 1 ; varset b 2\"\nINTERPRET CMD ignored words\n"
                  "IF 10 > 9 VARSET C 3 ; VARSET D 4\nIF 9 > 10 VARSET E 5 ; VARSET F 6\n"
                  "IF 1 = 1 IF 2 = 2 VARSET G 7\nIF 1 = 1 # just a comment\nIF 1 = 1\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("A") + r.Var("B") + r.Var("C") + r.Var("D") + r.Var("G"), "12347");
  EXPECT_EQ(r.Var("E") + r.Var("F"), "");
  EXPECT_EQ(r.Run("IF 1 = 1 nonsense\n").error_text, ErrorText(kBad, "nonsense", "main.ss", 1));
}

TEST(EngineTest, EveryArgumentMessageNamesTheCommand) {
  struct Case {
    const char* line;
    const char* message;
  } cases[] = {
      {"VARSET ", "  Needed a variable in command:\r\n    "},
      {"VARSET A", "  Needed a parameter in command:\r\n    "},
      {"IF 1", "  Needed a non-empty parameter in command:\r\n    "},
      {"IF 1 =", "  Needed a parameter in command:\r\n    "},
      {"COMPUTE X = 7 ! 2", "  Needed a number in command:\r\n    "},
      {"COMPUTE X Y + 2", "  Error in compute command:\r\n    "},
      {"COMPUTE X 7", "  Needed a parameter in command:\r\n    "},
      {"COMPUTE X = 7 = 2", "  Unknown operator in command:\r\n    "},
      {"COMPUTE \"X\" = 7 + 2", "  Needed a variable in command:\r\n    "},
      {"IFSET 1 = 1 X 5", "  Needed a parameter in command:\r\n    "},
      {"IFSET 1 = 1 \"X\" 5 6", "  Needed a variable in command:\r\n    "},
      {"BITMAPWIDTH W 9128", "  Bad frame parameter:\r\n    "},
      {"BITMAPWIDTH W \"9000\"", "  Needed a number in command:\r\n    "},
      {"FILEREAD L 5064", "  Bad file parameter:\r\n    "},
      {"VARFREE A !B", "  Needed a variable in command:\r\n    "},
      {"VARPUSH A .", "  Needed a variable in command:\r\n    "},
      {"VARPUSH ", "  Needed a variable in command:\r\n    "},
      {"ANIMATIONWIDTH W 3032", "  Bad animation parameter:\r\n    "},
      {"ANIMATIONGOTO 3000 1", "  Bad animation parameter:\r\n    "},
      {"CALL \"\"", "  Needed a non-empty parameter in command:\r\n    "},
  };
  for (const Case& c : cases) {
    ScriptRunner r;
    EXPECT_EQ(r.Run(std::string("VARSET Y \"text\"\n") + c.line + "\n").error_text,
              ErrorText(c.message, c.line, "main.ss", 2))
        << c.line;
  }
}

TEST(EngineTest, WindowCommandsReportTheMissingWindow) {
  for (const char* line : {"SCREENCLEAR 0", "ANIMATIONPLAY P 0 0 1 0 \"x.knt\"", "VARLIST",
                           "FILELIST", "BITMAPLIST", "TEXT \"hi\"", "MOUSEX M"}) {
    ScriptRunner r;
    EXPECT_EQ(r.Run(std::string(line) + "\n").error_text,
              " A window hasn't been created yet (use ScreenGraphics first).\r\n"
              "  In script file: main.ss  At line number: 1.\r\n")
        << line;
  }
}

TEST(EngineTest, MissingFirstFileIsReportedAsNotOpened) {
  ScriptRunner r;
  EXPECT_EQ(r.RunFile("nothing").kind, RunOutcome::kNotOpened);
}

// An interruption (Ctrl-C) ends an endless loop and a long wait where they stand.
TEST(EngineTest, InterruptionEndsLoopsAndWaits) {
  for (const char* script : {":a\nGOTO \"a\"\n", "DELAY 2000000000\n"}) {
    ScriptRunner r;
    int pumps = 0;
    r.services().interrupted = [&pumps] { return ++pumps == 50; };
    EXPECT_EQ(r.Run(script).kind, RunOutcome::kInterrupted) << script;
    EXPECT_EQ(pumps, 50);
    EXPECT_LT(r.clock.NowMs(), 2000000000u) << script;
  }
}

TEST(EngineTest, StepLimitEndsEndlessScripts) {
  ScriptRunner r;
  r.services().step_limit = 1000;
  EXPECT_EQ(r.Run(":a\nGOTO \"a\"\n").kind, RunOutcome::kFinished);
}

}  // namespace
}  // namespace kinet::script

namespace kinet::script {
namespace {

TEST(VariableCommandsTest, PushPopFreeAndEmptyValues) {
  testing::ScriptRunner r;
  ASSERT_EQ(r.Run("VARSET A 1\nVARPUSH A B\nVARSET A 2\nVARSET B 3\nVARPUSH A\nVARSET A 4\n"
                  "VARPOP\nVARSET AFTER1 \"%A%\"\nVARPOP ignored words\nVARPOP\n"
                  "VARSET C 5 ; VARSET D = \"\" ; VARFREE C ; VARSET E = 6\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("AFTER1"), "2");
  EXPECT_EQ(r.Var("A"), "1");
  EXPECT_EQ(r.Var("B"), "");  // saved while it did not exist: removed again
  EXPECT_EQ(r.Var("C") + r.Var("D") + r.Var("E"), "6");
}

TEST(VariableCommandsTest, ValuesFromTheEnvironmentCannotBreakTheStore) {
  testing::ScriptRunner r;
  r.environment.Set("ODD",
                    "a\xFF"
                    "B\xFE"
                    "c");
  ASSERT_EQ(r.Run("ENVGET X \"ODD\"\nVARSET Y 1\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("X"), "a?B?c");
  EXPECT_EQ(r.Var("Y"), "1");
  EXPECT_EQ(r.interpreter().variables().List().size(), 2u);
}

}  // namespace
}  // namespace kinet::script
