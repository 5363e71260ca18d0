#include "tests/support/encode_fixtures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "kinet/kinet.h"
#include "tests/support/animation_fixtures.h"

namespace kinet::testing {

EncodedClip EncodeClip(const std::string& path, const std::vector<encoder::AnimationFrame>& frames,
                       const encoder::EncoderSettings& settings, bool ring) {
  std::vector<const encoder::AnimationFrame*> records;
  for (const encoder::AnimationFrame& f : frames) records.push_back(&f);
  if (ring) records.push_back(&frames.front());
  auto picture = [&](size_t i) {
    return encoder::FramePicture{records[i]->pixels.data(), records[i]->palette.data(),
                                 records[i]->pixels.size()};
  };

  EncodedClip clip;
  auto encoder = encoder::FrameEncoder::Create(settings);
  for (size_t i = 0; i < records.size(); ++i) {
    const encoder::FramePicture next =
        i + 1 < records.size() ? picture(i + 1) : encoder::FramePicture{};
    encoder->Encode(picture(i), i + 1 < records.size() ? &next : nullptr);
    clip.reconstructions.push_back(encoder->reconstruction());
    clip.codes.push_back(encoder->codes());
    clip.key_frames.push_back(encoder->key_frame());
    clip.auto_keys.push_back(encoder->auto_key());
  }
  const uint32_t w = settings.width, h = settings.height;
  auto frame_codes = [&](size_t i) {
    return encoder::FrameCodes{clip.codes[i].data(), records[i]->pixels.data(), w, w / 4, h / 4};
  };
  encoder::VideoFileWriter writer(platform::SystemFileSystem());
  writer.trees().Start();
  for (size_t i = 0; i < records.size(); ++i) writer.trees().AddFrame(frame_codes(i));
  encoder::VideoFileSettings file{w, h, -6666, ring ? KINET_FLAG_RING_FRAME : 0u,
                                  static_cast<uint32_t>(records.size())};
  clip.status = writer.Begin(path, file);
  for (size_t i = 0; i < records.size() && clip.status == encoder::WriteStatus::kOk; ++i)
    clip.status = writer.WriteFrame(frame_codes(i), records[i]->palette.data(), clip.key_frames[i]);
  if (clip.status == encoder::WriteStatus::kOk) clip.status = writer.Finish();
  return clip;
}

std::string FreshTempPath(const std::string& name) {
  const std::filesystem::path path = TempPath(name);
  std::filesystem::remove_all(path.parent_path());
  std::filesystem::create_directories(path.parent_path());
  return path.string();
}

std::string TempDirectory() { return std::filesystem::path(TempPath("x")).parent_path().string(); }

std::vector<std::vector<uint8_t>> DecodeAll(const std::string& path) {
  std::vector<std::vector<uint8_t>> out;
  KinetHandle* h = KinetOpen(path.c_str(), 0, -1);
  if (!h) return out;
  std::vector<uint8_t> buffer(size_t{h->Width} * h->Height);
  KinetToBuffer(h, 0, 0, static_cast<int32_t>(h->Width), static_cast<int32_t>(h->Height),
                buffer.data(), 0);
  const uint32_t records = h->Frames + ((h->Flags & KINET_FLAG_RING_FRAME) ? 1 : 0);
  for (uint32_t i = 0; i < records && !h->ReadError; ++i) {
    KinetDoFrame(h);
    out.push_back(buffer);
    KinetNextFrame(h);
  }
  EXPECT_EQ(h->ReadError, 0u);
  KinetClose(h);
  return out;
}

encoder::EncoderSettings SettingsFor(uint32_t width, uint32_t height, int32_t rate,
                                     int32_t key_rate) {
  encoder::EncoderSettings s;
  s.width = width;
  s.height = height;
  s.regular_rate = rate;
  s.key_rate = key_rate;
  s.period = 6666;
  s.auto_key_blocks = width / 4 * (height / 4) * 95 / 100;
  return s;
}

size_t DifferentPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  size_t n = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) n += a[i] != b[i];
  return n;
}

size_t DifferentColours(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b,
                        const std::array<uint8_t, 768>& palette) {
  size_t n = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    n += std::memcmp(&palette[3 * a[i]], &palette[3 * b[i]], 3) != 0;
  return n;
}

}  // namespace kinet::testing
