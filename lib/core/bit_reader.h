// Reads a bit stream least significant bit first: the first bit is bit 0 of byte 0.
// Written by kinet::BitWriter (compressor/bit_writer.h).
//
// Reading never touches memory outside [data, data + size): past the end the reader delivers
// zero bits and Overrun() turns true, so a record parser can check once at its end.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kinet {

// RefillBits is how much the reader loads at a time: 16 for video data (at most 32 bits
// buffered), 32 for tree data and sound records.
template <int RefillBits>
class BasicBitReader {
  static_assert(RefillBits == 16 || RefillBits == 32);

 public:
  BasicBitReader() = default;
  BasicBitReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  // The next n bits (n <= 16) without consuming them, first bit in bit 0.
  uint32_t Peek(int n) {
    Fill();
    return static_cast<uint32_t>(buffer_) & ((1u << n) - 1);
  }
  // Consumes n bits; only after a Peek of at least n bits.
  void Skip(int n) {
    buffer_ >>= n;
    count_ -= n;
  }
  uint32_t Read(int n) {
    uint32_t v = Peek(n);
    Skip(n);
    return v;
  }
  uint32_t ReadBit() { return Read(1); }

  // Bits consumed so far, counting the zeros delivered past the end.
  uint64_t BitPosition() const { return uint64_t{loaded_} * 8 - count_; }
  // True once a bit beyond the end of the range was consumed.
  bool Overrun() const { return BitPosition() > uint64_t{size_} * 8; }

 private:
  static constexpr int kRefillBytes = RefillBits / 8;
  static constexpr int kMaxBuffered = 2 * RefillBits;

  void Fill() {
    while (count_ <= kMaxBuffered - RefillBits) Load();
  }
  void Load() {
    uint64_t word = 0;
    if (loaded_ + kRefillBytes <= size_) {
      for (int i = 0; i < kRefillBytes; ++i) word |= uint64_t{data_[loaded_ + i]} << (8 * i);
    } else {
      for (int i = 0; i < kRefillBytes && loaded_ + i < size_; ++i)
        word |= uint64_t{data_[loaded_ + i]} << (8 * i);
    }
    // Past the end the position keeps counting so that Overrun() can tell; it saturates long
    // before it could wrap because callers stop at the first overrun they check.
    loaded_ += kRefillBytes;
    buffer_ |= word << count_;
    count_ += RefillBits;
  }

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t loaded_ = 0;    // bytes loaded into the buffer, including zero bytes past the end
  uint64_t buffer_ = 0;  // unconsumed bits, next bit in bit 0
  int count_ = 0;        // unconsumed bits in buffer_
};

using VideoBitReader = BasicBitReader<16>;
using StreamBitReader = BasicBitReader<32>;

}  // namespace kinet
