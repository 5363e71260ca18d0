#include "compressor/kinetpackw/pack_run.h"

#include <cstdio>
#include <memory>

#include "compressor/hint_file.h"
#include "compressor/kinetpackw/frame_feed.h"
#include "compressor/kinetpackw/pack_settings.h"
#include "compressor/kinetpackw/sound_input.h"
#include "compressor/video_job.h"
#include "platform/clock/clock.h"
#include "platform/files/file_system.h"
#include "toolkit/allocator.h"
#include "toolkit/elapsed_time.h"
#include "toolkit/graphics/graphics_writer.h"
#include "toolkit/run_inputs.h"
#include "toolkit/output_check.h"
#include "toolkit/status_frame.h"

namespace kinet::pack {

namespace {

using toolkit::StatusFrame;

std::string Format(const char* pattern, auto... values) {
  char text[512];
  std::snprintf(text, sizeof text, pattern, values...);
  return text;
}

constexpr std::string_view kShorterFrames =
    "A shorter frame period (/F), a lower rate (/R) or no sound (/L-1) makes it fit.";

// True for the failures of the temporary file of runs, which lies in the output's folder.
bool OfTemporaryFile(encoder::PackStatus status) {
  return status == encoder::PackStatus::kTempCreateFailed ||
         status == encoder::PackStatus::kTempWriteFailed ||
         status == encoder::PackStatus::kTempReadFailed;
}

// True for the failures of a file operation, whose path and reason are shown under the text.
bool OfFile(encoder::PackStatus status) {
  return OfTemporaryFile(status) || status == encoder::PackStatus::kCannotCreate ||
         status == encoder::PackStatus::kWriteFailed ||
         status == encoder::PackStatus::kReplaceFailed;
}

const char* PackMessage(encoder::PackStatus status) {
  switch (status) {
    case encoder::PackStatus::kOutOfMemory:
      return toolkit::kOutOfMemory.data();
    case encoder::PackStatus::kTempCreateFailed:
      return "Error creating temporary file.";
    case encoder::PackStatus::kTempWriteFailed:
    case encoder::PackStatus::kTempReadFailed:
      return "Error reading temporary file.  (Out of disk space?)";
    case encoder::PackStatus::kCannotCreate:
      return "Error creating Kinetor file.";
    case encoder::PackStatus::kWriteFailed:
      return "Error writing Kinetor file.  (Out of disk space?)";
    case encoder::PackStatus::kReplaceFailed:
      return "Error creating Kinetor file.";
    case encoder::PackStatus::kTooComplex:
      return "  Complexity error - you must compress at a lower data rate.";
    case encoder::PackStatus::kOk:
    case encoder::PackStatus::kCancelled:
      break;
  }
  return nullptr;
}

class PackRun {
 public:
  PackRun(platform::FileSystem& files, platform::Clock& clock, StatusFrame& frame,
          const PackSettings& s)
      : files_(files), inputs_(files), clock_(clock), frame_(frame), s_(s) {}
  bool Run();

 private:
  bool OpenSource();
  bool CheckOutput();
  bool Fail(encoder::PackStatus status);
  // Ends the run after a failure the source or the writer reported where it happened, or a
  // cancel.
  bool Stop();
  encoder::EncoderSettings Encoding() const;
  bool AnalyseAll(encoder::VideoJob* job, encoder::FrameEncoder* encoder);
  bool EncodeOne(uint32_t f, const ShapedFrame& cur, const ShapedFrame* next,
                 encoder::VideoJob* job, encoder::FrameEncoder* encoder);
  bool WriteVideoFile();
  bool WriteWithWriter();

