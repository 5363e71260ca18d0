// Windows that a program fills itself through a Display (OpenDisplay with the window), their
// frame, place and title, and the events the user makes in them. Events are described in the
// program's own terms (keys by role, typed text, releases of buttons), never by SDL's codes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kinet::platform {

struct WindowFrame {
  bool caption = true;  // a title bar
  bool border = true;   // a frame around the client area
};

// A window with a client area of width x height, centred and shown; null without a display.
void* OpenWindow(const char* title, int width, int height, const WindowFrame& frame);
void CloseWindow(void* window);
void SetWindowTitle(void* window, const char* title);
void SetWindowFrame(void* window, const WindowFrame& frame);
void SetClientSize(void* window, int width, int height);
// Places the client area's top-left corner at x, y of the screen; -1 centres on that axis.
void PlaceWindow(void* window, int x, int y);
void WindowPlace(void* window, int& x, int& y);
void ClientSize(void* window, int& width, int& height);
// Shows or hides the system's mouse pointer over the program's windows (programs that draw a
// pointer of their own hide it); SystemPointerShown tells which holds.
void ShowSystemPointer(bool shown);
bool SystemPointerShown();
// Moves the system's mouse pointer to x, y of the window's client area.
void MoveSystemPointer(void* window, int x, int y);
// A number naming the window among the program's windows (never 0 for a window).
uint32_t WindowNumber(void* window);
// What the window shows now, as 0x00RRGGBB row by row. False when it cannot be read.
bool ReadWindow(void* window, std::vector<uint32_t>& pixels, int& width, int& height);

// Keys that do not type a character.
enum class WindowKey : uint8_t {
  kNone,
  kEnter,
  kEscape,
  kBackspace,
  kTab,
  kPageUp,
  kPageDown,
  kEnd,
  kHome,
  kLeft,
  kUp,
  kRight,
  kDown,
  kInsert,
  kDelete,
  kF1,
  kF2,
  kF3,
  kF4,
  kF5,
  kF6,
  kF7,
  kF8,
  kF9,
  kF10,
};

struct WindowEvent {
  enum class Kind : uint8_t {
    kKeyDown,   // `key` with its modifiers
    kText,      // `text` was typed (UTF-8)
    kButtonUp,  // mouse `button` (1 left, 3 right) released at x, y
    kPointer,   // the pointer moved to x, y of the client area
    kClose,     // the user asked to close the window
    kExposed,   // the window must be drawn again
    kFocus,     // the window got the keyboard focus
    kFocusLost,
    kMinimized,
    kRestored,
    kMoved,  // the window moved; x, y is its new place
  };
  Kind kind = Kind::kExposed;
  uint32_t window = 0;  // WindowNumber of the window concerned
  WindowKey key = WindowKey::kNone;
  bool shift = false, control = false, alt = false;
  std::string text;
  int x = 0, y = 0;
  int button = 0;
};

// Takes the next pending event of any window; false when none is pending (never waits).
bool PollWindowEvent(WindowEvent& event);
// Queues an event as if the user had made it (tests drive windows this way).
bool PostWindowEvent(const WindowEvent& event);

}  // namespace kinet::platform
