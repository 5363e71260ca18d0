// Text functions, system values, timing, environment, programs and printing.
#include <gtest/gtest.h>

#include "tests/scriptplayer/script_runner.h"

namespace kinet::script {
namespace {

using testing::ScriptRunner;

std::string Eval(const std::string& script, const std::string& variable = "X") {
  ScriptRunner r;
  RunOutcome out = r.Run(script + "\n");
  if (out.kind != RunOutcome::kFinished) return "error: " + out.error_text;
  return r.Var(variable);
}

TEST(StringCommandsTest, ExamplesAndEdges) {
  EXPECT_EQ(Eval("STRFIND X 0 \"lo\" \"Hello\""), "4");
  EXPECT_EQ(Eval("STRFIND X 0 \"LO\" \"Hello\""), "0");
  EXPECT_EQ(Eval("STRFIND X 1 \"LO\" \"Hello\""), "4");
  EXPECT_EQ(Eval("STRPIECE X 2 3 \"Hello\""), "ell");
  EXPECT_EQ(Eval("STRPIECE X 0 2 \"Hello\""), "He");
  EXPECT_EQ(Eval("STRPIECE X 5 9 \"Hello\""), "o");
  EXPECT_EQ(Eval("STRPIECE X 6 1 \"Hello\""), "");
  EXPECT_EQ(Eval("STRLPADZERO X 5 42"), "00042");
  EXPECT_EQ(Eval("STRLPAD X 4 \"ab\""), "  ab");
  EXPECT_EQ(Eval("STRRPAD X 4 \"ab\" ; STRLENGTH X X"), "4");
  EXPECT_EQ(Eval("STRLPAD X 1 \"abc\""), "abc");
  EXPECT_EQ(Eval("STRLCASE X \"MiXeD 1\""), "mixed 1");
  EXPECT_EQ(Eval("STRUCASE X \"MiXeD 1\""), "MIXED 1");
  EXPECT_EQ(Eval("STRTRIM X \"  in the middle \t\""), "in the middle");
  EXPECT_EQ(Eval("STRLENGTH X \"\""), "0");
  EXPECT_EQ(Eval("STRREPEAT X 65 3"), "AAA");
  EXPECT_EQ(Eval("STRREPEAT X \"xyz\" 2"), "xx");
  EXPECT_EQ(Eval("STRREPEAT X \"-\" 0"), "");
  EXPECT_EQ(Eval("STRISNUMERIC X \"-12\""), "1");
  EXPECT_EQ(Eval("STRISNUMERIC X \"1e3\""), "0");
}

TEST(StringCommandsTest, FirstSplitsAtTheFirstSeparator) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("VARSET A \"key=value=more\"\nSTRFIRST A B \"=;\"\n"
                  "VARSET C \"plain\"\nVARSET D \"old\"\nSTRFIRST C D \",\"\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("A") + "|" + r.Var("B"), "key|value=more");
  EXPECT_EQ(r.Var("C") + "|" + r.Var("D"), "plain|");
}

TEST(StringCommandsTest, IsLabelLooksAtTheRunningFile) {
  EXPECT_EQ(Eval("STRISLABEL X \"there\"\nVARSET A 1\n:there"), "2");
  EXPECT_EQ(Eval("STRISLABEL X \"elsewhere\""), "-1");
}

TEST(SystemCommandsTest, DelaysWaitOnTheClockWithoutRealTime) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("SYSTEMTIMER T0\nDELAY 250\nSYSTEMTIMER T1\nCOMPUTE U = T1 + 1000\n"
                  "DELAYUNTIL U\nSYSTEMTIMER T2\nDELAY -5\nDELAYUNTIL 0\nSYSTEMTIMER T3\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("T0"), "1000");
  EXPECT_EQ(r.Var("T1"), "1250");
  EXPECT_EQ(r.Var("T2"), "2250");
  EXPECT_EQ(r.Var("T3"), "2250");
}

TEST(SystemCommandsTest, RandomNumbersStayInRangeAndRepeatWithTheSeed) {
  ScriptRunner r;
  std::string script =
      "RANDOMIZE 7\nVARSET N 0\nVARSET SEEN \"\"\n:again\nRANDOM V 9\n"
      "IF V < 0 END\nIF V > 9 END\nVARSET SEEN \"%SEEN%%V%\"\n"
      "COMPUTE N = N + 1\nIF N < 40 GOTO \"again\"\nVARSET OK 1\n";
  ASSERT_EQ(r.Run(script).kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("OK"), "1");
  std::string first = r.Var("SEEN");
  ASSERT_EQ(r.Run(script).kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("SEEN"), first);
  EXPECT_NE(first, std::string(40, first[0]));
}

TEST(SystemCommandsTest, DateTimeValuesAndEnvironment) {
  ScriptRunner r;
  std::tm when{};
  when.tm_year = 126, when.tm_mon = 11, when.tm_mday = 7, when.tm_hour = 9, when.tm_min = 5;
  r.clock.SetLocalTime(when);
  r.environment.Set("HOME", "/home/me");
  r.services().command_line = "one \"two three\"";
  ASSERT_EQ(r.Run("SYSTEMDATETIME D \"^Y-^m-^d ^H:^M\"\nSYSTEMPLATFORM P\nSYSTEMOSMAJOR MA\n"
                  "SYSTEMOSMINOR MI\nSYSTEMMEMORY M\nSYSTEMCOMMANDLINE C\nSYSTEMCURRENTEXE E\n"
                  "SYSTEMCURRENTSCRIPT S\nENVGET H \"HOME\"\nENVSET \"NEW\" \"v\"\n"
                  "ENVGET N \"NEW\"\nENVSET \"NEW\" \"\"\nENVGET N2 \"NEW\"\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("D"), "2026-12-07 09:05");
  EXPECT_EQ(r.Var("P") + " " + r.Var("MA") + "." + r.Var("MI"), "Linux 6.1");
  EXPECT_EQ(r.Var("M"), "2147483647");
  EXPECT_EQ(r.Var("C"), "one \"two three\"");
  EXPECT_EQ(r.Var("E"), "/usr/bin/kinetscriptw");
  EXPECT_EQ(r.Var("S"), "/main.ss");
  EXPECT_EQ(r.Var("H") + "|" + r.Var("N") + "|" + r.Var("N2"), "/home/me|v|");
}

TEST(SystemCommandsTest, ExecuteStartsWithoutWaiting) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("EXECUTE R \"viewer 'a b.txt'\"\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("R"), "1234");
  ASSERT_EQ(r.programs.started.size(), 1u);
  EXPECT_EQ(r.programs.started[0], "viewer 'a b.txt'");
  EXPECT_EQ(platform::SplitCommandLine("a \"b c\"  d\"e f\""),
            (std::vector<std::string>{"a", "b c", "de f"}));
}

TEST(PrintCommandsTest, TextGoesToThePrintFileWhilePrinting) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("PRINTBEGIN \"out.prn\"\nTEXT \"line one\"\nTEXTNOCR \"no end\"\nPRINTPAGEADV\n"
                  "PRINTEND\nPRINTBEGIN\nTEXT \"spooled\"\nPRINTEND\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.File("out.prn"), "line one\r\nno end\f");
  ASSERT_EQ(r.programs.started.size(), 1u);
  const std::string& command = r.programs.started[0];
  EXPECT_EQ(command.rfind("lpr -r \"/tmp/", 0), 0u);
  std::string spooled = command.substr(8, command.size() - 9);
  EXPECT_EQ(r.File(spooled), "spooled\r\n");
}

}  // namespace
}  // namespace kinet::script
