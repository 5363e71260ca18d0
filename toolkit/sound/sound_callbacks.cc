#include "toolkit/sound/sound_callbacks.h"

#include "toolkit/status_frame.h"

namespace kinet::toolkit {

SoundCallback FrameSoundCallback(StatusFrame& frame) {
  return [&frame](SoundMessage kind, std::string_view text) {
    if (kind != SoundMessage::kError) {
      frame.SetStatus(text);
      return;
    }
    frame.ShowError(text);
    frame.SetError();
  };
}

}  // namespace kinet::toolkit
