// links: kinet_toolkit_graphics
// Arbitrary bytes as a flic file, read through a descriptor: every frame the header promises
// (at most 64) and one more, which starts over at the first.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

#include "toolkit/graphics/flic_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int fd = memfd_create("flic", 0);
  if (fd < 0) return 0;
  if (write(fd, data, size) == static_cast<ssize_t>(size)) {
    kinet::platform::InputFile file;
    file.Borrow(fd);
    if (auto reader = kinet::toolkit::FlicReader::Open(std::move(file))) {
      kinet::platform::Image frame;
      for (uint32_t i = 0; i <= reader->frame_count() && i < 64; ++i) {
        if (reader->Read(frame) == 0) break;
      }
    }
  }
  close(fd);
  return 0;
}
