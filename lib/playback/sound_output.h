// What all handles share for sound: the one installed driver, the count of open streams, and
// the work area of byte trees that decodes every track's records.
#pragma once

#include "lib/core/audio_decoder.h"
#include "lib/playback/memory_counter.h"
#include "platform/audio/sound_driver.h"

namespace kinet {

// The installed driver; null until KinetSoundUseWin, KinetSoundUseDirectSound or the first
// track opened installs one.
platform::SoundDriver* InstalledSoundDriver();
// Installs a driver of `kind` unless one is installed. Returns true when it installed it.
bool InstallSoundDriver(platform::SoundDriverKind kind);
// Tests: replaces the driver (the caller keeps ownership; null uninstalls). No stream may be
// open on the old one.
void SetSoundDriverForTesting(platform::SoundDriver* driver);

// Streams open over all handles.
int OpenStreamCount();
void StreamOpened();
// When the last stream closes, the work area is released.
void StreamClosed();

// The shared work area, allocated on first need and counted in `memory` then.
AudioTrees& SoundWorkArea(MemoryCounter& memory);
// The work area when it exists, else null.
AudioTrees* ExistingSoundWorkArea();

// Runs the driver's service when any stream is open.
void ServiceSound();

}  // namespace kinet
