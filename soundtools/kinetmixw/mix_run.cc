#include "soundtools/kinetmixw/mix_run.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "compressor/audio_encoder.h"
#include "compressor/sound_track_encoder.h"
#include "lib/core/format.h"
#include "platform/files/output_file.h"
#include "soundtools/kinetmixw/mix_settings.h"
#include "soundtools/kinetmixw/video_input.h"
#include "toolkit/output_check.h"
#include "toolkit/sound/sound_open.h"
#include "toolkit/sound/sound_source.h"

namespace kinet::mix {

namespace {

using toolkit::StatusFrame;

constexpr std::string_view kCaption = "KinetMix";
constexpr std::string_view kBanner = "Add sound data.  V 3.0g";
constexpr std::string_view kCannotOpenVideo = "Error opening the input Kinetor file.";
constexpr std::string_view kNotVideo = "Input file isn't a Kinetor file.";
constexpr std::string_view kDamagedVideo = "Error reading the input Kinetor file.";
constexpr std::string_view kCannotOpenSound = "Error opening the sound file.";
constexpr std::string_view kCannotCreate = "Error creating output Kinetor file.";
constexpr std::string_view kWriteFailed = "Error writing output Kinetor file.";
constexpr std::string_view kShorterFrames =
    "A shorter frame period (/F) or a lower rate (/R) makes it fit.";

// A raw type packed from /Y5: data that is no sound at all.
constexpr uint32_t kNonSoundData = 4;

std::string Format(const char* pattern, auto... values) {
  char text[256];
  std::snprintf(text, sizeof text, pattern, values...);
  return text;
}

// The track's sound as the track encoder takes it.
class SourceSupply : public encoder::PcmSupply {
 public:
  explicit SourceSupply(std::unique_ptr<toolkit::SoundSource> source)
      : source_(std::move(source)) {}
  size_t Read(uint8_t* out, size_t wanted) override { return source_->Read(out, wanted); }
  bool Rewind() override { return source_->Rewind(); }
  const toolkit::SoundSource& source() const { return *source_; }

 private:
  std::unique_ptr<toolkit::SoundSource> source_;
};

class MixRun {
 public:
  MixRun(StatusFrame& frame, const MixSettings& s, platform::FileSystem& files,
         platform::Clock& clock)
      : frame_(frame), s_(s), files_(files), inputs_(files), clock_(clock) {}
  bool Run();

 private:
  bool Fail(std::string_view text);
  // `text` with the output's path and the file service's reason on a second line.
  std::string WriteFailure(std::string_view text) {
    return toolkit::FileFailure(text, files_, output_);
  }
  bool OpenVideo();
  bool OpenSound();
  bool CheckOutput();
  bool WriteHeaderAndTables();
  bool WriteHead();
  bool MixFrame(uint32_t i, std::vector<uint8_t>& record, std::vector<uint8_t>& out);
  bool WriteTail();
  uint32_t TrackWord() const;

