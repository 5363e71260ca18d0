// Writes a bit stream least significant bit first into a growing byte buffer; read back by
// kinet::BitReader (lib/core/bit_reader.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kinet::encoder {

class BitWriter {
 public:
  // Appends the low n bits of `bits` (n <= 32), bit 0 first.
  void Write(uint32_t bits, int n) {
    if (n == 0) return;
    pending_ |= static_cast<uint64_t>(bits & (n == 32 ? ~0u : (1u << n) - 1)) << count_;
    count_ += n;
    while (count_ >= 8) {
      bytes_.push_back(static_cast<uint8_t>(pending_));
      pending_ >>= 8;
      count_ -= 8;
    }
  }
  void WriteBit(bool bit) { Write(bit ? 1 : 0, 1); }
  // Appends `copies` more copies of the bits written since bit position `from`: a run of
  // equal codes is written once and then copied byte by byte.
  void Repeat(uint64_t from, uint64_t copies);

  // Pads the last partial byte with zero bits.
  void Flush() {
    if (count_ > 0) Write(0, 8 - count_);
  }
  // Flushes, then appends zero bytes until the size is a multiple of `multiple`.
  void PadTo(size_t multiple) {
    Flush();
    while (bytes_.size() % multiple) bytes_.push_back(0);
  }

  uint64_t BitPosition() const { return uint64_t{bytes_.size()} * 8 + count_; }
  // The whole bytes written so far (a partial byte appears after Flush).
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  // Hands the whole bytes over and starts empty; the caller flushes first.
  std::vector<uint8_t> Take() {
    std::vector<uint8_t> out;
    out.swap(bytes_);
    return out;
  }

 private:
  // The `n` (<= 32) bits from bit position `at`, which lie below BitPosition().
  uint32_t BitsAt(uint64_t at, int n) const;

  std::vector<uint8_t> bytes_;
  uint64_t pending_ = 0;
  int count_ = 0;
};

}  // namespace kinet::encoder
