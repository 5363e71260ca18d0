// The window's events: painting, focus, the key codes and the mouse-button releases.
#include <optional>

#include "platform/display/window.h"
#include "platform/font/bitmap_font.h"
#include "scriptplayer/window/screen.h"

namespace kinet::script {
namespace {

using platform::WindowEvent;
using platform::WindowKey;

// The code of a key without a character; nothing for keys that give none.
std::optional<uint8_t> CodeOf(const WindowEvent& e) {
  switch (e.key) {
    case WindowKey::kEnter:
      return 13;
    case WindowKey::kEscape:
      return 27;
    case WindowKey::kBackspace:
      return 8;
    case WindowKey::kTab:
      return e.shift ? key::kBackTab : 9;
    case WindowKey::kInsert:
      return key::kInsert;
    case WindowKey::kDelete:
      return key::kDelete;
    default:
      break;
  }
  if (e.key >= WindowKey::kPageUp && e.key <= WindowKey::kDown)
    return uint8_t(key::kPageUp + (int(e.key) - int(WindowKey::kPageUp)));
  if (e.key >= WindowKey::kF1 && e.key <= WindowKey::kF10) {
    const int n = int(e.key) - int(WindowKey::kF1);
    if (e.alt) return uint8_t(key::kAltF1 + n);
    if (e.shift) return uint8_t(key::kShiftF1 + n);
    if (e.control) return uint8_t(key::kControlF1 + n);
    return uint8_t(key::kF1 + n);
  }
  return std::nullopt;
}

}  // namespace

void Screen::Pump() {
  WindowEvent e;
  const uint32_t mine = platform::WindowNumber(window_);
  while (platform::PollWindowEvent(e)) {
    if (!window_ || e.window != mine) continue;
    switch (e.kind) {
      case WindowEvent::Kind::kClose:
        keys.Push(key::kCloseRequest);
        break;
      case WindowEvent::Kind::kExposed:
        ShowAll();
        break;
      case WindowEvent::Kind::kFocus:
        focused = true;
        break;
      case WindowEvent::Kind::kFocusLost:
        focused = false;
        break;
      case WindowEvent::Kind::kMinimized:
        minimized = true;
        break;
      case WindowEvent::Kind::kRestored:
        minimized = false;
        break;
      case WindowEvent::Kind::kMoved: {
        // The client area's left edge stays on a multiple of 4 pixels.
        const int snapped = (e.x + 1) & ~3;
        if (snapped != e.x) platform::PlaceWindow(window_, snapped, e.y);
        break;
      }
      case WindowEvent::Kind::kKeyDown:
        if (auto code = CodeOf(e)) keys.Push(*code);
        break;
      case WindowEvent::Kind::kText:
        for (char c : platform::FontCodesFromUtf8(e.text)) {
          if (static_cast<unsigned char>(c) >= 32) keys.Push(static_cast<uint8_t>(c));
        }
        break;
      case WindowEvent::Kind::kButtonUp:
        pointer_x = e.x;
        pointer_y = e.y;
        if (e.button == 1) ++left_releases;
        if (e.button == 3) ++right_releases;
        break;
      case WindowEvent::Kind::kPointer:
        pointer_x = e.x;
        pointer_y = e.y;
        break;
    }
  }
}

void Screen::WriteText(std::string_view text) {
  if (!buffer_) return;
  if (text == "\n") {
    if (text_y + 2 * int64_t(font.height) <= client_height_) {
      text_y += font.height;
      text_x = origin_x;
    }
    return;
  }
  if (text == "\b") {
    text_x = std::max<int64_t>(text_x - font.width, 0);
    Show(FillBox(View(), text_x, text_y, font.width, font.height, colours.back));
    return;
  }
  const int64_t room = font.width > 0 ? (client_width_ - text_x) / font.width : 0;
  const size_t fits = size_t(std::clamp<int64_t>(room, 0, int64_t(text.size())));
  Show(DrawText(View(), font, colours, text_x, text_y, text.substr(0, fits)));
  text_x += int64_t(fits) * font.width;
}

}  // namespace kinet::script
