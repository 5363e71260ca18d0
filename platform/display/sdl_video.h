// SDL's video subsystem, started by the first display or window and stopped with the last.
#pragma once

namespace kinet::platform {

bool AcquireSdlVideo();
void ReleaseSdlVideo();

}  // namespace kinet::platform
