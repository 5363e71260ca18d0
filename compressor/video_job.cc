#include "compressor/video_job.h"

#include <new>

#include "platform/files/file_system.h"

namespace kinet::encoder {

namespace {

PackStatus FromWrite(WriteStatus s) {
  switch (s) {
    case WriteStatus::kOk:
      return PackStatus::kOk;
    case WriteStatus::kCannotCreate:
      return PackStatus::kCannotCreate;
    case WriteStatus::kTooComplex:
      return PackStatus::kTooComplex;
    case WriteStatus::kBadFrame:
      return PackStatus::kTempReadFailed;
    case WriteStatus::kReplaceFailed:
      return PackStatus::kReplaceFailed;
    case WriteStatus::kWriteFailed:
      break;
  }
  return PackStatus::kWriteFailed;
}

}  // namespace

std::unique_ptr<VideoJob> VideoJob::Create(platform::FileSystem& files,
                                           const EncoderSettings& settings,
                                           const std::string& temp_directory, PackStatus* status,
                                           SoundFeed* sound) {
  std::unique_ptr<VideoJob> job;
  try {
    job.reset(new VideoJob(files));
  } catch (const std::bad_alloc&) {
    *status = PackStatus::kOutOfMemory;
    return nullptr;
  }
  job->encoder_ = FrameEncoder::Create(settings);
  if (!job->encoder_) {
    *status = PackStatus::kOutOfMemory;
    return nullptr;
  }
  job->sound_ = sound;
  job->width_ = settings.width;
  job->height_ = settings.height;
  job->period_ = settings.period;
  if (!job->runs_.Create(temp_directory, settings.width, settings.height)) {
    *status = PackStatus::kTempCreateFailed;
    return nullptr;
  }
  job->writer_.trees().Start();
  *status = PackStatus::kOk;
  return job;
}

PackStatus VideoJob::AddFrame(const FramePicture& picture, const FramePicture* next) {
  std::vector<uint8_t> sound;
  FramePicture frame = picture;
  if (sound_) {
    sound = sound_->Record(frames_);
    // The first record also carries the second of sound that the sound runs ahead of the
    // picture; only its share of one frame counts against the frame.
    frame.sound_bytes =
        frames_ > 0 ? sound.size() : sound.size() * uint64_t{period_} / (uint64_t{period_} + 100000);
  }
  encoder_->Encode(frame, next);
  const FrameCodes codes{encoder_->codes().data(), picture.pixels, width_, width_ / 4, height_ / 4};
  writer_.trees().AddFrame(codes);
  ++frames_;
  return runs_.Append(codes, picture.palette, encoder_->key_frame(), sound)
             ? PackStatus::kOk
             : PackStatus::kTempWriteFailed;
}

PackStatus VideoJob::Write(const std::string& path, const VideoFileSettings& file,
                           const std::function<bool(uint32_t)>& progress, uint64_t* bytes_written) {
  if (file.record_count != frames_ || !runs_.Rewind()) return PackStatus::kTempReadFailed;
  PackStatus status = FromWrite(writer_.Begin(path, file));
  RunFrame frame;
  for (uint32_t i = 0; i < frames_ && status == PackStatus::kOk; ++i) {
    if (progress && progress(i)) return PackStatus::kCancelled;
    if (!runs_.Read(frame)) return PackStatus::kTempReadFailed;
    std::vector<std::vector<uint8_t>> audio;
    if (sound_) audio.push_back(frame.sound);
    const FrameCodes codes{frame.codes.data(), frame.pixels.data(), width_, width_ / 4,
                           height_ / 4};
    status = FromWrite(writer_.WriteFrame(codes, frame.palette.data(), frame.key_frame, audio));
  }
  if (status != PackStatus::kOk) return status;
  if (sound_ && sound_->failed()) return PackStatus::kTooComplex;
  if (sound_) sound_->FinishHeader(writer_.header());
  status = FromWrite(writer_.Finish());
  if (status == PackStatus::kOk) *bytes_written = uint64_t(files_.FileSize(path));
  return status;
}

}  // namespace kinet::encoder
