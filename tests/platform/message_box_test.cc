// Message boxes where there is no screen: questions on a terminal that answers from a list.
#include "platform/message_box/message_box.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_console.h"

namespace kinet::platform {
namespace {

BoxRequest Request(BoxButtons buttons) {
  BoxRequest r;
  r.caption = "Quiz";
  r.text = "Sure?\r\nReally?";
  r.buttons = buttons;
  return r;
}

TEST(TerminalMessageBoxTest, TheFirstLetterChoosesAndAnEmptyLineTakesTheFirstButton) {
  ScriptedConsole console(false, true);
  // SDL's dummy driver has no screen, so the system's boxes ask on the terminal.
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  std::unique_ptr<MessageBoxes> boxes = OpenMessageBoxes(console);
  console.answers = {"n", "", "  cancel", "maybe", "Y", "o"};
  EXPECT_EQ(boxes->Ask(Request(BoxButtons::kYesNoCancel)), BoxAnswer::kNo);
  EXPECT_EQ(console.written, "Quiz: Sure?\nReally?\n[Y]es/[N]o/[C]ancel? ");
  EXPECT_EQ(boxes->Ask(Request(BoxButtons::kYesNo)), BoxAnswer::kYes);
  EXPECT_EQ(boxes->Ask(Request(BoxButtons::kOkCancel)), BoxAnswer::kCancel);
  EXPECT_EQ(boxes->Ask(Request(BoxButtons::kYesNo)), BoxAnswer::kYes);  // after "maybe"
  EXPECT_EQ(boxes->Ask(Request(BoxButtons::kOk)), BoxAnswer::kOk);
  EXPECT_EQ(boxes->Ask(Request(BoxButtons::kOk)), BoxAnswer::kNone);  // the input ended

  ScriptedConsole no_terminal(false, false);
  no_terminal.answers = {"y"};
  EXPECT_EQ(OpenTerminalMessageBoxes(no_terminal)->Ask(Request(BoxButtons::kYesNo)),
            BoxAnswer::kNone);
  EXPECT_EQ(no_terminal.written, "Quiz: Sure?\nReally?\n");
}

}  // namespace
}  // namespace kinet::platform
