#include "platform/avi/avi_reader.h"

#include <algorithm>
#include <cstring>

#include "platform/bytes/byte_io.h"
#include "platform/images/codecs.h"

namespace kinet::platform {
namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1;
constexpr uint32_t kMjpg = 0x47504A4D;         // "MJPG" as a little-endian word
constexpr uint32_t kMaxHeaderList = 1u << 22;  // "hdrl" lists are a few kilobytes
constexpr int kMaxListDepth = 8;

bool Is(const uint8_t* id, const char* text) { return std::memcmp(id, text, 4) == 0; }

}  // namespace

// What the header list said about the streams the reader takes.
struct AviReader::Streams {
  int video = -1, audio = -1;  // stream numbers
};

std::unique_ptr<AviReader> AviReader::Open(FileSystem& files, const std::string& path) {
  InputFile file;
  if (!file.Open(files, path)) return nullptr;
  return Open(std::move(file));
}

std::unique_ptr<AviReader> AviReader::Open(InputFile file) {
  uint8_t head[12];
  if (!file.is_open() || !file.Seek(0) || file.Read(head, 12) != 12 || !Is(head, "RIFF") ||
      !Is(head + 8, "AVI ")) {
    return nullptr;
  }
  std::unique_ptr<AviReader> reader(new AviReader);
  reader->file_ = std::move(file);
  const int64_t size = reader->file_.Size();
  reader->file_bytes_ = size > 0 ? static_cast<uint64_t>(size) : 0;
  Streams streams;
  // The first RIFF part, then any extension parts ("AVIX") of large files.
  for (uint64_t at = 0; at + 12 <= reader->file_bytes_;) {
    if (!reader->file_.Seek(at) || reader->file_.Read(head, 12) != 12 || !Is(head, "RIFF")) break;
    const uint32_t part = ByteReader(std::span<const uint8_t>(head, 12), 4).U32();
    const uint64_t end = std::min(at + 8 + part, reader->file_bytes_);
    reader->WalkList(at + 12, end, streams, 0);
    at += 8 + uint64_t{part} + (part & 1);
  }
  if (streams.video < 0 || reader->frames_.empty() || reader->frame_rate_ == 0) return nullptr;
  if (reader->length_ > 0 && reader->frames_.size() > reader->length_) {
    reader->frames_.resize(reader->length_);
  }
  reader->picture_.palette = reader->first_palette_;
  return reader;
}

void AviReader::WalkList(uint64_t begin, uint64_t end, Streams& streams, int depth) {
  for (uint64_t at = begin; at + 8 <= end;) {
    uint8_t head[12];
    if (!file_.Seek(at) || file_.Read(head, 12) < 8) return;
    const uint32_t size = ByteReader(std::span<const uint8_t>(head, 8), 4).U32();
    if (at + 8 + size > end) return;  // a chunk cut short ends the walk
    if (Is(head, "LIST") && size >= 4) {
      if (Is(head + 8, "hdrl")) {
        if (!ReadHeaderList(at + 12, size - 4, streams)) return;
      } else if (depth < kMaxListDepth) {
        WalkList(at + 12, at + 8 + size, streams, depth + 1);  // "movi", "rec " and others
      }
    } else if (depth > 0) {
      AddMoviChunk(reinterpret_cast<const char*>(head), at + 8, size, streams);
    }
    at += 8 + uint64_t{size} + (size & 1);
  }
}

// Chunks are named by a two-digit stream number and a two-letter type.
void AviReader::AddMoviChunk(const char* id, uint64_t offset, uint32_t size,
                             const Streams& streams) {
  if (id[0] < '0' || id[0] > '9' || id[1] < '0' || id[1] > '9') return;
  const int stream = (id[0] - '0') * 10 + (id[1] - '0');
  if (stream == streams.video) {
    if ((id[2] == 'd' && (id[3] == 'b' || id[3] == 'c')) || (id[2] == 'p' && id[3] == 'c')) {
      const bool palette = id[2] == 'p';
      video_.push_back({offset, size, palette});
      if (!palette) frames_.push_back(static_cast<uint32_t>(video_.size() - 1));
    }
  } else if (stream == streams.audio && id[2] == 'w' && id[3] == 'b') {
    audio_.push_back({offset, size, false});
    audio_bytes_ += size;
  }
}

