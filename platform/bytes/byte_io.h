// Little-endian reading with bounds and a sticky failure flag, and the matching appends. Used
// by every reader and writer of a binary format: picture codecs, the AVI reader, flics, raw
// files and WAV headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kinet::platform {

// Reads past the end give zeros and set failed(); callers check the flag once per record.
class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes, size_t position = 0)
      : bytes_(bytes), pos_(position) {
    if (pos_ > bytes_.size()) Fail();
  }

  uint8_t U8() { return Has(1) ? bytes_[pos_++] : 0; }
  uint16_t U16() {
    if (!Has(2)) return 0;
    const uint16_t v = static_cast<uint16_t>(bytes_[pos_] | bytes_[pos_ + 1] << 8);
    pos_ += 2;
    return v;
  }
  uint32_t U32() {
    const uint32_t lo = U16();
    return lo | uint32_t{U16()} << 16;
  }
  int32_t S32() { return static_cast<int32_t>(U32()); }
  // The next `n` bytes, or an empty span (and failed()) when fewer remain.
  std::span<const uint8_t> Take(size_t n) {
    if (!Has(n)) return {};
    auto out = bytes_.subspan(pos_, n);
    pos_ += n;
    return out;
  }
  void Skip(size_t n) {
    if (Has(n)) pos_ += n;
  }
  void Seek(size_t position) {
    if (position > bytes_.size())
      Fail();
    else
      pos_ = position;
  }

  size_t position() const { return pos_; }
  size_t remaining() const { return bytes_.size() - pos_; }
  bool failed() const { return failed_; }
  void Fail() {
    failed_ = true;
    pos_ = bytes_.size();
  }

 private:
  bool Has(size_t n) {
    if (n <= bytes_.size() - pos_) return true;
    Fail();
    return false;
  }

  std::span<const uint8_t> bytes_;
  size_t pos_;
  bool failed_ = false;
};

inline void PutU8(std::vector<uint8_t>& out, uint32_t v) { out.push_back(static_cast<uint8_t>(v)); }
inline void PutU16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}
inline void PutU16At(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = static_cast<uint8_t>(v);
  out[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void PutU32At(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  PutU16At(out, at, v & 0xFFFF);
  PutU16At(out, at + 2, v >> 16);
}

}  // namespace kinet::platform
