// links: kinet_core
// Arbitrary bytes as an audio record: the first four bytes choose the output (ring size, write
// position, limit) and the sample format for raw copying; the rest is the record, decoded as a
// compressed record into the ring and copied as a raw one. The ring is a buffer of exactly its
// size, so any write outside it is caught.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "lib/core/audio_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kinet;
  if (size < 4) return 0;
  const uint32_t ring_size = 1 + (data[0] | (data[1] & 0x1F) << 8);  // 1..8192, any alignment
  const uint32_t write = data[2] % ring_size;
  const uint32_t limit = (data[3] & 0x80) ? 0xFFFFFFFFu : uint32_t{data[3]} * 64;
  const SampleFormat raw_format{(data[3] & 1) != 0, (data[3] & 2) != 0};
  const uint8_t* record = data + 4;
  const uint32_t record_size = static_cast<uint32_t>(size - 4);

  std::vector<uint8_t> ring(ring_size);
  AudioTrees trees;
  SoundRing out{ring.data(), ring_size, write};
  const uint32_t length = AnnouncedLength(record, record_size, true);
  if (record_size > kCompressedHeader)
    DecodeAudioStream(record + kCompressedHeader, record_size - kCompressedHeader, length, limit,
                      trees, out);
  // The same trees again, as the shared work area is reused from record to record.
  SoundRing again{ring.data(), ring_size, out.write};
  if (record_size > kCompressedHeader)
    DecodeAudioStream(record + kCompressedHeader, record_size - kCompressedHeader, length,
                      ring_size, trees, again);
  const uint32_t raw = AnnouncedLength(record, record_size, false);
  if (raw) CopyRawSound(record + kAudioLengthField, raw, limit, raw_format, again);
  PutSilence(limit, raw_format, again);
  return 0;
}
