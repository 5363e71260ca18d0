// A video file made from frames in two passes. The analysis pass encodes each frame as it
// comes, gathers the statistics of the four trees and keeps the frame's runs in a temporary
// file; the compression pass builds the trees and writes the file from the temporary file
// (VideoFileWriter), with each frame's sound record from a SoundFeed. The file is read by
// KinetOpen (lib/include/kinet/kinet.h); every frame decodes to the encoder's reconstruction.
//
//   auto job = VideoJob::Create(files, settings, temp_directory, &status, sound);  // or null
//   for each frame: job->AddFrame(picture, next);          // results in job->encoder()
//   job->Write(path, file_settings, progress, &bytes);     // the output exists only on kOk
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "compressor/frame_encoder.h"
#include "compressor/run_file.h"
#include "compressor/video_file_writer.h"

namespace kinet::encoder {

enum class PackStatus {
  kOk,
  kOutOfMemory,
  kTempCreateFailed,  // the temporary file cannot be created
  kTempWriteFailed,   // the temporary file cannot take a frame (a full disk)
  kTempReadFailed,    // the temporary file ends early
  kCannotCreate,      // the output cannot be created
  kWriteFailed,       // the output cannot be written
  kReplaceFailed,     // the finished output cannot be put in place under its name
  kTooComplex,        // a tree would need codes longer than 30 bits, or has no free markers
  kCancelled,
};

// Sound for the frames of a video file, asked for frame by frame in order.
class SoundFeed {
 public:
  virtual ~SoundFeed() = default;
  // Track 0's record for frame `index`; empty when the frame carries none.
  virtual std::vector<uint8_t> Record(uint32_t index) = 0;
  // Fills the header's AudioSize and AudioRate once every frame is written.
  virtual void FinishHeader(KinetHeader& header) = 0;
  // True once a record could not be coded (its trees would be too deep).
  virtual bool failed() const = 0;
};

class VideoJob {
 public:
  // The encoder and a temporary file in `temp_directory`; the temporary file and the output
  // are files of `files`. `sound`, when given, is asked for every frame's record as the frame
  // is added. Null with `status` set on failure.
  static std::unique_ptr<VideoJob> Create(platform::FileSystem& files,
                                          const EncoderSettings& settings,
                                          const std::string& temp_directory, PackStatus* status,
                                          SoundFeed* sound = nullptr);

  // Encodes a frame (`next` as FrameEncoder::Encode wants it) and keeps its runs and sound.
  [[nodiscard]] PackStatus AddFrame(const FramePicture& picture, const FramePicture* next);
  const FrameEncoder& encoder() const { return *encoder_; }

  // The compression pass: writes every added frame to `path`. `progress(i)` is called before
  // frame i is written and returns true to cancel. The output replaces `path` only on kOk.
  // `bytes_written` receives the file's size.
  [[nodiscard]] PackStatus Write(const std::string& path, const VideoFileSettings& file,
                                 const std::function<bool(uint32_t)>& progress,
                                 uint64_t* bytes_written);

 private:
  explicit VideoJob(platform::FileSystem& files) : files_(files), runs_(files), writer_(files) {}

  platform::FileSystem& files_;
  std::unique_ptr<FrameEncoder> encoder_;
  RunFile runs_;
  VideoFileWriter writer_;
  SoundFeed* sound_ = nullptr;
  uint32_t width_ = 0, height_ = 0, period_ = 0, frames_ = 0;
};

}  // namespace kinet::encoder
