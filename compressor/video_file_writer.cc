#include "compressor/video_file_writer.h"

#include <cstring>

#include "compressor/palette_encoder.h"
#include "lib/core/format.h"

namespace kinet::encoder {

bool VideoFileWriter::Put(const std::vector<uint8_t>& bytes) {
  position_ += bytes.size();
  return out_.Write(bytes.data(), bytes.size());
}

bool VideoFileWriter::WriteHeaderAndTables() {
  std::vector<uint8_t> bytes(KINET_HEADER_SIZE + 5 * sizes_.size());
  SerializeHeader(header_, bytes.data());
  uint8_t* table = bytes.data() + KINET_HEADER_SIZE;
  for (size_t i = 0; i < sizes_.size(); ++i) StoreLe32(table + 4 * i, sizes_[i]);
  std::memcpy(table + 4 * sizes_.size(), types_.data(), types_.size());
  return Put(bytes);
}

WriteStatus VideoFileWriter::Begin(const std::string& path, const VideoFileSettings& s) {
  if (!out_.Create(files_, path)) return WriteStatus::kCannotCreate;
  header_ = {};
  header_.Signature = KINET_SIGNATURE;
  header_.Width = s.width;
  header_.Height = s.height;
  header_.Frames = s.record_count - ((s.flags & KINET_FLAG_RING_FRAME) ? 1 : 0);
  header_.FrameRate = s.frame_rate;
  header_.Flags = s.flags;
  sizes_.assign(s.record_count, 0);
  types_.assign(s.record_count, 0);
  previous_palette_.fill(0);
  frames_written_ = 0;
  position_ = 0;
  if (!WriteHeaderAndTables()) return WriteStatus::kWriteFailed;

  const uint64_t tree_start = position_;
  BitWriter trees;
  uint32_t sizes[4];
  if (!trees_.BuildAndWrite(trees, sizes)) return WriteStatus::kTooComplex;
  // The first frame record starts on a multiple of 512 in the file.
  trees.Flush();
  while ((position_ + trees.bytes().size()) % 512) trees.Write(0, 8);
  if (!Put(trees.bytes())) return WriteStatus::kWriteFailed;
  header_.MMapSize = sizes[0];
  header_.MClrSize = sizes[1];
  header_.FullSize = sizes[2];
  header_.TypeSize = sizes[3];
  header_.TreeSize = static_cast<uint32_t>(position_ - tree_start);
  return WriteStatus::kOk;
}

WriteStatus VideoFileWriter::WriteFrame(const FrameCodes& frame, const uint8_t palette[768],
                                        bool key_frame,
                                        const std::vector<std::vector<uint8_t>>& audio) {
  if (frames_written_ >= sizes_.size()) return WriteStatus::kBadFrame;
  uint8_t type = 0;
  BitWriter record;
  const bool literal = key_frame && frames_written_ > 0;
  for (uint8_t b : EncodePaletteRecord(previous_palette_.data(), palette, literal)) {
    record.Write(b, 8);
    type |= KINET_FRAME_PALETTE;
  }
  std::memcpy(previous_palette_.data(), palette, 768);
  for (size_t t = 0; t < audio.size() && t < KINET_TRACKS; ++t) {
    if (audio[t].empty()) continue;
    for (uint8_t b : audio[t]) record.Write(b, 8);
    type |= KINET_FRAME_AUDIO(t);
  }
  if (!trees_.WriteFrame(frame, record)) return WriteStatus::kBadFrame;
  record.PadTo(4);
  sizes_[frames_written_] = static_cast<uint32_t>(record.bytes().size());
  types_[frames_written_] = type;
  ++frames_written_;
  return Put(record.bytes()) ? WriteStatus::kOk : WriteStatus::kWriteFailed;
}

WriteStatus VideoFileWriter::Finish() {
  if (frames_written_ != sizes_.size()) return WriteStatus::kBadFrame;
  if (!out_.Seek(0) || !WriteHeaderAndTables() || !out_.Flush()) return WriteStatus::kWriteFailed;
  return out_.Commit() ? WriteStatus::kOk : WriteStatus::kReplaceFailed;
}

}  // namespace kinet::encoder
