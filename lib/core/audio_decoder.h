// Audio records of a video file: the decoded length a record carries, and decoding a record's
// compressed sound stream (byte trees and per-channel deltas) into a ring or a plain buffer.
// Written by kinet::AudioEncoder (compressor/audio_encoder.h).
//
// Nothing here trusts the record: lengths that lie, streams that end early and decoded
// lengths that are not whole sample frames never make a write leave the output.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "lib/core/byte_tree.h"

namespace kinet {

// Sample layout of a track or stream: 8-bit unsigned or 16-bit signed little-endian samples,
// one channel or two interleaved left first.
struct SampleFormat {
  bool stereo = false;
  bool sixteen_bit = false;

  uint32_t FrameBytes() const { return (stereo ? 2u : 1u) * (sixteen_bit ? 2u : 1u); }
  uint32_t TreeCount() const { return FrameBytes(); }
  // The byte a silent sample is made of.
  uint8_t SilenceByte() const { return sixteen_bit ? 0x00 : 0x80; }
  static SampleFormat FromDescriptor(uint32_t audio_rate);
};

// The byte trees of one sound stream (left low, left high, right low, right high, as many as
// the format uses). Kept between records so their node storage is reused: the work area
// shared by every sound track.
struct AudioTrees {
  // A lookup entry: the value in the low byte and the code's length in the high byte, or
  // kDeeper for codes longer than 8 bits, which are walked bit by bit.
  static constexpr uint16_t kDeeper = 0xFFFF;

  std::array<ByteTree, 4> trees;
  // Per tree, the entry for each value of the next 8 bits of the stream.
  std::array<std::array<uint16_t, 256>, 4> lookup;
};

// Output of a decode: `size` bytes at `data`, written from `write` on and wrapping to the start
// at the end. A plain buffer is a ring that the decode never fills past once.
struct SoundRing {
  uint8_t* data = nullptr;
  uint32_t size = 0;
  uint32_t write = 0;  // advanced by the decode
};

// Audio record layout: a u32 total length counting itself; compressed records then a u32
// decoded length and the bit stream, raw records the PCM bytes.
inline constexpr uint32_t kAudioLengthField = 4;
inline constexpr uint32_t kCompressedHeader = 8;

// The decoded length the record at `record` announces (its offset-4 field for a compressed
// track, its length - 4 for a raw one), limited by what the `size` bytes available can hold
// for raw records. 0 for records too short to say.
uint32_t AnnouncedLength(const uint8_t* record, uint32_t size, bool compressed);

// Decodes the bit stream of a compressed record (`stream`, `stream_size` bytes after the two
// length fields) into `out`: the start values, then one sample frame per delta set until
// `decoded_length` bytes, at most `limit` bytes, or the stream's end. Only whole sample
// frames of the stream's own format are written. Returns the bytes written (0 for a stream
// whose data flag is 0 or whose trees are malformed).
uint32_t DecodeAudioStream(const uint8_t* stream, size_t stream_size, uint32_t decoded_length,
                           uint32_t limit, AudioTrees& trees, SoundRing& out);

// Copies `size` raw PCM bytes into `out`, wrapping at its end; at most `limit` bytes, whole
// sample frames of `format`. Returns the bytes copied.
uint32_t CopyRawSound(const uint8_t* pcm, uint32_t size, uint32_t limit, SampleFormat format,
                      SoundRing& out);

// Puts `bytes` of silence of `format` into `out` (whole sample frames). Returns the count.
uint32_t PutSilence(uint32_t bytes, SampleFormat format, SoundRing& out);

}  // namespace kinet
