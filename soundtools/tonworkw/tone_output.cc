#include "soundtools/tonworkw/tone_output.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "lib/core/format.h"

namespace kinet::tone {

namespace {

// Both lengths of the header are 32-bit; the RIFF length counts all but its first 8 bytes.
constexpr uint64_t kLargestWavFile = uint64_t{UINT32_MAX} + 8;

}  // namespace

bool IsWavName(const std::string& name) {
  constexpr std::string_view kWav = ".wav";
  if (name.size() < kWav.size()) return false;
  return std::equal(kWav.begin(), kWav.end(), name.end() - kWav.size(), [](char w, char c) {
    return w == std::tolower(static_cast<unsigned char>(c));
  });
}

std::array<uint8_t, kWavHeaderSize> WavHeaderBytes(const toolkit::SoundFormat& f,
                                                   uint32_t data_length) {
  std::array<uint8_t, kWavHeaderSize> h{};
  std::memcpy(h.data(), "RIFF", 4);
  StoreLe32(h.data() + 4, data_length + uint32_t{kWavHeaderSize} - 8);
  std::memcpy(h.data() + 8, "WAVEfmt ", 8);
  StoreLe32(h.data() + 16, 16);
  StoreLe16(h.data() + 20, 1);
  StoreLe16(h.data() + 22, static_cast<uint16_t>(f.channels));
  StoreLe32(h.data() + 24, f.rate);
  StoreLe32(h.data() + 28, f.rate * f.frame_bytes());
  StoreLe16(h.data() + 32, static_cast<uint16_t>(f.frame_bytes()));
  StoreLe16(h.data() + 34, static_cast<uint16_t>(f.bits));
  std::memcpy(h.data() + 36, "data", 4);
  StoreLe32(h.data() + 40, data_length);
  return h;
}

bool ToneOutput::Create(platform::FileSystem& files, const std::string& path,
                        const toolkit::SoundFormat& format) {
  format_ = format;
  wav_ = IsWavName(path);
  length_ = 0;
  if (!out_.Create(files, path)) return false;
  if (!wav_) return true;
  const auto header = WavHeaderBytes(format_, 0);
  length_ = kWavHeaderSize;
  return out_.Write(header.data(), header.size());
}

bool ToneOutput::Write(const uint8_t* data, size_t size) {
  if (wav_ && length_ + size > kLargestWavFile) return false;
  if (!out_.Write(data, size)) return false;
  length_ += size;
  return true;
}

bool ToneOutput::Finish() {
  if (wav_) {
    const auto header = WavHeaderBytes(format_, static_cast<uint32_t>(length_ - kWavHeaderSize));
    if (!out_.Seek(0) || !out_.Write(header.data(), header.size())) return false;
  }
  return out_.Commit();
}

}  // namespace kinet::tone
