// Message boxes that ask the user: a text under a caption with a set of buttons, owned by one
// of the program's windows. The system's boxes are SDL's where there is a screen, and questions
// on the terminal where there is none; ScriptedMessageBoxes answers from a list and records
// what it was asked (tests).
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace kinet::platform {

class Console;

enum class BoxButtons : uint8_t { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class BoxIcon : uint8_t { kInformation, kQuestion, kExclamation };
// kNone: no box could be shown, or it was closed without a button.
enum class BoxAnswer : uint8_t { kNone, kOk, kCancel, kYes, kNo };

struct BoxRequest {
  void* owner = nullptr;  // a window of platform/display/window.h, or null
  std::string caption, text;
  BoxButtons buttons = BoxButtons::kOk;
  BoxIcon icon = BoxIcon::kInformation;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box and returns when the user has answered it.
  virtual BoxAnswer Ask(const BoxRequest& request) = 0;
};

// SDL's message boxes where there is a screen to show them on; without one (no display, or
// SDL's dummy or offscreen video driver) the terminal's. `console` must outlive the boxes.
std::unique_ptr<MessageBoxes> OpenMessageBoxes(Console& console);

// Boxes as questions on the terminal: the caption and text, then the buttons ("[Y]es/[N]o");
// a typed line answers with the button whose first letter it starts with (any case), an empty
// line with the first button, anything else asks again. kNone at the end of input or when the
// terminal cannot be asked.
std::unique_ptr<MessageBoxes> OpenTerminalMessageBoxes(Console& console);

class ScriptedMessageBoxes : public MessageBoxes {
 public:
  BoxAnswer Ask(const BoxRequest& request) override {
    asked.push_back(request);
    if (answers.empty()) return BoxAnswer::kNone;
    BoxAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<BoxAnswer> answers;  // given in turn; kNone once they run out
  std::vector<BoxRequest> asked;
};

}  // namespace kinet::platform
