#include "compressor/animation_writer.h"

#include "compressor/exact_block_coder.h"
#include "compressor/video_job.h"

namespace kinet::encoder {

WriteStatus WriteAnimation(platform::FileSystem& files, const std::string& path,
                           const AnimationSettings& settings,
                           const std::vector<AnimationFrame>& frames, SoundFeed* sound) {
  if (frames.empty()) return WriteStatus::kBadFrame;
  // The ring frame is frame 0 again, coded against the last frame.
  std::vector<const AnimationFrame*> records;
  for (const AnimationFrame& f : frames) records.push_back(&f);
  if (settings.ring_frame) records.push_back(&frames.front());

  const uint32_t w = settings.width, h = settings.height;
  std::vector<std::vector<uint32_t>> codes;
  for (size_t i = 0; i < records.size(); ++i) {
    const bool key = i == 0 || settings.all_key_frames;
    const uint8_t* previous = key ? nullptr : records[i - 1]->pixels.data();
    codes.push_back(ChooseExactBlockCodes(records[i]->pixels.data(), previous, w, h));
  }
  auto frame_codes = [&](size_t i) {
    return FrameCodes{codes[i].data(), records[i]->pixels.data(), w, w / 4, h / 4};
  };

  VideoFileWriter writer(files);
  writer.trees().Start();
  for (size_t i = 0; i < records.size(); ++i) writer.trees().AddFrame(frame_codes(i));
  VideoFileSettings file;
  file.width = w;
  file.height = h;
  file.frame_rate = settings.frame_rate;
  file.flags = (settings.ring_frame ? KINET_FLAG_RING_FRAME : 0) | settings.y_mode;
  file.record_count = static_cast<uint32_t>(records.size());
  WriteStatus status = writer.Begin(path, file);
  for (size_t i = 0; i < records.size() && status == WriteStatus::kOk; ++i) {
    std::vector<std::vector<uint8_t>> audio;
    if (sound) audio.push_back(sound->Record(static_cast<uint32_t>(i)));
    status = writer.WriteFrame(frame_codes(i), records[i]->palette.data(),
                               i == 0 || settings.all_key_frames, audio);
  }
  if (status != WriteStatus::kOk) return status;
  if (sound) {
    if (sound->failed()) return WriteStatus::kTooComplex;
    sound->FinishHeader(writer.header());
  }
  return writer.Finish();
}

}  // namespace kinet::encoder