bool AviReader::ReadHeaderList(uint64_t at, uint32_t size, Streams& streams) {
  if (size > kMaxHeaderList) return false;
  std::vector<uint8_t> list(size);
  if (!file_.Seek(at) || file_.Read(list.data(), size) != size) return false;
  ByteReader in(list);
  int stream = -1;
  uint8_t kind[4] = {};  // the current stream's type, from its header
  while (in.remaining() >= 8) {
    const auto id = in.Take(4);
    const uint32_t chunk_size = in.U32();
    const size_t data_at = in.position();
    if (chunk_size > in.remaining()) break;
    ByteReader chunk(std::span<const uint8_t>(list).subspan(data_at, chunk_size));
    if (Is(id.data(), "LIST")) {
      const auto type = in.Take(4);
      if (type.size() == 4 && Is(type.data(), "strl")) {  // a stream: its chunks follow here
        ++stream;
        std::fill_n(kind, 4, 0);
        continue;
      }
    } else if (Is(id.data(), "strh") && stream >= 0) {
      const auto type = chunk.Take(4);
      if (type.size() == 4) std::copy_n(type.begin(), 4, kind);
      if (Is(kind, "vids") && streams.video < 0 && ReadStreamHeader(chunk)) streams.video = stream;
    } else if (Is(id.data(), "strf") && stream >= 0) {
      if (stream == streams.video && width_ == 0 && !ReadVideoFormat(chunk)) return false;
      if (Is(kind, "auds") && streams.audio < 0 && ReadAudioFormat(chunk)) streams.audio = stream;
    }
    in.Seek(data_at + chunk_size + (chunk_size & 1));
  }
  return width_ > 0;
}

// The video stream's header after its type: frame period, first frame and length.
bool AviReader::ReadStreamHeader(ByteReader& chunk) {
  chunk.Skip(16);
  const uint32_t scale = chunk.U32(), rate = chunk.U32(), start = chunk.U32();
  const uint32_t length = chunk.U32();
  if (chunk.failed() || rate == 0) return false;
  const uint64_t period = uint64_t{100000} * scale / rate;
  frame_rate_ = -static_cast<int32_t>(std::clamp<uint64_t>(period, 1, INT32_MAX));
  start_ = start, length_ = length;
  return true;
}

// The video format: a bitmap header, then the palette for 8-bit frames. False for a form the
// reader does not decode or sides beyond the picture limits.
bool AviReader::ReadVideoFormat(ByteReader& chunk) {
  const uint32_t header_size = chunk.U32();
  const int32_t width = chunk.S32(), height = chunk.S32();
  chunk.Skip(2);
  stored_bits_ = chunk.U16();
  compression_ = chunk.U32();
  chunk.Skip(12);
  const uint32_t colours = chunk.U32();
  chunk.Seek(header_size);  // the palette follows the header
  for (uint32_t i = 0; i < std::min(colours ? colours : 256u, 256u) && stored_bits_ <= 8; ++i) {
    const auto quad = chunk.Take(4);
    if (quad.empty()) break;
    first_palette_[i * 3] = quad[2], first_palette_[i * 3 + 1] = quad[1];
    first_palette_[i * 3 + 2] = quad[0];
  }
  const bool mjpg = compression_ == kMjpg;
  const bool known = mjpg || (compression_ == kRle8 && stored_bits_ == 8) ||
                     (compression_ == kRgb && (stored_bits_ == 8 || stored_bits_ == 16 ||
                                               stored_bits_ == 24 || stored_bits_ == 32));
  bottom_up_ = height > 0;
  picture_.width = width > 0 ? static_cast<uint32_t>(width) : 0;
  picture_.height = static_cast<uint32_t>(
      std::min<int64_t>(height > 0 ? int64_t{height} : -int64_t{height}, UINT32_MAX));
  bits_ = picture_.bits = mjpg ? 24 : stored_bits_;
  if (!known || !picture_.Allocate()) return false;
  width_ = picture_.width, height_ = picture_.height;
  return true;
}

