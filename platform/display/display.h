// Showing an 8-bit picture through a 256-entry colour table in a window or full screen.
// The playback library's display buffer layer talks only to this interface.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace kinet::platform {

enum class DisplayKind {
  kSoftware,     // a software surface blitted to the window
  kAccelerated,  // a streaming texture drawn by the renderer
  kFullScreen,   // the renderer on a full-screen window of the picture's size
};

struct DisplayRect {
  int x = 0, y = 0, w = 0, h = 0;
};

class Display {
 public:
  virtual ~Display() = default;

  // Colours of the 256 entries as 0x00RRGGBB.
  virtual void SetColours(const uint32_t colours[256]) = 0;
  // Copies `source` of the picture (`pitch` bytes a row) through the colours to the window at
  // (dest_x, dest_y) of the picture's coordinates, scaled by shown size / picture size.
  virtual void Show(const uint8_t* picture, int pitch, const DisplayRect& source, int dest_x,
                    int dest_y) = 0;
  virtual bool HasFocus() const = 0;
  // The window, as the caller passed it or as the display made it.
  virtual void* window() const = 0;
  // What the window shows now (0x00RRGGBB, row by row), for tests and screenshots. False when
  // it cannot be read.
  virtual bool ReadShown(std::vector<uint32_t>& pixels, int& width, int& height) = 0;
};

// Opens a display on `window` (an SDL window; null makes a window of the shown size titled
// `title`). Null when the kind cannot be had (no video device, no renderer, no full screen).
std::unique_ptr<Display> OpenDisplay(void* window, DisplayKind kind, int width, int height,
                                     int shown_width, int shown_height, const char* title);

}  // namespace kinet::platform

namespace kinet::platform {

// Where the keys of a display window ask playback to go.
enum class DisplaySeek : uint8_t {
  kNone,
  kSeconds,  // `seconds` back (negative) or on from the frame shown
  kFirst,    // Home
  kLast,     // End
};

// What the user did in a display window since the last look. Of several seek keys the last
// one counts.
struct DisplayInput {
  bool quit = false;   // Escape, or the window was closed
  bool pause = false;  // Space
  bool skip = false;   // Enter: on to the next loop
  bool step = false;   // '.': the next frame, while paused
  DisplaySeek seek = DisplaySeek::kNone;
  int seconds = 0;  // Left -1, Right 1, Page Up -10, Page Down 10
};
// Takes the pending window events; never waits.
DisplayInput PollDisplayInput();

// The keys PollDisplayInput knows, for tests that press them.
enum class DisplayKey : uint8_t {
  kEscape, kSpace, kEnter, kPeriod, kLeft, kRight, kPageUp, kPageDown, kHome, kEnd };
// Queues a press of `key` as if the user had made it; false without a display.
bool PostDisplayKey(DisplayKey key);

}  // namespace kinet::platform

namespace kinet::platform {

// Places a window at x, y (-1: centred) and gives it a frame: style 0 caption and thick
// border, 1 caption and thin border, 2 to 4 no caption (the system draws no borders then).
void ArrangeWindow(void* window, int x, int y, int style);

}  // namespace kinet::platform
