// How the graphics readers and writers talk to the tool that runs them: progress texts that
// the user may cancel, error texts, and the overwrite question.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kinet::toolkit {

class StatusFrame;

enum class ProgressCode : int {
  kProgress = 0,  // a progress text; the callback returns true to cancel
  kError = 2,     // an error text for the user
  kDeclined = 3,  // the user declined to overwrite an output (no text)
};

// Returns true to cancel; only meaningful for kProgress.
using ProgressCallback = std::function<bool(ProgressCode code, std::string_view text)>;
// Whether an output may be written at `path` (asked only when something exists there).
using OverwriteQuestion = std::function<bool(const std::string& path)>;

struct GraphicsCallbacks {
  ProgressCallback report;          // may be empty: nothing is shown, nothing cancels
  OverwriteQuestion may_overwrite;  // may be empty: existing outputs are never replaced

  bool Progress(std::string_view text) const {
    return report && report(ProgressCode::kProgress, text);
  }
  void Error(std::string_view text) const {
    if (report) report(ProgressCode::kError, text);
  }
};

// Callbacks on a tool's status frame: progress texts go to the status line and cancel once
// the run's error flag is set (the user confirmed a cancel); errors are shown with the error
// icon and set the flag; a declined overwrite sets the flag; the overwrite question is the
// frame's own. The frame must outlive the callbacks.
GraphicsCallbacks FrameCallbacks(StatusFrame& frame);

}  // namespace kinet::toolkit
