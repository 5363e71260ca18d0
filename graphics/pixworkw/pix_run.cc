#include "graphics/pixworkw/pix_run.h"

#include <memory>

#include "platform/files/file_system.h"
#include "toolkit/elapsed_time.h"
#include "toolkit/graphics/graphics_source.h"
#include "toolkit/graphics/graphics_writer.h"
#include "toolkit/output_check.h"
#include "toolkit/run_inputs.h"

namespace kinet::pix {

namespace {

using toolkit::StatusFrame;

class PixRun {
 public:
  PixRun(StatusFrame& frame, const PixSettings& s, platform::FileSystem& files,
         platform::Clock& clock)
      : frame_(frame), s_(s), files_(files), inputs_(files), clock_(clock),
        start_ms_(clock.NowMs()) {}
  bool Run();

 private:
  bool Fail(const char* text = nullptr);
  bool OpenSource();
  bool CreateWriter();
  bool CopyFrames();

  StatusFrame& frame_;
  const PixSettings& s_;
  platform::FileSystem& files_;
  toolkit::RunInputs inputs_;  // what the source reads
  platform::Clock& clock_;
  uint32_t start_ms_;
  std::unique_ptr<toolkit::GraphicsSource> source_;
  std::unique_ptr<toolkit::GraphicsWriter> writer_;
};

bool PixRun::Fail(const char* text) {
  if (text) frame_.ShowError(text);
  frame_.SetError();
  return false;
}

bool PixRun::OpenSource() {
  source_ = toolkit::GraphicsSource::Open(
      inputs_,
      toolkit::MakeSourceOptions(s_.graphics, toolkit::FrameCallbacks(frame_), "Copying"),
      s_.input);
  if (!source_) return Fail();
  inputs_.AddSeries(source_->series());
  // A range past the source's end would leave an empty output reported as created.
  if (source_->frame_count() == 0) return Fail("No frames to convert in the chosen range.");
  return true;
}

// The output written at the frame's own size; the writer reports its own failures (an output
// that is a file the run reads, an unknown extension, a declined overwrite, a flic that
// cannot be created).
bool PixRun::CreateWriter() {
  const std::string output = OutputName(s_.output);
  if (!toolkit::NamesAFile(frame_, files_, output)) return false;
  toolkit::WriterOptions w;
  w.flags = s_.overwrite ? toolkit::kWriterOverwrite : 0;
  w.callbacks = toolkit::FrameCallbacks(frame_);
  w.frame_rate = toolkit::OutputFrameRate(source_->frame_rate(), s_.frame_rate);
  w.pitch = source_->pitch();
  w.width = source_->width();
  w.height = source_->height();
  w.frame_count = source_->frame_count();
  w.name = output;
  w.inputs = &inputs_;
  writer_ = toolkit::CreateGraphicsWriter(files_, w);
  return writer_ ? true : Fail();
}

bool PixRun::CopyFrames() {
  while (!source_->at_end()) {
    if (!source_->NextFrame()) return Fail();
    if (!writer_->WriteFrame(source_->palette().data(), source_->pixels().data())) return Fail();
    frame_.SetProgress(source_->frames_read(), source_->frame_count(), clock_.NowMs() - start_ms_);
  }
  return writer_->Close() ? true : Fail();
}

bool PixRun::Run() {
  if (!OpenSource() || !CreateWriter() || !CopyFrames()) return false;
  frame_.SetStatus("Created " + writer_->output_name() + " in " +
                   toolkit::FormatElapsed(clock_.NowMs() - start_ms_) + ".");
  return !frame_.error();
}

}  // namespace

bool ConvertGraphics(StatusFrame& frame, const PixSettings& settings, platform::FileSystem& files,
                     platform::Clock& clock) {
  return PixRun(frame, settings, files, clock).Run();
}

int RunPix(std::span<const std::string> words, platform::FileSystem& files,
           platform::Clock& clock) {
  toolkit::SwitchLine line(words, SwitchTable());
  const toolkit::ReportSwitches report = toolkit::TakeReportSwitches(line);
  std::unique_ptr<StatusFrame> frame =
      StatusFrame::Open({"Graphics Processor", "PixWorkW graphics processor 3.0f", report});
  const std::optional<PixSettings> settings = ReadPixSettings(line);
  if (!settings) {
    frame->ShowUsage(kUsageBoxes);
    return frame->Finish(toolkit::RunOutcome::kUsageError);
  }
  const bool ok = ConvertGraphics(*frame, *settings, files, clock);
  return frame->Finish(ok ? toolkit::RunOutcome::kSucceeded : toolkit::RunOutcome::kFailed);
}

}  // namespace kinet::pix
