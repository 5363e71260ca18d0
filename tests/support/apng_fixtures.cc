#include "tests/support/apng_fixtures.h"

#include <zlib.h>

#include <cstring>
#include <fstream>

namespace kinet::testing {
namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  Put32(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  Put32(out, static_cast<uint32_t>(crc32(0, &out[start], static_cast<uInt>(out.size() - start))));
}

// The IHDR data and the joined IDAT data of a PNG file.
bool Split(const std::vector<uint8_t>& png, std::vector<uint8_t>& header,
           std::vector<uint8_t>& data) {
  for (size_t at = 8; at + 12 <= png.size();) {
    const uint32_t length =
        (uint32_t{png[at]} << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
    const uint8_t* body = &png[at + 8];
    if (!std::memcmp(&png[at + 4], "IHDR", 4)) header.assign(body, body + length);
    if (!std::memcmp(&png[at + 4], "IDAT", 4)) data.insert(data.end(), body, body + length);
    at += 12 + size_t{length};
  }
  return header.size() == 13 && !data.empty();
}

}  // namespace

bool WriteAnimatedPng(const std::string& path, uint32_t width, uint32_t height,
                      const std::vector<ApngFrame>& frames) {
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  uint32_t sequence = 0;
  for (size_t i = 0; i < frames.size(); ++i) {
    const ApngFrame& f = frames[i];
    std::vector<uint8_t> png, header, data;
    if (!platform::EncodeImage(platform::ImageFormat::kPng, f.picture, png) ||
        !Split(png, header, data))
      return false;
    if (i == 0) {
      Chunk(out, "IHDR", header);
      std::vector<uint8_t> control;
      Put32(control, static_cast<uint32_t>(frames.size()));
      Put32(control, 0);
      Chunk(out, "acTL", control);
    }
    std::vector<uint8_t> control;
    Put32(control, sequence++);
    for (uint32_t v : {f.picture.width, f.picture.height, f.left, f.top}) Put32(control, v);
    for (uint16_t v : {f.delay_numerator, f.delay_denominator}) {
      control.push_back(static_cast<uint8_t>(v >> 8));
      control.push_back(static_cast<uint8_t>(v));
    }
    control.push_back(f.dispose);
    control.push_back(f.blend);
    Chunk(out, "fcTL", control);
    if (i == 0) {
      Chunk(out, "IDAT", data);
    } else {
      std::vector<uint8_t> frame_data;
      Put32(frame_data, sequence++);
      frame_data.insert(frame_data.end(), data.begin(), data.end());
      Chunk(out, "fdAT", frame_data);
    }
  }
  Chunk(out, "IEND", {});
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(file);
}

}  // namespace kinet::testing
