// File, directory and drive commands: round trips, handles, searches and paths.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/files/file_system.h"
#include "tests/scriptplayer/script_runner.h"

namespace kinet::script {
namespace {

using testing::ErrorText;
using testing::ScriptRunner;

TEST(FileCommandsTest, WriteAppendAndReadBack) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("FILECREATE F \"data.txt\"\nFILEWRITE F \"one\"\nFILEWRITE F 2\nFILECLOSE F\n"
                  "FILEAPPEND F \"data.txt\"\nFILEWRITE F \"three\"\nFILECLOSE F\n"
                  "FILEOPEN F \"data.txt\"\nFILEREAD A F\nFILEREAD B F\nFILEEOF E1 F\n"
                  "FILEREAD C F\nFILEEOF E2 F\nFILEREAD D F\nFILESIZE S \"data.txt\"\n"
                  "FILESIZE SH F\nFILECLOSE F\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.File("data.txt"), "one\r\n2\r\nthree\r\n");
  EXPECT_EQ(r.Var("A") + "|" + r.Var("B") + "|" + r.Var("C"), "one|2|three");
  EXPECT_EQ(r.Var("E1") + r.Var("E2"), "01");
  EXPECT_EQ(r.Var("D"), "");
  EXPECT_EQ(r.Var("S"), "15");
  EXPECT_EQ(r.Var("SH"), "15");
  EXPECT_EQ(r.Var("F"), "");
}

TEST(FileCommandsTest, HandlesAreReusedLowestFirstAndChecked) {
  ScriptRunner r;
  r.files.AddFile("in.txt", "x");
  ASSERT_EQ(r.Run("FILEOPEN A \"in.txt\"\nFILEOPEN B \"in.txt\"\nFILECLOSE A\n"
                  "FILEOPEN C \"in.txt\"\nFILEOPEN M \"missing.txt\"\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("B"), "5001");
  EXPECT_EQ(r.Var("C"), "5000");
  EXPECT_EQ(r.Var("M"), "0");
  EXPECT_EQ(r.Run("FILEOPEN A \"in.txt\"\nFILECLOSE A\nFILEREAD L 5000\n").error_text,
            ErrorText("  Bad file parameter:\r\n    ", "FILEREAD L 5000", "main.ss", 3));
  EXPECT_EQ(r.Run("FILEEOF L \"5000\"\n").error_text,
            ErrorText("  Needed a number in command:\r\n    ", "FILEEOF L \"5000\"", "main.ss", 1));
}

TEST(FileCommandsTest, TheTableHoldsSixtyFourFiles) {
  ScriptRunner r;
  r.files.AddFile("in.txt", "x");
  ASSERT_EQ(r.Run("VARSET N 0\n:more\nFILEOPEN H \"in.txt\"\nCOMPUTE N = N + 1\n"
                  "IF H > 0 GOTO \"more\"\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("N"), "65");
}

TEST(FileCommandsTest, LongLinesAreCutAndMarkerBytesAreHarmless) {
  ScriptRunner r;
  r.files.AddFile("in.txt", std::string(300, 'a') + "\nnext\n\xFF\xFE\n");
  ASSERT_EQ(r.Run("FILEOPEN F \"in.txt\"\nFILEREAD A F\nFILEREAD B F\nFILEREAD C F\n"
                  "VARSET D 1\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("A"), std::string(255, 'a'));
  EXPECT_EQ(r.Var("B"), "next");
  EXPECT_EQ(r.Var("C"), "??");
  EXPECT_EQ(r.Var("D"), "1");
}

TEST(FileCommandsTest, CopyRenameDeleteAndExists) {
  ScriptRunner r;
  r.files.AddFile("a.txt", "content");
  ASSERT_EQ(r.Run("FILECOPY C \"a.txt\" \"b.txt\"\nFILERENAME R \"b.txt\" \"c.txt\"\n"
                  "FILEEXISTS EB \"b.txt\"\nFILEEXISTS EC \"c.txt\"\nFILEDELETE D \"a.txt\"\n"
                  "FILEDELETE D2 \"a.txt\"\nFILECOPY C2 \"none\" \"x\"\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(
      r.Var("C") + r.Var("R") + r.Var("EB") + r.Var("EC") + r.Var("D") + r.Var("D2") + r.Var("C2"),
      "1101100");
  EXPECT_EQ(r.File("c.txt"), "content");
}

TEST(FileCommandsTest, FindPatternsAndNext) {
  ScriptRunner r;
  r.files.AddFile("/work/b.KNT", "");
  r.files.AddFile("/work/a.knt", "");
  r.files.AddFile("/work/readme", "");
  r.files.AddFile("/work/sub/x.knt", "");
  ASSERT_EQ(r.Run("FILEFIND A \"/work/*.knt\"\nFILEFINDNEXT B\nFILEFINDNEXT C\n"
                  "FILEFIND D \"/work\"\nFILEFINDNEXT E\nFILEFINDNEXT F\nFILEFINDNEXT G\n"
                  "FILEFINDNEXT H\nDIRCHANGE OK \"/work\"\nFILEFIND I \"*.k?t\"\n"
                  "FILEFIND J \"\"\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("A") + "|" + r.Var("B") + "|" + r.Var("C"), "/work/a.knt|/work/b.KNT|");
  EXPECT_EQ(r.Var("D") + "|" + r.Var("E") + "|" + r.Var("F") + "|" + r.Var("G") + "|" + r.Var("H"),
            "/work/a.knt|/work/b.KNT|/work/readme|/work/sub|");
  EXPECT_EQ(r.Var("I"), "a.knt");
  EXPECT_EQ(r.Var("J"), "a.knt");
}

TEST(FileCommandsTest, PathsPiecesAndDirectories) {
  ScriptRunner r;
  r.files.AddFile("/data/movie.part.knt", "");
  ASSERT_EQ(
      r.Run("DIRCHANGE OK \"/data\"\nDIRCURRENT CUR\nFILEFULLPATH FP \"../data/x.knt\"\n"
            "FILEPIECES P1 1 1 1 1 \"movie.part.knt\"\nFILEPIECES P2 0 0 1 0 \"movie.part.knt\"\n"
            "FILEPIECES P3 0 0 0 1 \"movie.part.knt\"\nFILEPIECES P4 0 1 0 0 \"/data\"\n"
            "DIRMAKE M \"new\"\nDIRMAKE M2 \"new\"\nDIREXISTS DE \"new\"\n"
            "DIRREMOVE DR \"new\"\nDIREXISTS DE2 \"new\"\nSTRADDBACKSLASH S1 \"/data\"\n"
            "STRADDBACKSLASH S2 \"/data/\"\nSTRADDBACKSLASH S3 \"\"\n")
          .kind,
      RunOutcome::kFinished);
  EXPECT_EQ(r.Var("OK") + r.Var("CUR"), "1/data");
  EXPECT_EQ(r.Var("FP"), "/data/x.knt");
  EXPECT_EQ(r.Var("P1"), "/data/movie.part.knt");
  EXPECT_EQ(r.Var("P2"), "movie.part");
  EXPECT_EQ(r.Var("P3"), ".knt");
  EXPECT_EQ(r.Var("P4"), "/data/");
  EXPECT_EQ(r.Var("M") + r.Var("M2") + r.Var("DE") + r.Var("DR") + r.Var("DE2"), "10110");
  EXPECT_EQ(r.Var("S1") + "|" + r.Var("S2") + "|" + r.Var("S3"), "/data/|/data/|");
}

TEST(FileCommandsTest, AttributesTempFilesAndDrives) {
  ScriptRunner r;
  r.files.AddFile("f.txt", "");
  r.files.SetSpace(int64_t{5} << 40, 1000);
  ASSERT_EQ(r.Run("FILEGETATTRIB A1 \"f.txt\"\nFILESETATTRIB \"f.txt\" 1\n"
                  "FILEGETATTRIB A2 \"f.txt\"\nFILECREATE H \"f.txt\"\nFILEGETATTRIB A3 \"/tmp\"\n"
                  "FILEGETATTRIB A4 \"none\"\nFILETEMP T \"\"\nFILEEXISTS TE T\n"
                  "DRIVEAVAIL DA \"/\"\nDRIVESIZE DS \"\"\nFILECDROM CD \"/\"\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(
      r.Var("A1") + "," + r.Var("A2") + "," + r.Var("H") + "," + r.Var("A3") + "," + r.Var("A4"),
      "128,1,0,16,0");
  EXPECT_EQ(r.Var("TE"), "1");
  EXPECT_EQ(r.Var("T").rfind("/tmp/", 0), 0u);
  EXPECT_EQ(r.Var("DA"), "2147483647");
  EXPECT_EQ(r.Var("DS"), "1000");
  EXPECT_EQ(r.Var("CD"), "0");
}

// The same round trip through the real file system, in a private temporary folder.
TEST(FileCommandsTest, RealFileSystemRoundTrip) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("kinet-script-test-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  ScriptRunner r;
  r.platform().files = &platform::SystemFileSystem();
  std::string base = dir.string() + "/";
  fs::path script = dir / "main.ss";
  {
    std::unique_ptr<platform::File> out =
        platform::SystemFileSystem().Open(script.string(), platform::OpenMode::kCreate);
    std::string text = "FILECREATE F \"" + base +
                       "out.txt\"\nFILEWRITE F \"line\"\nFILECLOSE F\n"
                       "FILEOPEN F \"" +
                       base +
                       "out.txt\"\nFILEREAD L F\nFILEEOF E F\n"
                       "FILEFIND N \"" +
                       base + "*.TXT\"\nFILEPIECES P 0 0 1 1 \"" + base +
                       "out.txt\"\nFILERENAME R \"" + base + "out.txt\" \"" + base +
                       "new.txt\"\n"
                       "FILESIZE S \"" +
                       base + "new.txt\"\n";
    ASSERT_TRUE(out->Write(text.data(), text.size()));
  }
  ASSERT_EQ(r.RunFile(script.string()).kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("L") + r.Var("E"), "line1");
  EXPECT_EQ(r.Var("N"), base + "out.txt");
  EXPECT_EQ(r.Var("P"), "out.txt");
  EXPECT_EQ(r.Var("R") + "," + r.Var("S"), "1,6");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace kinet::script