// A sound stream's format; taken when it is PCM.
bool AviReader::ReadAudioFormat(ByteReader& chunk) {
  AviAudioFormat f;
  f.tag = chunk.U16(), f.channels = chunk.U16(), f.sample_rate = chunk.U32();
  f.bytes_per_second = chunk.U32(), f.block_align = chunk.U16(), f.bits = chunk.U16();
  if (chunk.failed() || f.tag != 1) return false;
  audio_format_ = f;
  return true;
}

bool AviReader::Load(const Chunk& chunk) {
  data_.resize(chunk.size);
  return file_.Seek(chunk.offset) && file_.Read(data_.data(), chunk.size) == chunk.size;
}

// An AVIPALCHANGE record: first entry, entry count (0 for 256), flags, then red, green, blue,
// flags per entry.
void AviReader::ApplyPaletteChange() {
  ByteReader in(data_);
  const uint32_t first = in.U8();
  uint32_t count = in.U8();
  if (count == 0) count = 256;
  in.Skip(2);
  for (uint32_t i = first; i < first + count && i < 256; ++i) {
    const auto entry = in.Take(4);
    if (entry.empty()) return;
    std::copy_n(entry.begin(), 3, &picture_.palette[i * 3]);
  }
}

bool AviReader::DecodeChunk(const Chunk& chunk) {
  if (chunk.size == 0) return true;  // a dropped frame: the one before stays
  if (!Load(chunk)) return false;
  if (chunk.palette_change) {
    ApplyPaletteChange();
    return true;
  }
  if (compression_ != kMjpg) {
    return codecs::DecodeDibPixels(data_, stored_bits_, compression_, bottom_up_, picture_);
  }
  auto decoded = DecodeImage(ImageFormat::kJpeg, data_);
  if (!decoded || decoded->width != width_ || decoded->height != height_) return false;
  picture_ = std::move(*decoded);
  return true;
}

uint64_t AviReader::ReadFrame(uint32_t index, Image& frame) {
  if (index >= frames_.size()) return 0;
  if (index < next_) {  // start over: frames build on the ones before
    next_ = 0;
    std::fill(picture_.pixels.begin(), picture_.pixels.end(), 0);
    picture_.palette = first_palette_;
  }
  const uint32_t from = next_ == 0 ? 0 : frames_[next_ - 1] + 1;
  for (uint32_t v = from; v <= frames_[index]; ++v) {
    if (!DecodeChunk(video_[v])) {
      next_ = 0;
      return 0;
    }
  }
  next_ = index + 1;
  frame = picture_;
  return std::max<uint64_t>(video_[frames_[index]].size, 1);
}

size_t AviReader::ReadAudio(uint64_t at, uint8_t* out, size_t size) {
  size_t done = 0;
  uint64_t chunk_start = 0;
  for (const Chunk& c : audio_) {
    if (done == size) break;
    const uint64_t chunk_end = chunk_start + c.size;
    if (at + done < chunk_end) {
      const uint64_t inside = at + done - chunk_start;
      const size_t n = static_cast<size_t>(std::min<uint64_t>(c.size - inside, size - done));
      if (!file_.Seek(c.offset + inside) || file_.Read(out + done, n) != n) break;
      done += n;
    }
    chunk_start = chunk_end;
  }
  return done;
}

}  // namespace kinet::platform
