// links: kinet_internals kinet_platform_audio
// Arbitrary bytes as a video file whose every track is opened, played through the test sound
// driver on a manual clock: the frames' audio records go into the rings, are taken out by the
// driver, fetched with KinetGetTrackData, and the sound is switched off and on, around the
// file twice. The first byte chooses the reading scheme and how the clock moves.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "kinet/kinet.h"
#include "lib/playback/library_clock.h"
#include "lib/playback/sound_output.h"
#include "platform/audio/test_sound_driver.h"

namespace {

void Play(KinetHandle* h, uint8_t choice, kinet::platform::ManualClock& clock) {
  std::vector<uint8_t> buffer(size_t{h->Width} * h->Height + 1);
  KinetToBuffer(h, 0, 0, static_cast<int32_t>(h->Width), static_cast<int32_t>(h->Height),
                buffer.data(), 0);
  std::vector<uint8_t> track_data;
  for (uint32_t f = 0; f < 2 * (h->Frames + 1) && f < 48; ++f) {
    KinetDoFrame(h);
    for (int i = 0; i < 4 && KinetWait(h); ++i) clock.Advance(1 + (choice >> 4) * 9);
    const uint32_t t = f % KINET_TRACKS;
    // Callers size the destination by the header's largest amount per frame.
    if (h->AudioSize[t] <= (1u << 20)) {
      track_data.assign(h->AudioSize[t], 0);
      KinetGetTrackData(h, track_data.data(), KINET_OPEN_TRACK(t));
    }
    if (f % 5 == 2) KinetSoundOnOff(h, 0);
    if (f % 5 == 3) KinetSoundOnOff(h, 1);
    KinetVolumePan(h, KINET_OPEN_TRACK_MASK, f * 5000, f * 3000);
    KinetNextFrame(h);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  kinet::platform::ManualClock clock;
  kinet::platform::TestSoundDriver driver(clock, 100 + (data[0] & 6) * 100);
  kinet::SetLibraryClock(&clock);
  kinet::SetSoundDriverForTesting(&driver);
  const int fd = memfd_create("knt", 0);
  if (fd >= 0 && write(fd, data + 1, size - 1) == static_cast<ssize_t>(size - 1) &&
      lseek(fd, 0, SEEK_SET) == 0) {
    const uint32_t flags = KINET_OPEN_DESCRIPTOR | KINET_OPEN_TRACK_MASK |
                           ((data[0] & 1) ? KINET_OPEN_PRELOAD : 0) |
                           ((data[0] & 8) ? KINET_OPEN_NO_SKIP : 0);
    if (KinetHandle* h = KinetOpen(reinterpret_cast<void*>(intptr_t{fd}), flags, -1)) {
      Play(h, data[0], clock);
      KinetClose(h);
    }
  }
  if (fd >= 0) close(fd);
  kinet::SetSoundDriverForTesting(nullptr);
  kinet::SetLibraryClock(nullptr);
  return 0;
}
