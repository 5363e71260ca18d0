// The system's message boxes through SDL.
#include <SDL.h>

#include <cstring>
#include <vector>

#include "platform/message_box/message_box.h"

namespace kinet::platform {
namespace {

// A box needs a screen: a display to connect to and a video driver that draws on it.
bool HasScreen() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver) driver = SDL_getenv("SDL_VIDEODRIVER");
  if (driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0))
    return false;
  return SDL_getenv("DISPLAY") != nullptr || SDL_getenv("WAYLAND_DISPLAY") != nullptr;
}

// Without lines ending in CR LF: SDL's boxes split lines at LF.
std::string BoxText(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != '\r') out += c;
  return out;
}

// Button ids are the answers; Enter presses the first button, Escape the last.
std::vector<SDL_MessageBoxButtonData> ButtonsOf(BoxButtons buttons) {
  auto button = [](BoxAnswer answer, const char* text) {
    return SDL_MessageBoxButtonData{0, int(answer), text};
  };
  std::vector<SDL_MessageBoxButtonData> list;
  switch (buttons) {
    case BoxButtons::kOk:
      list = {button(BoxAnswer::kOk, "OK")};
      break;
    case BoxButtons::kOkCancel:
      list = {button(BoxAnswer::kOk, "OK"), button(BoxAnswer::kCancel, "Cancel")};
      break;
    case BoxButtons::kYesNo:
      list = {button(BoxAnswer::kYes, "Yes"), button(BoxAnswer::kNo, "No")};
      break;
    case BoxButtons::kYesNoCancel:
      list = {button(BoxAnswer::kYes, "Yes"), button(BoxAnswer::kNo, "No"),
              button(BoxAnswer::kCancel, "Cancel")};
      break;
  }
  list.front().flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
  list.back().flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
  return list;
}

class SdlMessageBoxes : public MessageBoxes {
 public:
  explicit SdlMessageBoxes(Console& console) : terminal_(OpenTerminalMessageBoxes(console)) {}

  BoxAnswer Ask(const BoxRequest& request) override {
    if (!HasScreen()) return terminal_->Ask(request);
    // SDL's boxes know no question mark; a question shows as information.
    const Uint32 flags =
        request.icon == BoxIcon::kExclamation ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
    const std::vector<SDL_MessageBoxButtonData> buttons = ButtonsOf(request.buttons);
    const std::string text = BoxText(request.text);
    const SDL_MessageBoxData data = {flags,
                                     static_cast<SDL_Window*>(request.owner),
                                     request.caption.c_str(),
                                     text.c_str(),
                                     int(buttons.size()),
                                     buttons.data(),
                                     nullptr};
    int pressed = -1;
    if (SDL_ShowMessageBox(&data, &pressed) != 0 || pressed < 0) return BoxAnswer::kNone;
    return BoxAnswer(pressed);
  }

 private:
  std::unique_ptr<MessageBoxes> terminal_;
};

}  // namespace

std::unique_ptr<MessageBoxes> OpenMessageBoxes(Console& console) {
  return std::make_unique<SdlMessageBoxes>(console);
}

}  // namespace kinet::platform
