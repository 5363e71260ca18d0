// Keys, clicks and the drawn pointer as scripts see them: events are given to the player
// window as if the user made them, and what INPUTCHAR stores and the image shows is checked.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/display/window.h"
#include "scriptplayer/drawing/pixels.h"
#include "tests/scriptplayer/window_run.h"

namespace kinet::script {
namespace {

using platform::WindowKey;
using testing::Key;
using testing::kOpen;
using testing::Moved;
using testing::PostClick;
using testing::PostKeys;
using testing::Typed;
using testing::WindowRun;

// Takes `count` inputs, each with INPUTCHARORDELAY 0, joined by '|'.
std::string TakeInputs(WindowRun& w, size_t count) {
  std::string script, names;
  for (size_t i = 0; i < count; ++i) script += "INPUTCHARORDELAY K" + std::to_string(i) + " 0\n";
  EXPECT_EQ(w.Run(script).kind, RunOutcome::kFinished);
  for (size_t i = 0; i < count; ++i) names += (i ? "|" : "") + w.r.Var("K" + std::to_string(i));
  return names;
}

TEST(InputTest, EveryNamedKeyAndEveryFunctionKeyWithItsModifiers) {
  WindowRun w;
  ASSERT_EQ(w.Run(kOpen).kind, RunOutcome::kFinished);
  PostKeys(w.screen(), {Key(WindowKey::kEnter), Key(WindowKey::kEscape), Key(WindowKey::kBackspace),
                        Key(WindowKey::kTab), Key(WindowKey::kTab, true), Typed(" "),
                        Key(WindowKey::kPageUp), Key(WindowKey::kPageDown), Key(WindowKey::kEnd),
                        Key(WindowKey::kHome), Key(WindowKey::kLeft), Key(WindowKey::kUp),
                        Key(WindowKey::kRight), Key(WindowKey::kDown), Key(WindowKey::kInsert),
                        Key(WindowKey::kDelete), Typed("qZ7~")});
  EXPECT_EQ(TakeInputs(w, 21),
            "ENTER|ESCAPE|BACKSPACE|TAB|BACKTAB|SPACE|PAGEUP|PAGEDOWN|END|HOME|LEFT|UP|RIGHT|"
            "DOWN|INSERT|DELETE|q|Z|7|~|DELAY");

  std::string expected;
  for (int f = 0; f < 10; ++f) {
    const auto key = WindowKey(int(WindowKey::kF1) + f);
    // Shift is looked at before Control; Alt (a system key) before both.
    PostKeys(w.screen(), {Key(key), Key(key, true), Key(key, false, true), Key(key, true, true),
                          Key(key, false, false, true)});
    const std::string n = std::to_string(f + 1);
    expected += "F" + n + "|SHIFT F" + n + "|CONTROL F" + n + "|SHIFT F" + n + "|ALT F" + n + "|";
  }
  EXPECT_EQ(TakeInputs(w, 51), expected + "DELAY");
}

TEST(InputTest, AFullKeyQueueDropsTheKeysThatFollow) {
  WindowRun w;
  ASSERT_EQ(w.Run(kOpen).kind, RunOutcome::kFinished);
  std::vector<platform::WindowEvent> keys;
  for (int i = 0; i < 70; ++i) keys.push_back(Typed(i < 64 ? "a" : "b"));
  PostKeys(w.screen(), keys);
  std::string expected;
  for (int i = 0; i < 64; ++i) expected += "a|";
  EXPECT_EQ(TakeInputs(w, 65), expected + "DELAY");
}

// A host whose user acts at every pump, told how many pumps there were with the window open
// (loading a line, ending a command and every round of a wait pump once).
class UserHost : public WindowHost {
 public:
  using WindowHost::WindowHost;
  void Pump() override {
    WindowHost::Pump();
    if (screen()->IsOpen()) act(*screen(), ++pumps);
  }
  int pumps = 0;
  std::function<void(Screen&, int)> act = [](Screen& s, int pump) {
    if (pump == 100) s.keys.Push('k');
  };
};

TEST(InputTest, DeadlinesRunOnTheClockAndMinusOneWaitsForever) {
  testing::ScriptRunner r;
  UserHost host(r.platform());
  r.UseHost(&host);
  ASSERT_EQ(r.Run(std::string(kOpen) + "SYSTEMTIMER T0\nINPUTCHARORDELAY A 200\nSYSTEMTIMER T1\n"
                                       "INPUTCHARORDELAY B -1\nINPUTCHARORDELAY C 0\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("A"), "DELAY");
  const int waited = std::stoi(r.Var("T1")) - std::stoi(r.Var("T0"));
  EXPECT_GE(waited, 200);
  EXPECT_LT(waited, 220);
  EXPECT_EQ(r.Var("B"), "k");  // long after any deadline of 200 ms
  EXPECT_EQ(r.Var("C"), "DELAY");
}

TEST(InputTest, ClosingTheWindowWhileAScriptWaits) {
  testing::ScriptRunner r;
  UserHost host(r.platform());
  r.UseHost(&host);
  host.act = [](Screen& s, int pump) {
    if (pump != 40) return;
    platform::WindowEvent close;
    close.kind = platform::WindowEvent::Kind::kClose;
    close.window = platform::WindowNumber(s.window());
    ASSERT_TRUE(platform::PostWindowEvent(close));
  };
  ASSERT_EQ(r.Run(std::string(kOpen) + "INPUTCHAR K\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("K"), "ALT F4");
  EXPECT_GT(host.pumps, 40);
}

// The box belongs to the window and bears its title.
TEST(InputTest, AMessageBoxOfTheWindow) {
  WindowRun w;
  w.r.boxes.answers = {platform::BoxAnswer::kNo};
  ASSERT_EQ(
      w.Run(std::string(kOpen) + "SCREENWINDOWTITLE \"Quiz\"\nINPUTMSGWIN A 5 5 12 \"Sure?\"\n")
          .kind,
      RunOutcome::kFinished);
  ASSERT_EQ(w.r.boxes.asked.size(), 1u);
  EXPECT_EQ(w.r.boxes.asked[0].caption, "Quiz");
  EXPECT_EQ(w.r.boxes.asked[0].owner, w.screen().window());
  EXPECT_EQ(w.r.Var("A"), "8");
}

TEST(InputTest, ClicksAfterKeysAndLeftBeforeRight) {
  WindowRun w;
  ASSERT_EQ(w.Run(kOpen).kind, RunOutcome::kFinished);
  PostClick(w.screen(), 3, 5, 5);
  PostClick(w.screen(), 1, 5, 5);
  PostKeys(w.screen(), {Typed("x")});
  EXPECT_EQ(TakeInputs(w, 4), "x|LEFT MOUSE|RIGHT MOUSE|DELAY");
}

TEST(InputTest, LineInputInABoxOfItsOwn) {
  testing::ScriptRunner r;
  UserHost host(r.platform());
  r.UseHost(&host);
  ASSERT_EQ(r.Run(std::string(kOpen) + "SCREENCLEAR 100\n").kind, RunOutcome::kFinished);
  // While the user types, the box shows the prompt and the text so far.
  std::vector<uint8_t> seen;
  host.pumps = 0;
  host.act = [&](Screen& s, int pump) {
    if (pump == 30) {
      for (char c : std::string("hello")) s.keys.Push(uint8_t(c));
    } else if (pump == 40) {
      const PixelView v = s.View();
      seen.assign(v.pixels, v.pixels + v.pitch * size_t(v.height));
      s.keys.Push(13);
    }
  };
  ASSERT_EQ(r.Run("TEXTSETXY 5 5\nTEXTCOLOR 9\nINPUTSTRWIN S 10 8 4 \"Name?\"\nTEXTX X\nTEXTY "
                  "Y\nSCREENGETPIXEL P 11 9\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(r.Var("S"), "hell");
  EXPECT_EQ(r.Var("X") + " " + r.Var("Y"), "5 5");  // the cursor is back
  EXPECT_EQ(r.Var("P"), "100");                     // so is the image
  ASSERT_EQ(seen.size(), 64u * 48u);
  auto at = [&](int x, int y) { return seen[size_t(y) * 64 + size_t(x)]; };
  EXPECT_EQ(at(10, 8), 0);    // the frame: the darkest entry
  EXPECT_EQ(at(11, 9), 63);   // the face: the brightest
  EXPECT_EQ(at(57, 9), 0);    // five columns of 8 and the margins: 48 wide
  EXPECT_EQ(at(58, 9), 100);  // beside it the image
  std::set<uint8_t> prompt, typed;
  for (int y = 12; y < 28; ++y)
    for (int x = 14; x < 54; ++x) prompt.insert(at(x, y));
  for (int y = 32; y < 48; ++y)
    for (int x = 14 + 32; x < 54; ++x) typed.insert(at(x, y));
  EXPECT_EQ(prompt, (std::set<uint8_t>{0, 63}));
  EXPECT_EQ(typed, (std::set<uint8_t>{63}));  // four letters fit, the fifth is refused

  // -1 centres the box; Escape gives the empty text.
  host.pumps = 0;
  host.act = [&](Screen& s, int pump) {
    if (pump != 30) return;
    seen.assign(s.View().pixels, s.View().pixels + 64 * 48);
    s.keys.Push(27);
  };
  ASSERT_EQ(r.Run("INPUTSTRWIN S -1 -1 4 \"Name?\"\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(r.Var("S"), "");
  EXPECT_EQ(at(8, 2), 0);
  EXPECT_EQ(at(7, 2), 100);
  EXPECT_NE(r.Run("SCREENTEXT\nINPUTSTRWIN S 0 0 4 \"\"\n").error_text.find("A window hasn't"),
            std::string::npos);
}

// The arrow's tip and a pixel of its fill, relative to the pointer's hot spot.
constexpr int kFillX = 1, kFillY = 2;

TEST(InputTest, ThePointerIsDrawnInThePaletteAndNeverReadBack) {
  WindowRun w;
  ASSERT_EQ(w.Run(std::string(kOpen) + "SCREENCLEAR 100\n").kind, RunOutcome::kFinished);
  EXPECT_FALSE(platform::SystemPointerShown());
  PostKeys(w.screen(), {Moved(20, 10)});
  ASSERT_EQ(w.Run("INPUTCHARORDELAY K 0\nSCREENGETPIXEL P 20 10\n").kind, RunOutcome::kFinished);
  // The start palette's darkest entry is 0 and its brightest 63 (white).
  EXPECT_EQ(w.Index(20, 10), 0);
  EXPECT_EQ(w.Index(20 + kFillX, 10 + kFillY), 63);
  EXPECT_EQ(w.Index(20 + 9, 10), 100);  // transparent
  EXPECT_EQ(w.r.Var("P"), "100");       // commands see the image without the pointer
  EXPECT_TRUE(w.WindowShowsImage());

  // Drawing under the pointer keeps the drawing; a new palette gives new colours.
  // The black entries 0, 64, 128 and 192 of the start palette become a little lighter, 77
  // black and 200 white.
  ASSERT_EQ(w.Run("SCREENFILLEDBOX 0 0 64 48 7\nBITMAPALLOC B 1 1\nBITMAPGETPALETTE B\n"
                  "BITMAPSETPALETTEVALUE B 0 65793\nBITMAPSETPALETTEVALUE B 64 65793\n"
                  "BITMAPSETPALETTEVALUE B 128 65793\nBITMAPSETPALETTEVALUE B 192 65793\n"
                  "BITMAPSETPALETTEVALUE B 77 0\nBITMAPSETPALETTEVALUE B 200 16777215\n"
                  "BITMAPSETPALETTE B\nSCREENGETPIXEL P 20 10\n")
                .kind,
            RunOutcome::kFinished);
  EXPECT_EQ(w.r.Var("P"), "7");
  EXPECT_EQ(w.Index(20, 10), 77);
  EXPECT_EQ(w.Index(20 + kFillX, 10 + kFillY), 200);
  EXPECT_EQ(w.Index(20 + 9, 10), 7);
  EXPECT_TRUE(w.WindowShowsImage());

  // The pointer moves: its old place shows the image again.
  PostKeys(w.screen(), {Moved(40, 30)});
  ASSERT_EQ(w.Run("INPUTCHARORDELAY K 0\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(w.Index(20, 10), 7);
  EXPECT_EQ(w.Index(40, 30), 77);
  EXPECT_TRUE(w.WindowShowsImage());

  // MOUSESETXY moves it, and the system pointer too.
  ASSERT_EQ(w.Run("MOUSESETXY 8 9\nINPUTCHARORDELAY K 0\nMOUSEX X\nMOUSEY Y\n").kind,
            RunOutcome::kFinished);
  EXPECT_EQ(w.r.Var("X") + " " + w.r.Var("Y"), "8 9");
  EXPECT_EQ(w.Index(40, 30), 7);
  EXPECT_EQ(w.Index(8, 9), 77);
  EXPECT_TRUE(w.WindowShowsImage());

  ASSERT_EQ(w.Run("SCREENTEXT\n").kind, RunOutcome::kFinished);
  EXPECT_TRUE(platform::SystemPointerShown());
}

TEST(InputTest, AnAreasBitmapIsThePointerOverIt) {
  WindowRun w;
  ASSERT_EQ(w.Run(std::string(kOpen) + "SCREENCLEAR 100\n").kind, RunOutcome::kFinished);
  const std::string hand =
      "BITMAPALLOC B 3 2\nBITMAPCLEAR B 9\nBITMAPSETPIXEL B 1 0 0\n"
      "MOUSEADD \"Hand\" 30 20 10 10 B\n";
  PostKeys(w.screen(), {Moved(32, 22)});
  ASSERT_EQ(w.Run(hand + "INPUTCHARORDELAY K 0\nMOUSEAREA M\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(w.r.Var("M"), "Hand");
  EXPECT_EQ(w.Index(32, 22), 9);
  EXPECT_EQ(w.Index(33, 22), 100);  // index 0 of the picture is transparent
  EXPECT_EQ(w.Index(34, 23), 9);
  EXPECT_EQ(w.Index(35, 22), 100);
  // Off the area the arrow comes back; a freed bitmap leaves the arrow too.
  PostKeys(w.screen(), {Moved(5, 5)});
  ASSERT_EQ(w.Run(hand + "INPUTCHARORDELAY K 0\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(w.Index(32, 22), 100);
  EXPECT_EQ(w.Index(5, 5), 0);
  PostKeys(w.screen(), {Moved(32, 22)});
  ASSERT_EQ(w.Run(hand + "BITMAPFREE B\nINPUTCHARORDELAY K 0\n").kind, RunOutcome::kFinished);
  EXPECT_EQ(w.Index(32, 22), 0);
  EXPECT_EQ(w.Index(32 + kFillX, 22 + kFillY), 63);
  EXPECT_TRUE(w.WindowShowsImage());
}

}  // namespace
}  // namespace kinet::script