  StatusFrame& frame_;
  MixSettings s_;
  platform::FileSystem& files_;
  toolkit::RunInputs inputs_;  // what the video input and the sound source read
  platform::Clock& clock_;
  VideoInput video_;
  KinetHeader header_{};
  std::vector<uint32_t> sizes_;
  std::vector<uint8_t> types_;
  uint32_t period_ = 0;
  std::string sound_reason_;  // the sound source's first error
  std::unique_ptr<SourceSupply> sound_;
  std::unique_ptr<encoder::SoundTrackEncoder> track_;
  encoder::TrackSettings track_settings_;
  std::string output_;
  platform::SafeOutputFile out_;
};

bool MixRun::Fail(std::string_view text) {
  frame_.ShowError(text);
  frame_.SetError();
  return false;
}

bool MixRun::OpenVideo() {
  s_.input = toolkit::WithDefaultExtension(s_.input, ".knt");
  switch (video_.Open(inputs_, s_.input)) {
    case VideoStatus::kOk:
      break;
    case VideoStatus::kCannotOpen:
      return Fail(kCannotOpenVideo);
    case VideoStatus::kNotVideo:
      return Fail(kNotVideo);
    case VideoStatus::kDamaged:
      return Fail(kDamagedVideo);
  }
  header_ = video_.header();
  sizes_ = video_.sizes();
  types_ = video_.types();
  period_ = MixPeriod(header_.FrameRate, s_.frame_rate);
  return true;
}

// The sound source speaks only through the run: its reason follows the mixer's own message,
// its remark (a cut WAV file) is shown, and its progress is not (the mixer shows frames).
bool MixRun::OpenSound() {
  toolkit::SoundOptions options = s_.sound_options;
  options.callback = [this](toolkit::SoundMessage kind, std::string_view text) {
    if (kind == toolkit::SoundMessage::kError && sound_reason_.empty()) sound_reason_ = text;
    if (kind == toolkit::SoundMessage::kRemark) frame_.SetStatus(text);
  };
  options.cancelled = [this] {
    frame_.Pump();
    return frame_.error();
  };
  const bool raw = options.raw_type != 0;
  if (raw) {
    // Raw data keeps its own format, at the forced rate.
    options.rate = static_cast<int32_t>(toolkit::UnpackRawType(options.raw_type).rate);
    options.bits = options.channels = 0;
  }
  std::unique_ptr<toolkit::SoundSource> source =
      toolkit::OpenSoundSource(inputs_, options, s_.sound);
  if (!source) {
    if (frame_.error()) return false;  // cancelled while a series was measured
    if (sound_reason_.empty()) sound_reason_ = toolkit::kErrorOpeningInput;
    return Fail(std::string(kCannotOpenSound) + "\r\n" + s_.sound + ": " + sound_reason_);
  }
  const toolkit::SoundFormat f = source->format();
  const uint64_t output_length = source->output_length();
  sound_ = std::make_unique<SourceSupply>(std::move(source));

  const uint32_t records = video_.records();
  const uint64_t start_ms = uint64_t{FirstSoundFrame(s_.first_frame, records)} * period_ / 100;
  const uint64_t duration_ms = uint64_t{records} * period_ / 100;
  encoder::TrackSettings& t = track_settings_;
  t.format = {f.channels == 2, f.bits == 16};
  t.rate = f.rate;
  t.lossy_level = s_.lossy_level;
  t.raw = raw;
  t.leading_silence = encoder::TrackBytes(start_ms, f.bytes_per_second(), f.frame_bytes());
  // Raw data ends when the input ends: the leading silence comes in front of all of it.
  if (raw || duration_ms == 0)
    t.track_length = t.leading_silence + output_length / f.frame_bytes() * f.frame_bytes();
  else
    t.track_length = encoder::TrackBytes(duration_ms, f.bytes_per_second(), f.frame_bytes());
  t.loop = s_.loop;
  t.ring = (header_.Flags & KINET_FLAG_RING_FRAME) != 0;
  t.period = period_;
  if (!t.FitsAPlayer())
    return Fail(std::string(encoder::kFramesTooLongForSound) + "\r\n" +
                std::string(kShorterFrames));
  track_ = std::make_unique<encoder::SoundTrackEncoder>(*sound_, t);
  return true;
}

bool MixRun::CheckOutput() {
  output_ = toolkit::WithDefaultExtension(s_.output, ".knt");
  return toolkit::MayWriteOutput(frame_, inputs_, output_, s_.overwrite);
}

// The header word of the track: a coded track, raw sound, or raw data (the rate alone, so
// that no player takes it for sound).
uint32_t MixRun::TrackWord() const {
  const encoder::TrackSettings& t = track_settings_;
  if (t.raw && (s_.sound_options.raw_type & kNonSoundData)) return t.rate;
  return encoder::TrackDescriptor(t.rate, t.format, t.raw);
}

bool MixRun::WriteHeaderAndTables() {
  uint8_t bytes[KINET_HEADER_SIZE];
  SerializeHeader(header_, bytes);
  std::vector<uint8_t> table(4 * sizes_.size());
  for (size_t i = 0; i < sizes_.size(); ++i) StoreLe32(table.data() + 4 * i, sizes_[i]);
  return out_.Write(bytes, sizeof bytes) && out_.Write(table.data(), table.size()) &&
         out_.Write(types_.data(), types_.size());
}

// Header and tables as the input has them, then the trees; both tables change frame by frame.
bool MixRun::WriteHead() {
  if (!out_.Create(files_, output_)) return Fail(WriteFailure(kCannotCreate));
  header_.AudioRate[s_.track] = TrackWord();
  if (s_.frame_rate != 0) header_.FrameRate = -static_cast<int32_t>(period_);
  if (!WriteHeaderAndTables()) return Fail(WriteFailure(kWriteFailed));
  bool written = true;
  const bool read = video_.CopyTrees(
      [&](const uint8_t* piece, size_t n) { return written = out_.Write(piece, n); });
  if (!written) return Fail(WriteFailure(kWriteFailed));
  return read || Fail(kDamagedVideo);
}

// Copies frame `i` with the chosen track's record replaced by the encoder's, or added.
bool MixRun::MixFrame(uint32_t i, std::vector<uint8_t>& record, std::vector<uint8_t>& out) {
  if (!video_.ReadRecord(i, record)) return Fail(kDamagedVideo);
  const std::optional<FrameParts> parts =
      SplitFrameRecord(record.data(), static_cast<uint32_t>(record.size()), types_[i]);
  if (!parts) return Fail(kDamagedVideo);
  const std::vector<uint8_t> sound = track_->Record(i);
  if (track_->failed()) return Fail(kWriteFailed);
  out.assign(record.begin(), record.begin() + parts->palette_length);
  for (uint32_t t = 0; t < KINET_TRACKS; ++t) {
    const FrameParts::Span& part = parts->tracks[t];
    if (t == s_.track)
      out.insert(out.end(), sound.begin(), sound.end());
    else
      out.insert(out.end(), record.begin() + part.offset,
                 record.begin() + part.offset + part.length);
  }
  out.insert(out.end(), record.begin() + parts->video_offset, record.end());
  if (out.size() > UINT32_MAX) return Fail(kWriteFailed);
  const uint8_t bit = static_cast<uint8_t>(KINET_FRAME_AUDIO(s_.track));
  types_[i] = static_cast<uint8_t>(sound.empty() ? types_[i] & ~bit : types_[i] | bit);
  sizes_[i] = static_cast<uint32_t>(out.size());
  return out_.Write(out.data(), out.size()) || Fail(WriteFailure(kWriteFailed));
}

// The header with the track's final words, and the two tables as the frames came out.
bool MixRun::WriteTail() {
  KinetHeader track{};
  track_->FinishHeader(track);
  header_.AudioSize[s_.track] = track.AudioSize[0];
  header_.AudioRate[s_.track] = track.AudioSize[0] ? TrackWord() : 0;
  if (!out_.Seek(0) || !WriteHeaderAndTables() || !out_.Commit())
    return Fail(WriteFailure(kWriteFailed));
  return true;
}

bool MixRun::Run() {
  if (!OpenVideo() || !OpenSound() || !CheckOutput() || !WriteHead()) return false;
  std::vector<uint8_t> record, out;
  const uint32_t n = video_.records();
  const uint32_t start_ms = clock_.NowMs();
  for (uint32_t i = 0; i < n; ++i) {
    frame_.SetStatus(Format("Mixing sound data into frame %u of %u...", i + 1, n));
    frame_.SetProgress(i, n, clock_.NowMs() - start_ms);
    if (frame_.error() || !MixFrame(i, record, out)) return false;
  }
  if (!WriteTail()) return false;
  const uint64_t decoded = track_->decoded_total();
  const int64_t saved =
      decoded ? 100 - static_cast<int64_t>(track_->record_total() * 100 / decoded) : 0;
  frame_.SetStatus(Format("Successfully mixed.  Compressed by %lld %%.", (long long)saved));
  return true;
}

}  // namespace

int RunMixOn(StatusFrame& frame, toolkit::SwitchLine& line, platform::FileSystem& files,
             platform::Clock& clock) {
  const MixLine read = ReadMixSettings(line);
  if (const LineFault* fault = std::get_if<LineFault>(&read)) {
    if (*fault == LineFault::kSyntax)
      frame.ShowUsage(std::span<const std::string_view>(&kSyntax, 1), line.NotUnderstood(3));
    else
      frame.ShowError(kTrackMessage);
    return frame.Finish(toolkit::RunOutcome::kUsageError);
  }
  const bool ok = MixRun(frame, std::get<MixSettings>(read), files, clock).Run();
  return frame.Finish(ok ? toolkit::RunOutcome::kSucceeded : toolkit::RunOutcome::kFailed);
}

int RunMix(std::span<const std::string> words) {
  toolkit::SwitchLine line(words, SwitchTable());
  const toolkit::ReportSwitches report = toolkit::TakeReportSwitches(line);
  std::unique_ptr<StatusFrame> frame =
      StatusFrame::Open({std::string(kCaption), std::string(kBanner), report});
  return RunMixOn(*frame, line, platform::SystemFileSystem(), platform::SystemClock());
}

}  // namespace kinet::mix
