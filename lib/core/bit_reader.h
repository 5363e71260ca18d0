// Reads a bit stream least significant bit first: the first bit is bit 0 of byte 0.
// Written by kinet::BitWriter (compressor/bit_writer.h).
//
// Reading never touches memory outside [data, data + size): past the end the reader delivers
// zero bits and Overrun() turns true, so a record parser can check once at its end.
//
// The buffer is refilled eight bytes at a time while that many remain, without a branch on the
// count, which keeps the refill off the per-symbol path; the bits delivered are the same as
// with any smaller refill.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kinet {

class BitReader {
  static_assert(std::endian::native == std::endian::little);

 public:
  BitReader() = default;
  BitReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  // The next n bits (n <= 16) without consuming them, first bit in bit 0.
  uint32_t Peek(int n) {
    if (count_ < 16) Refill();
    return static_cast<uint32_t>(buffer_) & ((1u << n) - 1);
  }
  // At least 56 bits buffered afterwards, so that a few values of up to 16 bits each can be
  // taken with Buffered() and Skip() and no test of the count between them.
  void Fill() { Refill(); }
  // The buffered bits as they are, next bit in bit 0; bits beyond the count are the stream's
  // next bits or zero.
  uint32_t Buffered() const { return static_cast<uint32_t>(buffer_); }
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
  void Refill() {
    if (loaded_ + 8 <= size_) {
      uint64_t word;
      std::memcpy(&word, data_ + loaded_, 8);
      buffer_ |= word << count_;
      loaded_ += static_cast<size_t>(63 - count_) >> 3;
      count_ |= 56;
      return;
    }
    // Near the end: byte by byte, zeros past it. The position keeps counting so that
    // Overrun() can tell.
    while (count_ <= 56) {
      const uint64_t byte = loaded_ < size_ ? data_[loaded_] : 0;
      buffer_ |= byte << count_;
      ++loaded_;
      count_ += 8;
    }
  }

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t loaded_ = 0;    // bytes loaded into the buffer, including zero bytes past the end
  uint64_t buffer_ = 0;  // unconsumed bits, next bit in bit 0
  int count_ = 0;        // unconsumed bits in buffer_
};

}  // namespace kinet
