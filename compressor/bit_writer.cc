#include "compressor/bit_writer.h"

#include <algorithm>
#include <numeric>

namespace kinet::encoder {

uint32_t BitWriter::BitsAt(uint64_t at, int n) const {
  uint32_t bits = 0;
  for (int i = 0; i < n; ++i, ++at) {
    const uint64_t byte = at / 8;
    const uint64_t from = byte < bytes_.size() ? bytes_[byte] : pending_;
    bits |= static_cast<uint32_t>((from >> (at % 8)) & 1) << i;
  }
  return bits;
}

void BitWriter::Repeat(uint64_t from, uint64_t copies) {
  const uint64_t unit = BitPosition() - from;
  uint64_t left = unit * copies;
  // The repeated bits have a period of `unit` bits, so the bytes they fill repeat every
  // `period` bytes: once that many whole bytes of them are written, each further byte is a
  // copy of the one `period` bytes back. Up to then the bits are copied a few at a time.
  const uint64_t period = unit / std::gcd(unit, uint64_t{8});
  const uint64_t first_whole = (from + 7) / 8;
  while (left > 0 && bytes_.size() < first_whole + period) {
    const int n = static_cast<int>(std::min<uint64_t>({left, unit, 32}));
    Write(BitsAt(BitPosition() - unit, n), n);
    left -= static_cast<uint64_t>(n);
  }
  if (left == 0) return;
  // The pending bits already agree with the byte `period` back: they are its low bits.
  const uint64_t bits = static_cast<uint64_t>(count_) + left;
  const size_t start = bytes_.size(), whole = static_cast<size_t>(bits / 8);
  bytes_.resize(start + whole);
  // Each copy doubles the pattern behind it, so a long run takes few copies.
  const uint8_t* pattern = bytes_.data() + (start - period);
  for (size_t done = 0; done < whole;) {
    const size_t n = std::min<size_t>(whole - done, period + done);
    std::copy_n(pattern, n, bytes_.data() + start + done);
    done += n;
  }
  count_ = static_cast<int>(bits % 8);
  pending_ = bytes_[bytes_.size() - period] & ((1u << count_) - 1);
}

}  // namespace kinet::encoder
