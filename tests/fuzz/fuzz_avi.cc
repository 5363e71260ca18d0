// links: kinet_platform_avi
// Arbitrary bytes as an AVI file: every frame (at most 32) forward, the first again, and the
// audio bytes.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/avi/avi_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int fd = memfd_create("avi", 0);
  if (fd < 0) return 0;
  if (write(fd, data, size) == static_cast<ssize_t>(size)) {
    kinet::platform::InputFile file;
    file.Borrow(fd);
    if (auto reader = kinet::platform::AviReader::Open(std::move(file))) {
      kinet::platform::Image frame;
      for (uint32_t i = 0; i < reader->frame_count() && i < 32; ++i) reader->ReadFrame(i, frame);
      reader->ReadFrame(0, frame);
      std::vector<uint8_t> sound(4096);
      reader->ReadAudio(reader->audio_bytes() / 3, sound.data(), sound.size());
    }
  }
  close(fd);
  return 0;
}
