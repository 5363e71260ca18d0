// A script run in the player window (SDL's dummy driver) and the events a test gives it as if
// the user made them.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/display/window.h"
#include "scriptplayer/window/window_host.h"
#include "tests/scriptplayer/script_runner.h"

namespace kinet::script::testing {

struct WindowRun {
  ScriptRunner r;
  WindowHost host{r.platform()};
  WindowRun() { r.UseHost(&host); }

  RunOutcome Run(const std::string& text) { return r.Run(text); }
  Screen& screen() { return *host.screen(); }
  uint8_t Index(int x, int y) { return screen().View().At(x, y); }
  uint32_t Colour(int index) {
    const uint8_t* e = screen().buffer()->ColourTable[index];
    return uint32_t{e[2]} << 16 | uint32_t{e[1]} << 8 | e[0];
  }
  // True when every pixel of the window shows the colour of its image index.
  bool WindowShowsImage() {
    std::vector<uint32_t> pixels;
    int w = 0, h = 0;
    if (!platform::ReadWindow(screen().window(), pixels, w, h)) return false;
    PixelView view = screen().View();
    if (w != view.width || h != view.height) return false;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (pixels[size_t(y) * w + x] != Colour(view.At(x, y))) return false;
    return true;
  }
  std::set<uint8_t> IndicesIn(int x0, int y0, int w, int h) {
    std::set<uint8_t> seen;
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x) seen.insert(Index(x, y));
    return seen;
  }
};

inline constexpr char kOpen[] = "SCREENSETTINGS 0\nSCREENGRAPHICS OK 64 48\n";

inline void PostClick(Screen& screen, int button, int x, int y) {
  platform::WindowEvent click;
  click.kind = platform::WindowEvent::Kind::kButtonUp;
  click.window = platform::WindowNumber(screen.window());
  click.button = button;
  click.x = x;
  click.y = y;
  ASSERT_TRUE(platform::PostWindowEvent(click));
}

inline void PostKeys(Screen& screen, const std::vector<platform::WindowEvent>& events) {
  for (platform::WindowEvent e : events) {
    e.window = platform::WindowNumber(screen.window());
    ASSERT_TRUE(platform::PostWindowEvent(e));
  }
}
inline platform::WindowEvent Typed(const char* text) {
  platform::WindowEvent e;
  e.kind = platform::WindowEvent::Kind::kText;
  e.text = text;
  return e;
}
inline platform::WindowEvent Key(platform::WindowKey key, bool shift = false, bool control = false,
                                 bool alt = false) {
  platform::WindowEvent e;
  e.kind = platform::WindowEvent::Kind::kKeyDown;
  e.key = key;
  e.shift = shift;
  e.control = control;
  e.alt = alt;
  return e;
}
inline platform::WindowEvent Moved(int x, int y) {
  platform::WindowEvent e;
  e.kind = platform::WindowEvent::Kind::kPointer;
  e.x = x;
  e.y = y;
  return e;
}

}  // namespace kinet::script::testing
