// The example presentation's menu, driven as a user would: with the mouse, with the keyboard,
// and left alone. A short synthetic video stands in for sample.knt.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "tests/scriptplayer/window_run.h"
#include "tests/support/animation_fixtures.h"

namespace kinet::script {
namespace {

using platform::WindowKey;

std::string Presentation(const std::string& video) {
  std::ifstream in(PRESENTATION_SS);
  std::stringstream text;
  text << in.rdbuf();
  std::string script = text.str();
  for (size_t at; (at = script.find("\"sample.knt\"")) != std::string::npos;)
    script.replace(at, 12, "\"" + video + "\"");
  return script;
}

// A user who answers each menu: the menu is up once the drawn pointer is on the image after
// a video was opened (the picture, then each playing). The answer for the nth opening is
// given once.
class MenuUser : public WindowHost {
 public:
  using WindowHost::WindowHost;
  KinetHandle* OpenVideo(const std::string& path, uint32_t flags) override {
    ++opens;
    return WindowHost::OpenVideo(path, flags);
  }
  void Pump() override {
    WindowHost::Pump();
    Screen& s = *screen();
    auto answer = answers.find(opens);
    if (!s.IsOpen() || !s.pointer.on_image() || answer == answers.end()) return;
    for (platform::WindowEvent e : answer->second) {
      e.window = platform::WindowNumber(s.window());
      ASSERT_TRUE(platform::PostWindowEvent(e));
    }
    answers.erase(answer);
  }
  int opens = 0;
  std::map<int, std::vector<platform::WindowEvent>> answers;
};

platform::WindowEvent Click(int x, int y) {
  platform::WindowEvent e;
  e.kind = platform::WindowEvent::Kind::kButtonUp;
  e.button = 1;
  e.x = x;
  e.y = y;
  return e;
}

class PresentationTest : public ::testing::Test {
 protected:
  RunOutcome Run() {
    const encoder::AnimationSettings settings{320, 200, 66};
    const std::string video = kinet::testing::WriteTestFile(
        "presentation.knt", settings, kinet::testing::SpriteAnimation(320, 200, 4));
    r_.UseHost(&user_);
    return r_.Run(Presentation(video));
  }

  testing::ScriptRunner r_;
  MenuUser user_{r_.platform()};
};

TEST_F(PresentationTest, AClickPlaysAgainAndAKeyQuits) {
  user_.answers[2] = {Click(95, 249)};  // on "Play again"
  user_.answers[3] = {testing::Typed("q")};
  ASSERT_EQ(Run().kind, RunOutcome::kFinished);
  EXPECT_EQ(user_.opens, 3);
  EXPECT_EQ(r_.Var("KEY"), "q");
  EXPECT_EQ(r_.Var("PLAYED"), "1");
}

TEST_F(PresentationTest, ArrowsMoveTheChoiceAndEnterTakesIt) {
  user_.answers[2] = {testing::Key(WindowKey::kRight), testing::Key(WindowKey::kEnter)};
  ASSERT_EQ(Run().kind, RunOutcome::kFinished);
  EXPECT_EQ(user_.opens, 2);
  EXPECT_EQ(r_.Var("CHOICE"), "quit");
  EXPECT_EQ(r_.Var("KEY"), "ENTER");
}

TEST_F(PresentationTest, TabAndEnterPlayAgainAClickOnQuitEnds) {
  user_.answers[2] = {testing::Key(WindowKey::kTab), testing::Key(WindowKey::kTab, true),
                      testing::Key(WindowKey::kEnter)};
  user_.answers[3] = {Click(220, 249)};
  ASSERT_EQ(Run().kind, RunOutcome::kFinished);
  EXPECT_EQ(user_.opens, 3);
  EXPECT_EQ(r_.Var("KEY"), "quit");
}

TEST_F(PresentationTest, LeftAloneItEndsAfterItsTime) {
  ASSERT_EQ(Run().kind, RunOutcome::kFinished);
  EXPECT_EQ(user_.opens, 2);
  EXPECT_EQ(r_.Var("KEY"), "DELAY");
}

}  // namespace
}  // namespace kinet::script
