// The one place where a tool's status face is chosen.
#include <cstdlib>
#include <cstring>

#include "platform/status_window/terminal_face.h"
#include "platform/status_window/window_face.h"

namespace kinet::platform {
namespace {

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

// A real screen: a display server is named and SDL is not told to draw off screen.
bool DisplayExists() {
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (driver != nullptr &&
      (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
    return false;
  }
  return Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

}  // namespace

std::unique_ptr<StatusFace> OpenTerminalFace(const FaceOptions&, Console& console) {
  return std::make_unique<TerminalFace>(console);
}

std::unique_ptr<StatusFace> OpenStatusFace(const FaceOptions& options, Console& console) {
  const char* choice = std::getenv("KINET_STATUS");
  bool want_window = options.report_switch && DisplayExists();
  if (choice != nullptr && std::strcmp(choice, "window") == 0) want_window = true;
  if (choice != nullptr && std::strcmp(choice, "terminal") == 0) want_window = false;
  if (want_window) {
    if (std::unique_ptr<WindowFace> window =
            WindowFace::Create(options, console, OpenSdlDialogs())) {
      return window;
    }
  }
  return OpenTerminalFace(options, console);
}

}  // namespace kinet::platform
