#include "toolkit/sound/sound_source.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "toolkit/sound/pcm_source.h"
#include "toolkit/sound/sound_list.h"
#include "toolkit/sound/sound_open.h"
#include "toolkit/sound/video_track.h"

namespace kinet::toolkit {
namespace {

bool HasExtension(const std::string& name, std::string_view extension) {
  if (name.size() < extension.size()) return false;
  const std::string_view tail = std::string_view(name).substr(name.size() - extension.size());
  return std::equal(tail.begin(), tail.end(), extension.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

std::unique_ptr<SoundSource> OpenInput(const OpenRequest& request, const std::string& name,
                                       OpenedInput opened) {
  const SoundOptions& o = request.options;
  const SoundFormat output = SettleOutput(o, opened.format);
  TimeRange times = ResolveTimes(o.start, o.end, opened.frame_ticks, request.values_count_frames);
  times.start += request.extra_start_ticks;
  const ByteRange range = TrimBytes(opened.length, opened.format, times);
  const std::string remark = opened.remark;
  auto source = std::make_unique<PcmSource>(name, o.callback, std::move(opened), output, range);
  if (source->Start()) {
    if (!remark.empty() && o.callback) o.callback(SoundMessage::kRemark, remark);
    return source;
  }
  if (o.callback) o.callback(SoundMessage::kError, kErrorOpeningInput);
  return nullptr;
}

}  // namespace

uint64_t SoundSource::output_length() const {
  const uint64_t in = input_.bytes_per_second(), out = output_.bytes_per_second();
  if (in == 0 || in == out) return length_;
  const unsigned __int128 bytes = static_cast<unsigned __int128>(length_) * out / in;
  return bytes > UINT64_MAX ? UINT64_MAX : static_cast<uint64_t>(bytes);
}

void SoundSource::ReportProgress() {
  if (!callback_) return;
  const uint64_t done = length_ - std::min(remaining_, length_);
  const auto percent =
      length_ == 0 ? 100 : static_cast<int>(static_cast<unsigned __int128>(done) * 100 / length_);
  char text[48];
  std::snprintf(text, sizeof text, "Processing sound data (%i%%)...", percent);
  callback_(read_before_ ? SoundMessage::kProgress : SoundMessage::kFirstProgress, text);
  read_before_ = true;
}

SoundFormat SettleOutput(const SoundOptions& options, const SoundFormat& input) {
  SoundFormat out = input;
  if (options.rate > 0) out.rate = std::min<uint32_t>(options.rate, kMaxSoundRate);
  if (options.bits == 8 || options.bits == 16) out.bits = options.bits;
  if (options.channels == 1 || options.channels == 2) out.channels = options.channels;
  return out;
}

std::string WithDefaultExtension(const std::string& name, const char* extension) {
  const size_t slash = name.rfind('/');
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) return name;
  return name + extension;
}

std::unique_ptr<SoundSource> OpenRequested(const OpenRequest& request, const std::string& name) {
  const SoundOptions& o = request.options;
  if (name.find('?') != std::string::npos) return OpenSeriesSource(request, name);
  const std::string wav_name = WithDefaultExtension(name, ".wav");
  if (HasExtension(wav_name, ".lst")) return OpenWaveListSource(request, wav_name);
  if (auto file = OpenSoundFile(*request.files, wav_name, o.raw_type, o.skip)) {
    return OpenInput(request, wav_name, std::move(*file));
  }
  const std::string video_name = WithDefaultExtension(name, ".knt");
  VideoOpenResult video = OpenVideoTrack(*request.files, video_name, o.track);
  if (video.opened) return OpenInput(request, video_name, std::move(*video.opened));
  std::string_view error = video.error;
  if (!video.is_video) {
    const std::string avi_name = WithDefaultExtension(name, ".avi");
    AviOpenResult avi = OpenAviAudio(*request.files, avi_name);
    if (avi.opened) return OpenInput(request, avi_name, std::move(*avi.opened));
    error = avi.status == AviOpenStatus::kNoPcmAudio ? kErrorReadingAvi : kErrorOpeningInput;
  }
  if (o.callback) o.callback(SoundMessage::kError, error);
  return nullptr;
}

std::unique_ptr<SoundSource> OpenSoundSource(platform::FileSystem& files,
                                             const SoundOptions& options, const std::string& name) {
  OpenRequest request{options};
  request.files = &files;
  return OpenRequested(request, name);
}

}  // namespace kinet::toolkit
