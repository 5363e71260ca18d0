// links: kinet
// Arbitrary bytes as a video file, opened through a descriptor (preloaded or read through the
// ring, as the first byte chooses) and played twice around with change rectangles.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "kinet/kinet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int fd = memfd_create("knt", 0);
  if (fd < 0) return 0;
  if (write(fd, data + 1, size - 1) == static_cast<ssize_t>(size - 1) && lseek(fd, 0, SEEK_SET) == 0) {
    const uint32_t flags = KINET_OPEN_DESCRIPTOR | ((data[0] & 1) ? KINET_OPEN_PRELOAD : 0) |
                           (static_cast<uint32_t>(data[0] & 6) << 19);  // the Y modes
    KinetHandle* h = KinetOpen(reinterpret_cast<void*>(intptr_t{fd}), flags, (data[0] & 8) ? 0 : -1);
    if (h) {
      std::vector<uint8_t> buffer(size_t{h->Width} * h->Height + 1);
      KinetToBuffer(h, 0, 0, static_cast<int32_t>(h->Width), static_cast<int32_t>(h->Height),
                    buffer.data(), data[0] & 16);
      for (uint32_t f = 0; f < 2 * (h->Frames + 1) && f < 64; ++f) {
        KinetDoFrame(h);
        while (KinetToBufferRect(h, data[0] >> 6)) {
        }
        KinetNextFrame(h);
      }
      KinetClose(h);
    }
  }
  close(fd);
  return 0;
}
