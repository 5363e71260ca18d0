// The player window under SDL's offscreen driver: scripts draw, write, fade and play video,
// and what the window shows is read back and compared with the image, index by colour.
#include "platform/display/window.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "tests/scriptplayer/window_run.h"
#include "tests/support/animation_fixtures.h"

namespace kinet::script {
namespace {

using testing::Key;
using testing::kOpen;
using testing::PostClick;
using testing::PostKeys;
using testing::ScriptRunner;
using testing::Typed;
using testing::WindowRun;

TEST(WindowTest, DrawingIsClippedToTheImageAndReachesTheWindow) {
  for (const char* settings : {"SCREENSETTINGS 0\n", "SCREENSETTINGS 4\n"}) {
    WindowRun w;
    ASSERT_EQ(w.Run(std::string(settings) + "SCREENGRAPHICS OK 64 48\n" +
                    "SCREENCLEAR 20\nSCREENFILLEDBOX -10 -10 20 20 30\n"
                    "SCREENLINE -100 47 200 47 40\nSCREENBOX 50 30 100 100 50\n"
                    "SCREENLINE 5 -99999999 5 99999999 45\n"
                    "SCREENSETPIXEL 63 0 60\nSCREENSETPIXEL 64 0 61\nSCREENSETPIXEL -1 5 61\n"
                    "SCREENGETPIXEL P 0 0\nSCREENGETPIXEL Q 100 100\nSCREENINFO I\n")
                  .kind,
              RunOutcome::kFinished);
    EXPECT_EQ(w.r.Var("OK"), "1");
    EXPECT_EQ(w.r.Var("P"), "30");
    EXPECT_EQ(w.r.Var("Q"), "0");
    EXPECT_EQ(w.r.Var("I"), settings[15] == '0' ? "Standard Windows DIBs" : "CreateDIBSection");
    EXPECT_EQ(w.Index(9, 9), 30);
    EXPECT_EQ(w.Index(15, 15), 20);
    EXPECT_EQ(w.Index(30, 47), 40);
    EXPECT_EQ(w.Index(63, 30), 50);  // the box's top edge, cut at the right
    EXPECT_EQ(w.Index(50, 47), 50);  // its left edge; the bottom lies below the image
    EXPECT_EQ(w.Index(5, 20), 45);
    EXPECT_EQ(w.Index(63, 0), 60);
    EXPECT_TRUE(w.WindowShowsImage()) << settings;
  }
}

TEST(WindowTest, TextInTheThreeColourModesAndTheLastLine) {
  WindowRun w;
  ASSERT_EQ(w.Run(std::string(kOpen) +
                  "SCREENCLEAR 50\nTEXTCOLOR 100\nTEXTBACKCOLOR 120\nTEXT \"A\"\nTEXTY Y1\n"
                  "TEXTTRANSCOLOR 100\nTEXTSETXY 16 0\nTEXTNOCR \"A\"\n"
                  "TEXTTRANSCOLOR 120\nTEXTSETXY 32 0\nTEXTNOCR \"A\"\nTEXTX X3\n"
                  "TEXTSETXY 0 32\nTEXT \"last\"\nTEXTY Y2\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(w.r.Var("Y1"), "16");
  EXPECT_EQ(w.r.Var("X3"), "40");
  EXPECT_EQ(w.r.Var("Y2"), "32");  // two more lines do not fit below the last one
  EXPECT_EQ(w.IndicesIn(0, 0, 8, 16), (std::set<uint8_t>{100, 120}));
  EXPECT_EQ(w.IndicesIn(16, 0, 8, 16), (std::set<uint8_t>{50, 120}));  // outlined letters
  EXPECT_EQ(w.IndicesIn(32, 0, 8, 16), (std::set<uint8_t>{50, 100}));
  EXPECT_EQ(w.IndicesIn(8, 0, 8, 16), (std::set<uint8_t>{50}));
  EXPECT_TRUE(w.WindowShowsImage());
}

TEST(WindowTest, AFontCutFromABitmap) {
  WindowRun w;
  ASSERT_EQ(w.Run(std::string(kOpen) +
                  "BITMAPALLOC B 16 8\nBITMAPFILLEDBOX B 0 0 8 8 1\nBITMAPSETPIXEL B 9 1 3\n"
                  "TEXTFONTFROMBITMAP B 8 8 65 66\nTEXTCOLOR 100\nTEXTBACKCOLOR 120\n"
                  "TEXTNOCR \"ABZ\"\nTEXTX X\nTEXTFONTFROMBITMAP 0 0 0 0 0\nTEXTNOCR \"A\"\n"
                  "TEXTX X2\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(w.r.Var("X"), "24");
  EXPECT_EQ(w.r.Var("X2"), "32");
  EXPECT_EQ(w.IndicesIn(0, 0, 8, 8), (std::set<uint8_t>{100}));
  EXPECT_EQ(w.Index(9, 1), 100);
  EXPECT_EQ(w.Index(10, 1), 120);
  EXPECT_EQ(w.IndicesIn(16, 0, 8, 8), (std::set<uint8_t>{100}));  // Z: the first glyph
}

TEST(WindowTest, BitmapToScreenFormsAndBack) {
  WindowRun w;
  ASSERT_EQ(w.Run(std::string(kOpen) +
                  "SCREENCLEAR 50\nBITMAPALLOC B 4 4\nBITMAPCLEAR B 7\nBITMAPSETPIXEL B 1 1 9\n"
                  "BITMAPALLOC M 4 4\nBITMAPSETPIXEL M 0 0 1\n"
                  "BITMAPTOSCREEN B 0 0\nBITMAPTOSCREENTRANS B 10 0 9\n"
                  "BITMAPTOSCREENMASK B M 20 0 0\nBITMAPTOSCREEN B 62 46\n"
                  "BITMAPALLOC C 4 4\nBITMAPFROMSCREEN C 10 0\nBITMAPGETPIXEL C1 C 1 1\n"
                  "BITMAPGETPIXEL C2 C 0 0\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(w.Index(1, 1), 9);
  EXPECT_EQ(w.Index(11, 1), 50);
  EXPECT_EQ(w.Index(12, 1), 7);
  EXPECT_EQ(w.Index(20, 0), 7);
  EXPECT_EQ(w.Index(21, 0), 50);
  EXPECT_EQ(w.Index(63, 47), 9);  // cut at the corner
  EXPECT_EQ(w.r.Var("C1"), "50");
  EXPECT_EQ(w.r.Var("C2"), "7");
  EXPECT_TRUE(w.WindowShowsImage());
}

TEST(WindowTest, FadesReachTheirPaletteAndLeaveLockedEntries) {
  WindowRun w;
  ASSERT_EQ(w.Run(std::string(kOpen) +
                  "SCREENCLEAR 100\nBITMAPALLOC P 1 1\nBITMAPSETPALETTEVALUE P 100 3166208\n"
                  "BITMAPSETPALETTEVALUE P 200 255\nSCREENPALETTELOCK 200 1 1\n"
                  "BITMAPFADEINPALETTE P\nSCREENFORCEPALETTEZEROBLACK 1\n")
                .kind,
            RunOutcome::kFinished);
  Screen& s = w.screen();
  EXPECT_EQ(s.palette[300], 0x00);  // 3166208 = 0x305000: red 0, green 0x50, blue 0x30
  EXPECT_EQ(s.palette[301], 0x50);
  EXPECT_EQ(s.palette[302], 0x30);
  EXPECT_EQ(w.Colour(100), 0x005030u);
  EXPECT_EQ(s.palette[602], 32);  // the blue ramp's entry stays locked
  EXPECT_TRUE(w.WindowShowsImage());
  ASSERT_EQ(w.Run("SCREENFADEOUTCLEAR 5\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(s.palette[301], 0);
  EXPECT_EQ(s.palette[602], 32);
  EXPECT_EQ(w.IndicesIn(0, 0, 64, 48), (std::set<uint8_t>{5}));
}

TEST(WindowTest, ScreenGraphicsTwiceAndAfterScreenText) {
  WindowRun w;
  ASSERT_EQ(w.Run(std::string(kOpen) + "SCREENGRAPHICS B 80 40\nSCREENWIDTH W\nSCREENHEIGHT H\n"
                                       "SCREENWINDOWHWND N\nSCREENWINDOWHASFOCUS F\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(w.r.Var("B"), "1");
  EXPECT_EQ(w.r.Var("W") + "x" + w.r.Var("H"), "80x40");
  EXPECT_NE(w.r.Var("N"), "0");
  int cw = 0, ch = 0;
  platform::ClientSize(w.screen().window(), cw, ch);
  EXPECT_EQ(cw, 80);
  EXPECT_EQ(ch, 40);
  EXPECT_EQ(w.Run("SCREENGRAPHICS Z 0 10\n").error_text,
            testing::ErrorText("  Zero dimension in command:\r\n    ", "SCREENGRAPHICS Z 0 10",
                               "main.ss", 1));
  ASSERT_EQ(w.Run("SCREENTEXT\nSCREENGRAPHICS C 32 32\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(w.r.Var("C"), "1");
  EXPECT_NE(w.Run("SCREENTEXT\nSCREENCLEAR 0\n").error_text.find("A window hasn't been"),
            std::string::npos);
}

TEST(WindowTest, CloseRequestIsAltF4) {
  WindowRun w;
  ASSERT_EQ(w.Run(kOpen).kind, RunOutcome::kFinished);
  platform::WindowEvent close;
  close.kind = platform::WindowEvent::Kind::kClose;
  close.window = platform::WindowNumber(w.screen().window());
  ASSERT_TRUE(platform::PostWindowEvent(close));
  ASSERT_EQ(w.Run("INPUTCHAR K\nINPUTCHARORDELAY D 0\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(w.r.Var("K"), "ALT F4");
  EXPECT_EQ(w.r.Var("D"), "DELAY");
}

// A click names the area under the pointer when the script takes it.
TEST(WindowTest, ClicksNameTheAreaUnderThemOnTheCurrentLevel) {
  WindowRun w;
  const std::string areas = "MOUSEADD \"Start\" 10 10 20 10 0\nMOUSEADD \"Quit\" 10 30 20 10 0\n";
  ASSERT_EQ(w.Run(kOpen).kind, RunOutcome::kFinished);
  auto click = [&](int button, int x, int y, const std::string& then) {
    PostClick(w.screen(), button, x, y);
    EXPECT_EQ(w.Run(areas + then + "INPUTCHAR K\n").kind, RunOutcome::kFinished);
    return w.r.Var("K");
  };
  EXPECT_EQ(click(1, 15, 15, ""), "Start");
  EXPECT_EQ(click(1, 50, 5, ""), "LEFT MOUSE");
  EXPECT_EQ(click(3, 15, 35, ""), "RIGHT MOUSE");
  EXPECT_EQ(click(1, 15, 35, "MOUSEREMOVE \"Start\"\n"), "Quit");
  EXPECT_EQ(click(1, 15, 15, "MOUSEPUSHANDREMOVEALL\n"), "LEFT MOUSE");
  EXPECT_EQ(click(1, 15, 15, "MOUSEPUSHANDREMOVEALL\nMOUSEPOP\n"), "Start");
  ASSERT_EQ(w.Run(areas + "MOUSEAREA M\nMOUSEX X\nMOUSEY Y\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(w.r.Var("M") + " " + w.r.Var("X") + " " + w.r.Var("Y"), "Start 15 15");
  // 40 pushes keep 32 levels; as many pops bring the first level back.
  std::string deep;
  for (int i = 0; i < 40; ++i) deep += "MOUSEPUSHANDREMOVEALL\nMOUSEADD \"L\" 0 0 64 48 0\n";
  for (int i = 0; i < 40; ++i) deep += "MOUSEPOP\n";
  EXPECT_EQ(click(1, 15, 15, deep), "Start");
  std::string full;
  for (int i = 0; i < 129; ++i) full += "MOUSEADD \"a\" 0 0 1 1 0\n";
  EXPECT_NE(w.Run(full).error_text.find("Could not add mouse area"), std::string::npos);
}

TEST(WindowTest, LineInputWithBackspaceEscapeAndTheLimit) {
  using platform::WindowKey;
  WindowRun w;
  ASSERT_EQ(w.Run(kOpen).kind, RunOutcome::kFinished);
  PostKeys(w.screen(), {Typed("ab"), Key(WindowKey::kBackspace), Key(WindowKey::kEnter)});
  ASSERT_EQ(w.Run("INPUTSTR S 10 \"? \"\nTEXTY Y\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(w.r.Var("S"), "a");
  EXPECT_EQ(w.r.Var("Y"), "16");
  EXPECT_GT(w.IndicesIn(16, 0, 8, 16).size(), 1u);               // the a
  EXPECT_EQ(w.IndicesIn(24, 0, 8, 16), (std::set<uint8_t>{0}));  // the erased b
  PostKeys(w.screen(), {Typed("xyz"), Key(WindowKey::kEscape)});
  ASSERT_EQ(w.Run("INPUTSTR S 10 \"\"\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(w.r.Var("S"), "");
  PostKeys(w.screen(), {Typed("abc"), Key(WindowKey::kEnter)});
  ASSERT_EQ(w.Run("INPUTSTR S 2 \"\"\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(w.r.Var("S"), "ab");
  PostKeys(w.screen(), {Key(WindowKey::kTab, true), Key(WindowKey::kF3, true),
                        Key(WindowKey::kHome), Typed("q")});
  ASSERT_EQ(w.Run("INPUTCHAR A\nINPUTCHAR B\nINPUTCHAR C\nINPUTCHAR D\n").kind,
            RunOutcome::kFinished);
  EXPECT_EQ(w.r.Var("A") + "|" + w.r.Var("B") + "|" + w.r.Var("C") + "|" + w.r.Var("D"),
            "BACKTAB|SHIFT F3|HOME|q");
}

// Lines between TEXTBEGIN and TEXTEND are text: loaded as such, written with their
// references expanded; a label among them is text too.
TEST(WindowTest, TextBlocksAreTextNotCommands) {
  ScriptRunner r;
  ASSERT_EQ(r.Run("VARSET N \"you\"\nPRINTBEGIN \"p.txt\"\nTEXTBEGIN\nHello %N%\n  not a "
                  "command\ntextend\nVARSET AFTER 1\nGOTO \"after\"\nTEXTBEGIN\nskipped\nTEXTEND\n"
                  ":after\nPRINTEND\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.File("p.txt"), "Hello you\r\n  not a command\r\n");
  EXPECT_EQ(r.Var("AFTER"), "1");
  ASSERT_EQ(r.Run("PRINTBEGIN \"q.txt\"\nTEXTBEGIN\nno end\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(r.File("q.txt"), "no end\r\n");
  EXPECT_NE(r.Run("TEXTBEGIN\nx\nTEXTEND\n").error_text.find("A window hasn't"), std::string::npos);
}

// The full-screen modes open a buffer only for pictures that fit their screen; SCREENINFO names
// the mode each SCREENSETTINGS chose.
TEST(WindowTest, ScreenSettingsChooseTheModeOfTheNextWindow) {
  const struct {
    const char* script;
    const char* opened;
    const char* mode;
  } cases[] = {
      {"SCREENSETTINGS 1\nSCREENGRAPHICS OK 320 240\n", "1", "Full screen 320x240"},
      {"SCREENSETTINGS 2\nSCREENGRAPHICS OK 320 200\n", "1", "Full screen 320x200"},
      {"SCREENSETTINGS 3\nSCREENGRAPHICS OK 640 480\n", "1", "Standard Windows DIBs"},
      {"SCREENSETTINGS 4\nSCREENGRAPHICS OK 640 480\n", "1", "CreateDIBSection"},
      {"SCREENSETTINGS 4\nSCREENSETTINGS 9\nSCREENGRAPHICS OK 64 48\n", "1", "CreateDIBSection"},
      {"SCREENSETTINGS 1\nSCREENGRAPHICS OK 640 480\n", "0", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    WindowRun w;
    ASSERT_EQ(w.Run(std::string(c.script) + "SCREENINFO I\n").kind, RunOutcome::kFinished);
    EXPECT_EQ(w.r.Var("OK"), c.opened);
    if (c.mode) {
      EXPECT_EQ(w.r.Var("I"), c.mode);
    }
  }
  // A full-screen buffer that is large enough is reused for a smaller picture, cleared to 0.
  WindowRun w;
  ASSERT_EQ(w.Run("SCREENSETTINGS 1\nSCREENGRAPHICS OK 320 240\nSCREENCLEAR 9\n"
                  "SCREENGRAPHICS AGAIN 200 100\nSCREENINFO I\nSCREENGETPIXEL P 0 0\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(w.r.Var("AGAIN"), "1");
  EXPECT_EQ(w.r.Var("I"), "Full screen 320x240");
  EXPECT_EQ(w.r.Var("P"), "0");
}

// A clock that gives the window its focus back after a number of sleeps, as a user coming
// back to a paused presentation would.
class FocusReturningClock : public platform::ManualClock {
 public:
  void SleepMs(uint32_t ms) override {
    ManualClock::SleepMs(ms);
    if (++sleeps == return_after && window) {
      platform::WindowEvent focus;
      focus.kind = platform::WindowEvent::Kind::kFocus;
      focus.window = platform::WindowNumber(window);
      EXPECT_TRUE(platform::PostWindowEvent(focus));
    }
  }
  int sleeps = 0, return_after = 25;
  void* window = nullptr;
};

TEST(WindowTest, AutoPauseHoldsTheScriptWhileTheWindowLacksTheFocus) {
  for (bool auto_pause : {false, true}) {
    SCOPED_TRACE(auto_pause);
    FocusReturningClock clock;
    ScriptRunner r;
    r.platform().clock = &clock;
    WindowHost host{r.platform()};
    r.UseHost(&host);
    ASSERT_EQ(r.Run(std::string(kOpen) + "SCREENWINDOWAUTOPAUSE " + (auto_pause ? "1" : "0") +
                    "\n")
                  .kind,
              RunOutcome::kFinished);
    clock.window = host.screen()->window();
    platform::WindowEvent lost;
    lost.kind = platform::WindowEvent::Kind::kFocusLost;
    lost.window = platform::WindowNumber(clock.window);
    ASSERT_TRUE(platform::PostWindowEvent(lost));
    ASSERT_EQ(r.Run("VARSET DONE 1\nSCREENWINDOWHASFOCUS F\n").kind, RunOutcome::kFinished);
    EXPECT_EQ(r.Var("DONE"), "1");
    // Paused, the script went on only when the focus came back; otherwise it never waited.
    EXPECT_EQ(clock.sleeps, auto_pause ? clock.return_after : 0);
  }
}

}  // namespace
}  // namespace kinet::script