  platform::FileSystem& files_;
  toolkit::RunInputs inputs_;  // what the source, its sound and the hint file read
  platform::Clock& clock_;
  StatusFrame& frame_;
  PackSettings s_;
  std::unique_ptr<toolkit::GraphicsSource> source_;
  std::unique_ptr<toolkit::GraphicsWriter> writer_;
  RunShape shape_;
  int32_t frame_rate_ = 0;
  uint32_t period_ = 0, first_number_ = 1;
  encoder::FrameHints hints_;
  std::string output_, temp_directory_;
  uint32_t start_ms_ = 0;
  uint32_t key_frames_ = 0, auto_key_frames_ = 0;
};

bool PackRun::Fail(encoder::PackStatus status) {
  const char* text = PackMessage(status);
  if (text && OfFile(status))
    frame_.ShowError(
        toolkit::FileFailure(text, files_, OfTemporaryFile(status) ? temp_directory_ : output_));
  else if (text)
    frame_.ShowError(text);
  frame_.SetError();
  return false;
}

bool PackRun::Stop() {
  frame_.SetError();
  return false;
}

bool PackRun::OpenSource() {
  source_ = toolkit::GraphicsSource::Open(
      inputs_, toolkit::MakeSourceOptions(s_.graphics, toolkit::FrameCallbacks(frame_), "Analyzing"),
      s_.input);
  if (!source_) {
    frame_.SetError();
    return false;
  }
  inputs_.AddSeries(source_->series());
  frame_rate_ = toolkit::OutputFrameRate(source_->frame_rate(), s_.frame_rate);
  period_ = PeriodOf(frame_rate_);
  shape_ = ShapeRun(s_, source_->width(), source_->height(), source_->frame_count());
  first_number_ = source_->first_index() + 1;
  for (int32_t* code : {&s_.regular_rate, &s_.key_rate})
    *code =
        encoder::PercentOfSizeRate(*code, source_->total_bytes(), source_->frame_count(), period_);
  if (shape_.frames > 0 && shape_.height > 0 && shape_.width >= 4) return true;
  // Too few frames for /V, or pictures narrower than a block: no frame record could be made.
  frame_.ShowError("Nothing to compress: no frames of at least 4 x 4 pixels.");
  frame_.SetError();
  return false;
}

// The output name, never a file the run reads (the writer checks every name it would write,
// whatever the type); a frame writer for picture extensions.
bool PackRun::CheckOutput() {
  output_ = WithDefaultExtension(s_.output);
  if (!toolkit::NamesAFile(frame_, files_, output_)) return false;
  toolkit::WriterOptions w;
  w.flags = toolkit::kWriterQuietOnOtherTypes | (s_.overwrite ? toolkit::kWriterOverwrite : 0);
  w.callbacks = toolkit::FrameCallbacks(frame_);
  w.frame_rate = frame_rate_;
  // Pictures and flics get the source's own size, without the columns and lines that only
  // fill the last blocks (the height modes store fewer lines than the source has).
  w.pitch = shape_.width;
  w.width = source_->width();
  w.height = s_.height_mode == 0 ? source_->height() : shape_.height;
  w.frame_count = shape_.frames * (s_.mix_original ? 2 : 1);
  w.name = output_;
  w.inputs = &inputs_;
  writer_ = toolkit::CreateGraphicsWriter(files_, w);
  if (frame_.error()) return false;
  if (!writer_ && !s_.overwrite && !frame_.AskOverwrite(files_, output_)) {
    frame_.SetError();
    return false;
  }
  return true;
}

encoder::EncoderSettings PackRun::Encoding() const {
  encoder::EncoderSettings e;
  e.width = shape_.width;
  e.height = shape_.height;
  const toolkit::PaletteSettings& p = s_.graphics.palette;
  e.palette = {static_cast<uint32_t>(p.start_index), static_cast<uint32_t>(p.colours)};
  e.auto_key_blocks = shape_.auto_key_blocks;
  e.min_key_distance = s_.min_key_distance;
  e.regular_rate = s_.regular_rate;
  e.key_rate = s_.key_rate;
  e.period = period_;
  return e;
}

bool PackRun::EncodeOne(uint32_t f, const ShapedFrame& cur, const ShapedFrame* next,
                        encoder::VideoJob* job, encoder::FrameEncoder* encoder) {
  const encoder::FramePicture picture{cur.pixels.data(), cur.palette.data(), cur.source_bytes,
                                      hints_.key[f] != 0, hints_.rate[f]};
  encoder::FramePicture ahead;
  if (next) ahead = {next->pixels.data(), next->palette.data(), next->source_bytes};
  const encoder::FramePicture* after = next ? &ahead : nullptr;
  if (job) {
    const encoder::PackStatus status = job->AddFrame(picture, after);
    if (status != encoder::PackStatus::kOk) return Fail(status);
    encoder = nullptr;
  } else {
    if (s_.mix_original && !writer_->WriteFrame(cur.palette.data(), cur.pixels.data()))
      return Stop();
    encoder->Encode(picture, after);
  }
  const encoder::FrameEncoder& done = job ? job->encoder() : *encoder;
  if (!job && !writer_->WriteFrame(done.palette().data(), done.reconstruction().data()))
    return Stop();
  key_frames_ += done.key_frame() ? 1 : 0;
  auto_key_frames_ += done.auto_key() ? 1 : 0;
  if (done.auto_key()) {
    const uint32_t number = s_.every_other ? 2 * f + 1 + first_number_ : f + first_number_;
    frame_.SetStatus(Format("Auto-key-framing frame %u...", number));
  }
  return !frame_.error();
}

// Reads each frame one ahead of its analysis, so that a palette change can be seen coming.
bool PackRun::AnalyseAll(encoder::VideoJob* job, encoder::FrameEncoder* encoder) {
  FrameFeed feed(*source_, shape_, s_.every_other, s_.ring_frame);
  ShapedFrame cur, next;
  if (!feed.Next(cur)) return Stop();
  for (uint32_t f = 0; f < shape_.frames; ++f) {
    const bool more = f + 1 < shape_.frames;
    if (more && !feed.Next(next)) return Stop();
    if (!EncodeOne(f, cur, more ? &next : nullptr, job, encoder)) return false;
    // The analysis is the first half of the run's steps, the compression pass the second.
    frame_.SetProgress(f + 1, 2 * uint64_t{shape_.frames}, clock_.NowMs() - start_ms_);
    std::swap(cur, next);
  }
  return true;
}

bool PackRun::WriteVideoFile() {
  encoder::PackStatus status = encoder::PackStatus::kOk;
  const std::string full = files_.FullPath(output_);
  temp_directory_ = full.substr(0, std::max<size_t>(full.rfind('/'), 1));
  auto cancelled = [this] {
    frame_.Pump();
    return frame_.error();
  };
  const SoundInput::Opened opened = SoundInput::Open(inputs_, s_, source_->first_index(),
                                                     source_->frame_count(), period_, cancelled);
  if (frame_.error()) return false;  // cancelled while a series was measured
  if (opened.frames_too_long) {
    frame_.ShowError(std::string(encoder::kFramesTooLongForSound) + "\r\n" +
                     std::string(kShorterFrames));
    return Stop();
  }
  SoundInput* sound = opened.input.get();
  std::unique_ptr<encoder::VideoJob> job = encoder::VideoJob::Create(
      files_, Encoding(), temp_directory_, &status, sound ? &sound->track() : nullptr);
  if (!job) return Fail(status);
  if (!AnalyseAll(job.get(), nullptr)) return false;
  frame_.SetStatus("Calculating compression data...");
  const encoder::VideoFileSettings file{shape_.width, shape_.height, frame_rate_,
                                        shape_.header_flags, shape_.frames};
  uint64_t bytes = 0;
  status = job->Write(
      output_, file,
      [this](uint32_t i) {
        frame_.SetStatus(Format("Kineting frame %u of %u...", i + 1, shape_.frames));
        frame_.SetProgress(shape_.frames + uint64_t{i}, 2 * uint64_t{shape_.frames},
                           clock_.NowMs() - start_ms_);
        return frame_.error();
      },
      &bytes);
  if (status != encoder::PackStatus::kOk) return Fail(status);
  const uint64_t ratio10 = bytes ? 10 * source_->total_bytes() / bytes : 0;
  const std::string elapsed = toolkit::FormatElapsed(clock_.NowMs() - start_ms_);
  // The ratio, and how many frames stood alone: key frames cost what a data rate allows a
  // frame, so their count tells how much of the picture was coded afresh.
  frame_.SetStatus(Format("Kineted in %s.  From %llu To: %llu (%llu.%llu:1).", elapsed.c_str(),
                          static_cast<unsigned long long>(source_->total_bytes()),
                          static_cast<unsigned long long>(bytes),
                          static_cast<unsigned long long>(ratio10 / 10),
                          static_cast<unsigned long long>(ratio10 % 10)) +
                   Format("  Key frames: %u of %u (%u automatic).", key_frames_, shape_.frames,
                          auto_key_frames_));
  return true;
}

bool PackRun::WriteWithWriter() {
  std::unique_ptr<encoder::FrameEncoder> encoder = encoder::FrameEncoder::Create(Encoding());
  if (!encoder) return Fail(encoder::PackStatus::kOutOfMemory);
  if (!AnalyseAll(nullptr, encoder.get())) return false;
  if (!writer_->Close()) return Stop();
  const std::string elapsed = toolkit::FormatElapsed(clock_.NowMs() - start_ms_);
  frame_.SetStatus(Format("Created %s in %s.", writer_->output_name().c_str(), elapsed.c_str()));
  return true;
}

bool PackRun::Run() {
  if (!OpenSource()) return false;
  // Read before the output is checked, so that the output cannot replace the hint file.
  hints_ = s_.hint_file.empty()
               ? encoder::NoHints(shape_.frames)
               : encoder::ReadHintFile(inputs_, s_.hint_file, first_number_, shape_.frames);
  for (int32_t& code : hints_.rate)
    if (code != encoder::kNoRateCode)
      code =
          encoder::PercentOfSizeRate(code, source_->total_bytes(), source_->frame_count(), period_);
  if (!CheckOutput()) return false;
  start_ms_ = clock_.NowMs();
  return writer_ ? WriteWithWriter() : WriteVideoFile();
}

}  // namespace

bool Pack(StatusFrame& frame, const PackSettings& settings, platform::FileSystem& files,
          platform::Clock& clock) {
  const bool ok = PackRun(files, clock, frame, settings).Run();
  if (settings.delete_hint_file && !settings.hint_file.empty()) files.Remove(settings.hint_file);
  return ok;
}

int RunPack(std::span<const std::string> words, platform::FileSystem& files,
            platform::Clock& clock) {
  toolkit::SwitchLine line(words, SwitchTable());
  const toolkit::ReportSwitches report = toolkit::TakeReportSwitches(line);
  std::unique_ptr<StatusFrame> frame =
      StatusFrame::Open({"Kinet", "KinetPackW compressor 3.0f", report});
  const std::optional<PackSettings> settings = ReadPackSettings(line);
  if (!settings) {
    frame->ShowUsage(kUsageBoxes, line.NotUnderstood(2));
    return frame->Finish(toolkit::RunOutcome::kUsageError);
  }
  const bool ok = Pack(*frame, *settings, files, clock);
  return frame->Finish(ok ? toolkit::RunOutcome::kSucceeded : toolkit::RunOutcome::kFailed);
}

}  // namespace kinet::pack
