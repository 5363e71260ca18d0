#include "toolkit/graphics/graphics_callbacks.h"

#include "toolkit/status_frame.h"

namespace kinet::toolkit {

GraphicsCallbacks FrameCallbacks(StatusFrame& frame) {
  GraphicsCallbacks callbacks;
  callbacks.report = [&frame](ProgressCode code, std::string_view text) {
    switch (code) {
      case ProgressCode::kProgress:
        frame.SetStatus(text);
        break;
      case ProgressCode::kError:
        frame.ShowError(text);
        frame.SetError();
        break;
      case ProgressCode::kDeclined:
        frame.SetError();
        break;
    }
    return frame.error();
  };
  // The writer asks only about outputs it found.
  callbacks.may_overwrite = [&frame](const std::string& path) {
    return frame.ConfirmOverwrite(path);
  };
  return callbacks;
}

}  // namespace kinet::toolkit
