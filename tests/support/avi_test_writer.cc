#include "tests/support/avi_test_writer.h"

#include <cstring>

#include "platform/bytes/byte_io.h"

namespace kinet::testing {
namespace {

using platform::PutU16;
using platform::PutU32;
using platform::PutU32At;

void Id(std::vector<uint8_t>& out, const char* id) { out.insert(out.end(), id, id + 4); }

void AddChunk(std::vector<uint8_t>& out, const char* id, const std::vector<uint8_t>& data) {
  Id(out, id);
  PutU32(out, static_cast<uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  if (data.size() & 1) out.push_back(0);
}

// Opens a list; returns where its size goes.
size_t BeginList(std::vector<uint8_t>& out, const char* outer, const char* type) {
  Id(out, outer);
  const size_t at = out.size();
  PutU32(out, 0);
  Id(out, type);
  return at;
}

void EndList(std::vector<uint8_t>& out, size_t at) {
  PutU32At(out, at, static_cast<uint32_t>(out.size() - at - 4));
}

std::vector<uint8_t> StreamHeader(const char* type, uint32_t scale, uint32_t rate, uint32_t length,
                                  uint32_t width, uint32_t height) {
  std::vector<uint8_t> h;
  Id(h, type);
  PutU32(h, 0), PutU32(h, 0), PutU32(h, 0), PutU32(h, 0);
  PutU32(h, scale), PutU32(h, rate), PutU32(h, 0), PutU32(h, length);
  PutU32(h, 0), PutU32(h, 0xFFFFFFFF), PutU32(h, 0);
  PutU16(h, 0), PutU16(h, 0), PutU16(h, width), PutU16(h, height);
  return h;
}

}  // namespace

std::vector<uint8_t> DibRows(const std::vector<uint8_t>& pixels, uint32_t width, uint32_t height,
                             uint32_t bits) {
  const size_t row = size_t{width} * bits / 8, stride = (row + 3) & ~size_t{3};
  std::vector<uint8_t> out(stride * height, 0);
  for (uint32_t y = 0; y < height; ++y) {
    std::memcpy(&out[(height - 1 - y) * stride], &pixels[y * row], row);
  }
  return out;
}

std::vector<uint8_t> MakeAvi(const AviVideo& video, const AviAudio* audio) {
  std::vector<uint8_t> out;
  const size_t riff = BeginList(out, "RIFF", "AVI ");
  const size_t hdrl = BeginList(out, "LIST", "hdrl");
  std::vector<uint8_t> avih(56, 0);
  PutU32At(avih, 24, audio ? 2 : 1);
  AddChunk(out, "avih", avih);
  const size_t vstrl = BeginList(out, "LIST", "strl");
  AddChunk(out, "strh",
           StreamHeader("vids", video.scale, video.rate, static_cast<uint32_t>(video.chunks.size()),
                        video.width, video.height));
  std::vector<uint8_t> bih;
  PutU32(bih, 40), PutU32(bih, video.width), PutU32(bih, video.height), PutU16(bih, 1);
  PutU16(bih, video.bits), PutU32(bih, video.compression), PutU32(bih, 0);
  PutU32(bih, 0), PutU32(bih, 0), PutU32(bih, video.palette.empty() ? 0 : 256), PutU32(bih, 0);
  for (size_t i = 0; i + 2 < video.palette.size(); i += 3) {
    bih.insert(bih.end(), {video.palette[i + 2], video.palette[i + 1], video.palette[i], 0});
  }
  AddChunk(out, "strf", bih);
  EndList(out, vstrl);
  if (audio) {
    const size_t astrl = BeginList(out, "LIST", "strl");
    const uint32_t block = audio->channels * audio->bits / 8;
    AddChunk(out, "strh", StreamHeader("auds", block, audio->sample_rate * block, 0, 0, 0));
    std::vector<uint8_t> wave;
    PutU16(wave, 1), PutU16(wave, audio->channels), PutU32(wave, audio->sample_rate);
    PutU32(wave, audio->sample_rate * block), PutU16(wave, block), PutU16(wave, audio->bits);
    AddChunk(out, "strf", wave);
    EndList(out, astrl);
  }
  EndList(out, hdrl);
  AddChunk(out, "JUNK", std::vector<uint8_t>(7, 0));
  const size_t movi = BeginList(out, "LIST", "movi");
  const size_t frames = video.chunks.size();
  size_t audio_at = 0;
  for (size_t i = 0; i < frames; ++i) {
    const auto& c = video.chunks[i];
    if (c.size() >= 2 && c[0] == 'P' && c[1] == 'C') {
      AddChunk(out, "00pc", std::vector<uint8_t>(c.begin() + 2, c.end()));
    } else {
      AddChunk(out, video.compression ? "00dc" : "00db", c);
    }
    if (audio) {
      const size_t n = (audio->bytes.size() - audio_at) / (frames - i);
      AddChunk(out, "01wb",
               std::vector<uint8_t>(audio->bytes.begin() + audio_at,
                                    audio->bytes.begin() + audio_at + n));
      audio_at += n;
    }
  }
  EndList(out, movi);
  AddChunk(out, "idx1", std::vector<uint8_t>(16, 0));  // readers must not need it
  EndList(out, riff);
  return out;
}

}  // namespace kinet::testing
