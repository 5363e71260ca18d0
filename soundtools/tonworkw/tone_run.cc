#include "soundtools/tonworkw/tone_run.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "platform/files/file_system.h"
#include "soundtools/tonworkw/tone_output.h"
#include "soundtools/tonworkw/tone_settings.h"
#include "toolkit/output_check.h"
#include "toolkit/sound/sound_callbacks.h"
#include "toolkit/sound/sound_open.h"

namespace kinet::tone {

namespace {

using toolkit::StatusFrame;

constexpr std::string_view kCaption = "Sound Processor";
constexpr std::string_view kBanner = "Version: 3.0g";
constexpr std::string_view kCannotCreate = "Error creating the output file.";
constexpr std::string_view kWriteFailed = "Error writing to the output file.";

constexpr size_t kBlock = 16384;
// Progress texts come at most this often; between them the frame still looks for a cancel.
constexpr uint32_t kProgressSpacingMs = 250;

toolkit::SoundCallback SpacedCallback(StatusFrame& frame, platform::Clock& clock) {
  return [&frame, &clock, shown = toolkit::FrameSoundCallback(frame),
          last = std::optional<uint32_t>()](toolkit::SoundMessage kind,
                                            std::string_view text) mutable {
    if (kind == toolkit::SoundMessage::kProgress ||
        kind == toolkit::SoundMessage::kFirstProgress) {
      const uint32_t now = clock.NowMs();
      if (last && now - *last < kProgressSpacingMs) return frame.Pump();
      last = now;
    }
    shown(kind, text);
  };
}

bool Fail(StatusFrame& frame, std::string_view text) {
  frame.ShowError(text);
  frame.SetError();
  return false;
}

bool Convert(StatusFrame& frame, const ToneSettings& s, platform::FileSystem& files,
             platform::Clock& clock) {
  toolkit::SoundOptions options = s.sound_options;
  options.callback = SpacedCallback(frame, clock);
  options.cancelled = [&frame] {
    frame.Pump();
    return frame.error();
  };
  toolkit::RunInputs inputs(files);
  std::unique_ptr<toolkit::SoundSource> source = toolkit::OpenSoundSource(inputs, options, s.input);
  if (!source) {
    // A wave list that cannot be read fails without a message of its own.
    return frame.error() || Fail(frame, toolkit::kErrorOpeningInput);
  }
  const std::string output = toolkit::WithDefaultExtension(s.output, ".wav");
  if (!toolkit::MayWriteOutput(frame, inputs, output, s.overwrite)) return false;
  ToneOutput out;
  if (!out.Create(files, output, source->format()))
    return Fail(frame, toolkit::FileFailure(kCannotCreate, files, output));
  std::vector<uint8_t> block(kBlock);
  const uint32_t start_ms = clock.NowMs();
  std::optional<uint32_t> bar_ms;
  while (!source->at_end() && !frame.error()) {
    const size_t got = source->Read(block.data(), block.size());
    // The source gives fewer bytes than asked only at its end.
    if (got == 0) break;
    if (!out.Write(block.data(), got))
      return Fail(frame, toolkit::FileFailure(kWriteFailed, files, output));
    if (const uint32_t now = clock.NowMs(); !bar_ms || now - *bar_ms >= kProgressSpacingMs) {
      bar_ms = now;
      frame.SetProgress(source->length() - source->remaining(), source->length(), now - start_ms);
    }
  }
  if (frame.error()) return false;
  if (!out.Finish()) return Fail(frame, toolkit::FileFailure(kWriteFailed, files, output));
  char text[512];
  std::snprintf(text, sizeof text, "Created %s - %llu bytes written.", output.c_str(),
                static_cast<unsigned long long>(out.length()));
  frame.SetStatus(text);
  return true;
}

}  // namespace

int RunToneOn(StatusFrame& frame, toolkit::SwitchLine& line, platform::FileSystem& files,
              platform::Clock& clock) {
  const std::optional<ToneSettings> settings = ReadToneSettings(line);
  if (!settings) {
    frame.ShowUsage(std::span<const std::string_view>(&kSyntax, 1), line.NotUnderstood(2));
    return frame.Finish(toolkit::RunOutcome::kUsageError);
  }
  const bool ok = Convert(frame, *settings, files, clock);
  return frame.Finish(ok ? toolkit::RunOutcome::kSucceeded : toolkit::RunOutcome::kFailed);
}

int RunTone(std::span<const std::string> words) {
  toolkit::SwitchLine line(words, SwitchTable());
  const toolkit::ReportSwitches report = toolkit::TakeReportSwitches(line);
  std::unique_ptr<StatusFrame> frame =
      StatusFrame::Open({std::string(kCaption), std::string(kBanner), report});
  return RunToneOn(*frame, line, platform::SystemFileSystem(), platform::SystemClock());
}

}  // namespace kinet::tone
