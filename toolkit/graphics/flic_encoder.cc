#include "toolkit/graphics/flic_encoder.h"

#include <algorithm>
#include <cstring>

#include "platform/bytes/byte_io.h"
#include "toolkit/graphics/flic_format.h"

namespace kinet::toolkit::flic {
namespace {

using platform::PutU16;
using platform::PutU16At;
using platform::PutU32At;
using platform::PutU8;

constexpr uint32_t kMaxCount = 127;  // a signed count byte

size_t BeginChunk(std::vector<uint8_t>& out, uint16_t type) {
  const size_t start = out.size();
  out.resize(start + 4);
  PutU16(out, type);
  return start;
}

void EndChunk(std::vector<uint8_t>& out, size_t start) {
  if ((out.size() - start) & 1) out.push_back(0);
  PutU32At(out, start, static_cast<uint32_t>(out.size() - start));
}

// Length of the run of equal values starting at `at`, at most `limit`.
template <typename Equal>
uint32_t RunLength(uint32_t at, uint32_t end, uint32_t limit, Equal equal) {
  uint32_t n = 1;
  while (at + n < end && n < limit && equal(at, at + n)) ++n;
  return n;
}

// One line of a BYTE_RUN chunk; returns its packet count.
uint32_t PackLine(const uint8_t* line, uint32_t width, std::vector<uint8_t>& out) {
  auto equal = [line](uint32_t a, uint32_t b) { return line[a] == line[b]; };
  uint32_t packets = 0;
  for (uint32_t x = 0; x < width; ++packets) {
    const uint32_t run = RunLength(x, width, kMaxCount, equal);
    if (run >= 2) {
      PutU8(out, run), PutU8(out, line[x]);
      x += run;
      continue;
    }
    uint32_t literal = 1;
    while (x + literal < width && literal < kMaxCount &&
           RunLength(x + literal, width, 3, equal) < 3) {
      ++literal;
    }
    PutU8(out, 256 - literal);
    out.insert(out.end(), line + x, line + x + literal);
    x += literal;
  }
  return packets;
}

// Packets of one DELTA_FLI line: a column skip and a signed count of changed bytes. Returns
// the packet count.
uint32_t DeltaLineBytes(const uint8_t* now, const uint8_t* before, uint32_t width,
                        std::vector<uint8_t>& out) {
  auto equal = [now](uint32_t a, uint32_t b) { return now[a] == now[b]; };
  uint32_t packets = 0, done = 0;
  for (uint32_t x = 0; x < width;) {
    if (now[x] == before[x]) {
      ++x;
      continue;
    }
    for (; x - done > 255; done += 255, ++packets) PutU8(out, 255), PutU8(out, 0);
    PutU8(out, x - done);
    const uint32_t run = RunLength(x, width, kMaxCount, equal);
    if (run >= 3) {
      PutU8(out, 256 - run), PutU8(out, now[x]);
      x += run;
    } else {
      uint32_t n = 1;
      while (x + n < width && n < kMaxCount && now[x + n] != before[x + n] &&
             RunLength(x + n, width, 3, equal) < 3) {
        ++n;
      }
      PutU8(out, n);
      out.insert(out.end(), now + x, now + x + n);
      x += n;
    }
    done = x;
    ++packets;
  }
  return packets;
}

// Packets of one DELTA_FLC line over its whole words: a column skip in bytes and a signed
// count of words. Returns the packet count.
uint32_t DeltaLineWords(const uint8_t* now, const uint8_t* before, uint32_t words,
                        std::vector<uint8_t>& out) {
  auto changed = [&](uint32_t w) { return std::memcmp(now + 2 * w, before + 2 * w, 2) != 0; };
  auto equal = [now](uint32_t a, uint32_t b) {
    return std::memcmp(now + 2 * a, now + 2 * b, 2) == 0;
  };
  uint32_t packets = 0, done = 0;  // `done` counts bytes
  for (uint32_t w = 0; w < words;) {
    if (!changed(w)) {
      ++w;
      continue;
    }
    for (; 2 * w - done > 255; done += 254, ++packets) PutU8(out, 254), PutU8(out, 0);
    PutU8(out, 2 * w - done);
    const uint32_t run = RunLength(w, words, kMaxCount, equal);
    if (run >= 2) {
      PutU8(out, 256 - run), PutU8(out, now[2 * w]), PutU8(out, now[2 * w + 1]);
      w += run;
    } else {
      uint32_t n = 1;
      while (w + n < words && n < kMaxCount && changed(w + n) &&
             RunLength(w + n, words, 2, equal) < 2) {
        ++n;
      }
      PutU8(out, n);
      out.insert(out.end(), now + 2 * w, now + 2 * (w + n));
      w += n;
    }
    done = 2 * w;
    ++packets;
  }
  return packets;
}

bool LineEqual(PictureView a, PictureView b, uint32_t y) {
  return std::memcmp(a.pixels + size_t{y} * a.width, b.pixels + size_t{y} * b.width, a.width) == 0;
}

}  // namespace

bool AppendColours(std::span<const uint8_t> palette, std::span<const uint8_t> previous,
                   std::vector<uint8_t>& out) {
  auto changed = [&](uint32_t i) {
    return previous.empty() || std::memcmp(&palette[i * 3], &previous[i * 3], 3) != 0;
  };
  const size_t start = BeginChunk(out, kColor256);
  const size_t count_at = out.size();
  PutU16(out, 0);
  uint32_t packets = 0, done = 0;
  for (uint32_t i = 0; i < 256;) {
    if (!changed(i)) {
      ++i;
      continue;
    }
    uint32_t end = i + 1;
    while (end < 256 && changed(end)) ++end;
    PutU8(out, i - done), PutU8(out, (end - i) & 0xFF);  // a count of 256 is stored as 0
    out.insert(out.end(), &palette[i * 3], &palette[end * 3 - 1] + 1);
    ++packets;
    done = i = end;
  }
  if (packets == 0) {
    out.resize(start);
    return false;
  }
  PutU16At(out, count_at, packets);
  EndChunk(out, start);
  return true;
}

void AppendByteRun(PictureView picture, std::vector<uint8_t>& out) {
  const size_t start = BeginChunk(out, kByteRun);
  for (uint32_t y = 0; y < picture.height; ++y) {
    const size_t count_at = out.size();
    PutU8(out, 0);
    const uint32_t packets =
        PackLine(picture.pixels + size_t{y} * picture.width, picture.width, out);
    out[count_at] = static_cast<uint8_t>(packets <= 255 ? packets : 0);  // readers go by width
  }
  EndChunk(out, start);
}

void AppendCopy(PictureView picture, std::vector<uint8_t>& out) {
  const size_t start = BeginChunk(out, kFliCopy);
  out.insert(out.end(), picture.pixels, picture.pixels + size_t{picture.width} * picture.height);
  EndChunk(out, start);
}

bool AppendDeltaFli(PictureView picture, PictureView previous, std::vector<uint8_t>& out) {
  uint32_t first = 0, last = picture.height;
  while (first < picture.height && LineEqual(picture, previous, first)) ++first;
  if (first == picture.height || picture.height > 65535) return false;
  while (LineEqual(picture, previous, last - 1)) --last;
  const size_t start = BeginChunk(out, kDeltaFli);
  PutU16(out, first), PutU16(out, last - first);
  for (uint32_t y = first; y < last; ++y) {
    const size_t count_at = out.size();
    PutU8(out, 0);
    const size_t offset = size_t{y} * picture.width;
    const uint32_t packets =
        DeltaLineBytes(picture.pixels + offset, previous.pixels + offset, picture.width, out);
    if (packets > 255) {
      out.resize(start);
      return false;
    }
    out[count_at] = static_cast<uint8_t>(packets);
  }
  EndChunk(out, start);
  return true;
}

bool AppendDeltaFlc(PictureView picture, PictureView previous, std::vector<uint8_t>& out) {
  const size_t start = BeginChunk(out, kDeltaFlc);
  const size_t lines_at = out.size();
  PutU16(out, 0);
  uint32_t lines = 0, skipped = 0;
  const uint32_t words = picture.width / 2;
  for (uint32_t y = 0; y < picture.height; ++y) {
    if (LineEqual(picture, previous, y)) {
      ++skipped;
      continue;
    }
    for (; skipped > 0; skipped -= std::min(skipped, 16384u)) {
      PutU16(out, 0x10000 - std::min(skipped, 16384u));
    }
    const uint8_t* now = picture.pixels + size_t{y} * picture.width;
    const uint8_t* before = previous.pixels + size_t{y} * picture.width;
    if ((picture.width & 1) && now[picture.width - 1] != before[picture.width - 1]) {
      PutU16(out, 0x8000 | now[picture.width - 1]);
    }
    const size_t packets_at = out.size();
    PutU16(out, 0);
    const uint32_t packets = DeltaLineWords(now, before, words, out);
    if (packets >= 0x4000 || ++lines > 0xFFFF) {
      out.resize(start);
      return false;
    }
    PutU16At(out, packets_at, packets);
  }
  if (lines == 0) {
    out.resize(start);
    return false;
  }
  PutU16At(out, lines_at, lines);
  EndChunk(out, start);
  return true;
}

}  // namespace kinet::toolkit::flic
