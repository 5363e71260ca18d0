// Memory bitmaps, their handles and palettes, and the command table itself.
#include <gtest/gtest.h>

#include "scriptplayer/commands/bitmaps.h"
#include "scriptplayer/engine/command_table.h"
#include "tests/scriptplayer/script_runner.h"

namespace kinet::script {
namespace {

using testing::ErrorText;
using testing::ScriptRunner;

// Rows of the bitmap as digits (palette indices below 10).
std::string Rows(ScriptRunner& r, const std::string& handle_variable) {
  const Bitmap* bitmap = cmd::Bitmaps(r.interpreter()).Get(std::stoi(r.Var(handle_variable)));
  if (!bitmap) return "<none>";
  std::string out;
  for (int y = 0; y < bitmap->height; ++y) {
    for (int x = 0; x < bitmap->width; ++x)
      out += static_cast<char>('0' + bitmap->pixels[y * bitmap->width + x]);
    out += '\n';
  }
  return out;
}

TEST(BitmapCommandsTest, DrawingIsClippedToTheBitmap) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("BITMAPALLOC B 5 4\nBITMAPCLEAR B 1\nBITMAPSETPIXEL B 0 0 2\n"
                  "BITMAPSETPIXEL B 9 9 3\nBITMAPLINE B -2000000000 3 2000000000 3 4\n"
                  "BITMAPFILLEDBOX B 3 1 9 2 5\nBITMAPGETPIXEL P B 0 0\nBITMAPGETPIXEL Q B -1 0\n"
                  "BITMAPWIDTH W B\nBITMAPHEIGHT H B\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(Rows(r, "B"), "21111\n11155\n11155\n44444\n");
  EXPECT_EQ(r.Var("P") + r.Var("Q") + r.Var("W") + r.Var("H"), "2054");
}

TEST(BitmapCommandsTest, BoxOutlineAndColourChange) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("BITMAPALLOC B 5 5\nBITMAPBOX B 1 1 2 2 3\nBITMAPCHANGECOLOR B 0 1\n").kind,
            RunOutcome::kFinished);
  EXPECT_EQ(Rows(r, "B"), "11111\n13331\n13131\n13331\n11111\n");
}

TEST(BitmapCommandsTest, CopiesWithTransparencyAndMask) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("BITMAPALLOC S 2 2\nBITMAPSETPIXEL S 0 0 7\nBITMAPSETPIXEL S 1 1 8\n"
                  "BITMAPALLOC T 3 3\nBITMAPCLEAR T 1\nBITMAPTOBITMAP S T 2 2\n"
                  "BITMAPALLOC U 3 3\nBITMAPCLEAR U 1\nBITMAPTOBITMAPTRANS S U -1 -1 0\n"
                  "BITMAPALLOC M 2 1\nBITMAPSETPIXEL M 1 0 9\nBITMAPALLOC V 2 2\n"
                  "BITMAPCLEAR V 1\nBITMAPTOBITMAPMASK S V M 0 0 0\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(Rows(r, "T"), "111\n111\n117\n");
  EXPECT_EQ(Rows(r, "U"), "811\n111\n111\n");
  EXPECT_EQ(Rows(r, "V"), "10\n11\n");
}

TEST(BitmapCommandsTest, PaletteValues) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("BITMAPALLOC A 1 1\nBITMAPGETPALETTEVALUE N A 3\n"
                  "BITMAPSETPALETTEVALUE A 3 16777215\nBITMAPSETPALETTEVALUE A 4 197121\n"
                  "BITMAPGETPALETTEVALUE V A 4\nBITMAPALLOC B 1 1\nBITMAPPALETTETOPALETTE A B\n"
                  "BITMAPGETPALETTEVALUE W B 3\nBITMAPGETBRIGHTESTPALETTEINDEX BR B\n"
                  "BITMAPGETDARKESTPALETTEINDEX DK B\nBITMAPGETPALETTEVALUE O B 256\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("N"), "0");
  EXPECT_EQ(r.Var("V"), "197121");
  EXPECT_EQ(r.Var("W"), "16777215");
  EXPECT_EQ(r.Var("BR") + "," + r.Var("DK") + "," + r.Var("O"), "3,0,0");
}

TEST(BitmapCommandsTest, HandlesFreeAndReuse) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("BITMAPALLOC A 2 2\nBITMAPALLOC B 2 2\nVARSET KEEP A\nBITMAPFREE A\n"
                  "BITMAPALLOC C 2 2\nBITMAPALLOC Z 0 5\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(
      r.Var("KEEP") + "," + r.Var("A") + "," + r.Var("B") + "," + r.Var("C") + "," + r.Var("Z"),
      "9000,,9001,9000,0");
  EXPECT_EQ(r.Run("BITMAPALLOC A 2 2\nBITMAPFREE A\nBITMAPWIDTH W 9000\n").error_text,
            ErrorText("  Bad frame parameter:\r\n    ", "BITMAPWIDTH W 9000", "main.ss", 3));
  EXPECT_EQ(r.Run("BITMAPWIDTH W 9128\n").error_text,
            ErrorText("  Bad frame parameter:\r\n    ", "BITMAPWIDTH W 9128", "main.ss", 1));
}

TEST(CommandTableTest, SortedCompleteAndFoundByName) {
  ASSERT_EQ(kCommandCount, 185u);
  for (size_t i = 0; i < kCommandCount; ++i) {
    int index = static_cast<int>(i);
    if (i > 0) {
      EXPECT_LT(CommandName(index - 1), CommandName(index));
    }
    EXPECT_EQ(FindCommand(CommandName(index)), index);
  }
  EXPECT_EQ(CommandName(0), "ANIMATIONADVANCE");
  EXPECT_EQ(CommandName(184), "VARSET");
  EXPECT_LT(FindCommand("SCREENWINDOWHPAL"), FindCommand("SCREENWINDOWHWND"));
  for (const char* missing : {"", "ANIMATION", "VARSETX", "varset", "ZZZ", "AAA"})
    EXPECT_EQ(FindCommand(missing), -1) << missing;
}

}  // namespace
}  // namespace kinet::script
