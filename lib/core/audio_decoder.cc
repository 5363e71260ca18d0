#include "lib/core/audio_decoder.h"

#include <algorithm>

#include "lib/core/format.h"

namespace kinet {

namespace {

// Trees in stream order: left low, left high, right low, right high for 16-bit sound; left,
// right for 8-bit sound; mono has only the left ones.
template <bool kSixteen>
constexpr int kRightTree = kSixteen ? 2 : 1;

class RingOut {
 public:
  explicit RingOut(SoundRing& ring) : ring_(ring) {}
  void Put(uint8_t b) {
    ring_.data[ring_.write] = b;
    if (++ring_.write >= ring_.size) ring_.write = 0;
  }
  void Put16(uint16_t v) {
    Put(static_cast<uint8_t>(v));
    Put(static_cast<uint8_t>(v >> 8));
  }

 private:
  SoundRing& ring_;
};

// Whole sample frames that may be written: at most `limit` and the ring's size.
uint32_t WritableFrames(uint32_t wanted, uint32_t limit, const SoundRing& out, uint32_t frame) {
  if (!out.data || out.size == 0 || out.write >= out.size) return 0;
  return std::min({wanted, limit, out.size}) / frame;
}

// Delta decoding of one format. Samples are kept as the coded unsigned values; sums wrap at
// 8 or 16 bits as the format says, never clipping.
template <bool kStereo, bool kSixteen>
uint32_t DecodeDeltas(BitReader& r, const AudioTrees& t, uint32_t frames, SoundRing& out) {
  auto read_start = [&r] {
    if constexpr (kSixteen) {
      const uint32_t high = r.Read(8);
      return static_cast<uint16_t>(high << 8 | r.Read(8));
    } else {
      return static_cast<uint16_t>(r.Read(8));
    }
  };
  uint16_t right = 0;
  if constexpr (kStereo) right = read_start();
  uint16_t left = read_start();
  if (r.Overrun()) return 0;

  RingOut o(out);
  auto put = [&o](uint16_t v) {
    if constexpr (kSixteen)
      o.Put16(v);
    else
      o.Put(static_cast<uint8_t>(v));
  };
  auto decode = [&r, &t](int tree) -> uint16_t {
    const uint16_t entry = t.lookup[tree][r.Peek(8)];
    if (entry == AudioTrees::kDeeper) return t.trees[tree].Decode(r);
    r.Skip(entry >> 8);
    return entry & 0xFF;
  };
  auto delta = [&decode](int low_tree) -> uint16_t {
    const uint16_t low = decode(low_tree);
    if constexpr (kSixteen)
      return static_cast<uint16_t>(low | decode(low_tree + 1) << 8);
    else
      return low;
  };
  constexpr uint16_t kMask = kSixteen ? 0xFFFF : 0xFF;
  put(left);
  if constexpr (kStereo) put(right);
  uint32_t done = 1;
  for (; done < frames; ++done) {
    const uint16_t next_left = static_cast<uint16_t>((left + delta(0)) & kMask);
    uint16_t next_right = 0;
    if constexpr (kStereo)
      next_right = static_cast<uint16_t>((right + delta(kRightTree<kSixteen>)) & kMask);
    // A stream that ended early delivered zero bits: that frame is not sound.
    if (r.Overrun()) break;
    left = next_left;
    put(left);
    if constexpr (kStereo) {
      right = next_right;
      put(right);
    }
  }
  return done;
}

// Every 8-bit pattern in turn: a one-byte reader over any of them has bytes behind it.
constexpr std::array<uint8_t, 256 + 8> kPatterns = [] {
  std::array<uint8_t, 256 + 8> p{};
  for (uint32_t i = 0; i < 256; ++i) p[i] = static_cast<uint8_t>(i);
  return p;
}();

// Fills the lookup table of a tree by decoding every 8-bit pattern: a code that needs more
// bits than the pattern has runs past it.
void BuildLookup(const ByteTree& tree, std::array<uint16_t, 256>& table) {
  for (uint32_t bits = 0; bits < 256; ++bits) {
    BitReader r(&kPatterns[bits], 1);
    const uint8_t value = tree.Decode(r);
    table[bits] =
        r.Overrun() ? AudioTrees::kDeeper : static_cast<uint16_t>(value | r.BitPosition() << 8);
  }
}

}  // namespace

SampleFormat SampleFormat::FromDescriptor(uint32_t audio_rate) {
  return {(audio_rate & KINET_AUDIO_STEREO) != 0, (audio_rate & KINET_AUDIO_16BIT) != 0};
}

uint32_t AnnouncedLength(const uint8_t* record, uint32_t size, bool compressed) {
  if (compressed) return size >= kCompressedHeader ? LoadLe32(record + 4) : 0;
  return size >= kAudioLengthField ? size - kAudioLengthField : 0;
}

uint32_t DecodeAudioStream(const uint8_t* stream, size_t stream_size, uint32_t decoded_length,
                           uint32_t limit, AudioTrees& trees, SoundRing& out) {
  BitReader r(stream, stream_size);
  if (!r.ReadBit()) return 0;
  SampleFormat format;
  format.stereo = r.ReadBit();
  format.sixteen_bit = r.ReadBit();
  for (uint32_t i = 0; i < format.TreeCount(); ++i) {
    r.ReadBit();  // always 1; written so that every tree of the stream is present
    if (!trees.trees[i].Read(r)) return 0;
    BuildLookup(trees.trees[i], trees.lookup[i]);
  }
  const uint32_t frame = format.FrameBytes();
  const uint32_t frames = WritableFrames(decoded_length, limit, out, frame);
  if (frames == 0) return 0;
  uint32_t done;
  if (format.stereo)
    done = format.sixteen_bit ? DecodeDeltas<true, true>(r, trees, frames, out)
                              : DecodeDeltas<true, false>(r, trees, frames, out);
  else
    done = format.sixteen_bit ? DecodeDeltas<false, true>(r, trees, frames, out)
                              : DecodeDeltas<false, false>(r, trees, frames, out);
  return done * frame;
}

uint32_t CopyRawSound(const uint8_t* pcm, uint32_t size, uint32_t limit, SampleFormat format,
                      SoundRing& out) {
  const uint32_t bytes =
      WritableFrames(size, limit, out, format.FrameBytes()) * format.FrameBytes();
  if (bytes == 0) return 0;
  const uint32_t first = std::min(bytes, out.size - out.write);
  std::copy_n(pcm, first, out.data + out.write);
  std::copy_n(pcm + first, bytes - first, out.data);
  out.write = (out.write + bytes) % out.size;
  return bytes;
}

uint32_t PutSilence(uint32_t bytes, SampleFormat format, SoundRing& out) {
  const uint32_t n = WritableFrames(bytes, bytes, out, format.FrameBytes()) * format.FrameBytes();
  RingOut o(out);
  for (uint32_t i = 0; i < n; ++i) o.Put(format.SilenceByte());
  return n;
}

}  // namespace kinet
