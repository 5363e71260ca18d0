// Message boxes that ask the user: a text under a caption with a set of buttons, owned by one
// of the program's windows. The system's boxes are SDL's; ScriptedMessageBoxes answers from a
// list and records what it was asked (tests).
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace kinet::platform {

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

// SDL's message boxes; every box answers kNone where there is no screen to show it on (no
// display, or SDL's dummy or offscreen video driver).
MessageBoxes& SystemMessageBoxes();

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
