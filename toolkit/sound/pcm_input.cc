#include "toolkit/sound/pcm_input.h"

#include <algorithm>

#include "toolkit/sound/wav_header.h"

namespace kinet::toolkit {

bool FileInput::Seek(uint64_t offset) { return file_.Seek(data_offset_ + offset); }

bool AviInput::Seek(uint64_t offset) {
  position_ = offset;
  return true;
}

size_t AviInput::Read(uint8_t* out, size_t size) {
  const size_t got = avi_->ReadAudio(position_, out, size);
  position_ += got;
  return got;
}

std::optional<OpenedInput> OpenSoundFile(platform::FileSystem& files, const std::string& path,
                                         uint32_t raw_type, uint32_t skip) {
  platform::InputFile file;
  if (!file.Open(files, path)) return std::nullopt;
  OpenedInput opened;
  uint64_t data_offset = 0;
  if (raw_type != 0) {
    const int64_t size = file.Size();
    const uint64_t file_bytes = size > 0 ? static_cast<uint64_t>(size) : 0;
    data_offset = std::min<uint64_t>(skip, file_bytes > 0 ? file_bytes - 1 : 0);
    opened.format = UnpackRawType(raw_type);
    opened.length = file_bytes - std::min(data_offset, file_bytes);
  } else {
    const auto header = ReadWavHeader(file);
    if (!header) return std::nullopt;
    opened.format = header->format;
    opened.length = header->data_length;
    opened.remark = TruncationRemark(path, *header);
    data_offset = header->data_offset;
  }
  if (!opened.format.usable()) return std::nullopt;
  opened.input = std::make_unique<FileInput>(std::move(file), data_offset);
  return opened;
}

AviOpenResult OpenAviAudio(platform::FileSystem& files, const std::string& path) {
  auto avi = platform::AviReader::Open(files, path);
  if (!avi) return {};
  const auto& audio = avi->audio_format();
  OpenedInput opened;
  opened.kind = SoundKind::kAvi;
  if (audio) opened.format = {audio->sample_rate, audio->bits, audio->channels};
  if (!audio || !opened.format.usable()) return {AviOpenStatus::kNoPcmAudio, std::nullopt};
  const uint32_t frame_bytes = opened.format.frame_bytes();
  opened.length = avi->audio_bytes() / frame_bytes * frame_bytes;
  if (avi->frame_rate() < 0) opened.frame_ticks = static_cast<uint32_t>(-avi->frame_rate());
  opened.input = std::make_unique<AviInput>(std::move(avi));
  return {AviOpenStatus::kOpened, std::move(opened)};
}

}  // namespace kinet::toolkit
