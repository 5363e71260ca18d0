#include "tests/support/sound_input_fixtures.h"

#include <gtest/gtest.h>

#include "tests/support/graphics_fixtures.h"

namespace kinet::toolkit::testing {
namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutId(std::vector<uint8_t>& out, const char* id) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(id[i]));
}

}  // namespace

std::vector<uint8_t> WavBytes(const WavContents& wav) {
  std::vector<uint8_t> out;
  PutId(out, "RIFF");
  Put32(out, 0);  // patched below
  PutId(out, "WAVE");
  if (wav.chunk_before_format) {
    PutId(out, "LIST");
    Put32(out, 5);
    out.insert(out.end(), {'I', 'N', 'F', 'O', 'x', 0});  // five bytes and the pad byte
  }
  const SoundFormat& f = wav.format;
  PutId(out, "fmt ");
  Put32(out, 16 + wav.format_extra);
  Put16(out, wav.tag);
  Put16(out, f.channels);
  Put32(out, f.rate);
  Put32(out, f.rate * f.frame_bytes());
  Put16(out, f.frame_bytes());
  Put16(out, f.bits);
  out.insert(out.end(), wav.format_extra + (wav.format_extra & 1), 0xEE);
  if (wav.chunk_before_data) {
    PutId(out, "fact");
    Put32(out, 4);
    Put32(out, static_cast<uint32_t>(wav.pcm.size()));
  }
  PutId(out, "data");
  Put32(out, wav.data_length.value_or(static_cast<uint32_t>(wav.pcm.size())));
  out.insert(out.end(), wav.pcm.begin(), wav.pcm.end());
  const uint32_t riff = static_cast<uint32_t>(out.size() - 8);
  for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<uint8_t>(riff >> (8 * i));
  return out;
}

std::string WriteWav(const std::string& path, const WavContents& wav) {
  WriteBytes(path, WavBytes(wav));
  return path;
}

std::vector<uint8_t> Pcm16(const std::vector<int16_t>& samples) {
  std::vector<uint8_t> out;
  for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
  return out;
}

std::vector<int16_t> Samples16(const std::vector<uint8_t>& bytes) {
  std::vector<int16_t> out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    out.push_back(static_cast<int16_t>(bytes[i] | bytes[i + 1] << 8));
  return out;
}

std::vector<uint8_t> Ramp16Stereo(uint32_t frames, int16_t left, int16_t right, int16_t step) {
  std::vector<int16_t> samples;
  for (uint32_t i = 0; i < frames; ++i) {
    samples.push_back(static_cast<int16_t>(left + step * static_cast<int32_t>(i)));
    samples.push_back(static_cast<int16_t>(right + step * static_cast<int32_t>(i)));
  }
  return Pcm16(samples);
}

std::vector<uint8_t> ReadAll(SoundSource& source, size_t block) {
  std::vector<uint8_t> out, piece(block);
  const uint32_t frame = source.format().frame_bytes();
  for (int guard = 0; guard < 1000000; ++guard) {
    const size_t got = source.Read(piece.data(), block);
    EXPECT_EQ(got % frame, 0u);
    out.insert(out.end(), piece.begin(), piece.begin() + static_cast<ptrdiff_t>(got));
    if (got == 0) {
      EXPECT_TRUE(source.at_end());
      return out;
    }
  }
  ADD_FAILURE() << "the sound never ended";
  return out;
}

SoundCallback MessageLog::Callback() {
  return [this](SoundMessage kind, std::string_view text) {
    messages.emplace_back(kind, std::string(text));
  };
}

std::vector<std::string> MessageLog::Errors() const {
  std::vector<std::string> errors;
  for (const auto& [kind, text] : messages) {
    if (kind == SoundMessage::kError) errors.push_back(text);
  }
  return errors;
}

}  // namespace kinet::toolkit::testing
