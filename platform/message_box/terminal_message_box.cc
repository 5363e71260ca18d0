// Message boxes as questions on the terminal.
#include <cctype>
#include <string>
#include <vector>

#include "platform/message_box/message_box.h"
#include "platform/terminal/console.h"

namespace kinet::platform {
namespace {

struct Choice {
  BoxAnswer answer;
  const char* label;  // its first letter is typed to choose it
};

std::vector<Choice> ChoicesOf(BoxButtons buttons) {
  switch (buttons) {
    case BoxButtons::kOk:
      return {{BoxAnswer::kOk, "OK"}};
    case BoxButtons::kOkCancel:
      return {{BoxAnswer::kOk, "OK"}, {BoxAnswer::kCancel, "Cancel"}};
    case BoxButtons::kYesNo:
      return {{BoxAnswer::kYes, "Yes"}, {BoxAnswer::kNo, "No"}};
    case BoxButtons::kYesNoCancel:
      return {{BoxAnswer::kYes, "Yes"}, {BoxAnswer::kNo, "No"}, {BoxAnswer::kCancel, "Cancel"}};
  }
  return {};
}

class TerminalMessageBoxes : public MessageBoxes {
 public:
  explicit TerminalMessageBoxes(Console& console) : console_(console) {}

  BoxAnswer Ask(const BoxRequest& request) override {
    std::string text = request.caption + ": ";
    for (char c : request.text)
      if (c != '\r') text += c;
    console_.WriteError(text + "\n");
    if (!console_.CanAsk()) return BoxAnswer::kNone;
    const std::vector<Choice> choices = ChoicesOf(request.buttons);
    std::string prompt;
    for (const Choice& c : choices)
      prompt += (prompt.empty() ? "[" : "/[") + std::string(1, c.label[0]) + "]" + (c.label + 1);
    for (;;) {
      console_.WriteError(prompt + "? ");
      const std::optional<std::string> line = console_.ReadAnswer();
      if (!line) return BoxAnswer::kNone;
      size_t first = line->find_first_not_of(" \t");
      if (first == std::string::npos) return choices.front().answer;
      const int typed = std::toupper(static_cast<unsigned char>((*line)[first]));
      for (const Choice& c : choices)
        if (typed == c.label[0]) return c.answer;
    }
  }

 private:
  Console& console_;
};

}  // namespace

std::unique_ptr<MessageBoxes> OpenTerminalMessageBoxes(Console& console) {
  return std::make_unique<TerminalMessageBoxes>(console);
}

}  // namespace kinet::platform
