// The sound source's messages on a tool's status frame.
#pragma once

#include "toolkit/sound/sound_source.h"

namespace kinet::toolkit {

class StatusFrame;

// Progress texts go to the status line; an error text is shown with the error icon and sets
// the run's error flag. The frame must outlive the callback.
SoundCallback FrameSoundCallback(StatusFrame& frame);

}  // namespace kinet::toolkit
