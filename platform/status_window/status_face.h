// The face of a tool's status frame: where its status text, messages and questions appear and
// where the user's cancel requests come from. Two faces share this interface: a small window
// and the terminal. The frame's logic (cancel question, Done button, completion report) lives
// with the tool frame; a face only shows and listens.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace kinet::platform {

class Console;

enum class MessageIcon { kError, kInformation, kNone };

// What the user did since the last look. Counts, because several requests may pile up
// between two pumps.
struct FaceEvents {
  int button_presses = 0;    // the Cancel / Done button
  int close_requests = 0;    // the window's close box, Ctrl-C on a terminal
  int shutdown_queries = 0;  // the session is ending (SIGTERM, SDL quit)
  bool confirmed = false;    // a request that nobody can be asked about: cancel at once
  bool restored = false;     // the window came back from its minimised state
  int Requests() const { return button_presses + close_requests + shutdown_queries; }
};

class StatusFace {
 public:
  virtual ~StatusFace() = default;

  // Shows the face if it is hidden (not if minimised) and displays `text` as the status line.
  virtual void SetStatus(std::string_view text) = 0;
  // Shows a message box titled `title`; returns when the user has dismissed it.
  virtual void ShowMessage(MessageIcon icon, std::string_view title, std::string_view text) = 0;
  // Asks a yes/no question titled `title`. `default_no` makes "No" the default answer (and the
  // answer when nobody can be asked). Returns true for yes.
  virtual bool AskYesNo(std::string_view title, std::string_view question, bool default_no) = 0;
  // Collects what happened without waiting.
  virtual FaceEvents Pump() = 0;
  // Waits up to `timeout_ms` for something to happen, then collects it.
  virtual FaceEvents Wait(int timeout_ms) = 0;
  // Shows how far the run is: `percent` 0-100 as a bar, `text` beside it. Faces without room
  // for a bar show nothing more (the status text carries the counts).
  virtual void SetProgress(int percent, std::string_view text) {}
  // Turns the button into "&Done".
  virtual void SetButtonDone() = 0;
  // True while the face is shown and could wait for the user's "Done" (a visible window;
  // the terminal never waits).
  virtual bool CanWaitForDone() const = 0;
  // Removes the window; the face then shows nothing more but still asks and tells on the
  // terminal. Idempotent.
  virtual void Close() = 0;
};

struct FaceOptions {
  std::string caption;         // the tool's short word, the title of every message
  std::string banner;          // the second line: program, purpose, version
  bool report_switch = false;  // started with "/#<n>" by a program that wants a report
};

// Chooses the face in one place: KINET_STATUS=window or =terminal decides when set; otherwise
// the window when `report_switch` is set and a real display is there, else the terminal. When
// the window cannot be made the terminal face is used. `console` is the terminal of the
// process (both faces use it for Ctrl-C and as the fallback for message boxes); it must outlive
// the face. Never returns nullptr.
std::unique_ptr<StatusFace> OpenStatusFace(const FaceOptions& options, Console& console);

// The terminal face alone (tests, and tools that never want a window).
std::unique_ptr<StatusFace> OpenTerminalFace(const FaceOptions& options, Console& console);

}  // namespace kinet::platform
