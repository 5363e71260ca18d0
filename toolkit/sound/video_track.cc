#include "toolkit/sound/video_track.h"

#include <algorithm>
#include <cstring>

#include "lib/core/format.h"
#include "lib/playback/open_input.h"

namespace kinet::toolkit {
namespace {

constexpr uint32_t kUserTracks = 7;
constexpr uint32_t kPieceAlign = 16;
constexpr uint32_t kUndecodedLength = 0xFFFFFFFFu;  // a record that announces no length

// The track index 0..6 asked for, or nothing when the file has no sound at all.
std::optional<uint32_t> ChooseTrack(KinetHandle* handle, int32_t track) {
  if (track >= 1) return std::min<uint32_t>(static_cast<uint32_t>(track), kUserTracks) - 1;
  for (uint32_t t = 0; t < kUserTracks; ++t) {
    if (KinetSoundInTrack(handle, KINET_OPEN_TRACK(t))) return t;
  }
  return std::nullopt;
}

}  // namespace

VideoTrackInput::VideoTrackInput(KinetHandlePtr handle, uint32_t track_mask, uint32_t piece_bytes)
    : handle_(std::move(handle)),
      track_mask_(track_mask),
      piece_((std::max(piece_bytes, 1u) + kPieceAlign - 1) / kPieceAlign * kPieceAlign) {}

bool VideoTrackInput::Seek(uint64_t offset) {
  KinetGoto(handle_.get(), 1);
  next_frame_ = 0;
  piece_at_ = piece_end_ = 0;
  skip_ = offset;
  return !handle_->ReadError;
}

bool VideoTrackInput::NextPiece() {
  KinetHandle* h = handle_.get();
  while (next_frame_ < h->Frames) {
    uint32_t got = KinetGetTrackData(h, piece_.data(), track_mask_);
    if (got == kUndecodedLength) got = 0;
    got = std::min<uint32_t>(got, static_cast<uint32_t>(piece_.size()));
    if (++next_frame_ < h->Frames) KinetNextFrame(h);
    const uint64_t passed = std::min<uint64_t>(skip_, got);
    skip_ -= passed;
    piece_at_ = static_cast<size_t>(passed);
    piece_end_ = got;
    if (piece_at_ < piece_end_) return true;
  }
  return false;
}

size_t VideoTrackInput::Read(uint8_t* out, size_t size) {
  size_t done = 0;
  while (done < size && (piece_at_ < piece_end_ || NextPiece())) {
    const size_t n = std::min(size - done, piece_end_ - piece_at_);
    std::memcpy(out + done, piece_.data() + piece_at_, n);
    piece_at_ += n;
    done += n;
  }
  return done;
}

VideoOpenResult OpenVideoTrack(platform::FileSystem& files, const std::string& path,
                               int32_t track) {
  platform::InputFile file;
  if (!file.Open(files, path)) return {};
  KinetHandlePtr handle(OpenInputFile(std::move(file), 0, -1));
  if (!handle) return {};
  const auto chosen = ChooseTrack(handle.get(), track);
  if (!chosen) return {true, std::nullopt, kNoSoundInFile};
  const uint32_t mask = KINET_OPEN_TRACK(*chosen);
  if (!KinetSoundInTrack(handle.get(), mask)) return {true, std::nullopt, kNoSoundInTrack};

  const uint32_t word = handle->AudioRate[*chosen];
  OpenedInput opened;
  opened.kind = SoundKind::kVideoTrack;
  opened.format = {word & KINET_AUDIO_RATE_MASK, (word & KINET_AUDIO_16BIT) ? 16u : 8u,
                   (word & KINET_AUDIO_STEREO) ? 2u : 1u};
  if (!opened.format.usable()) return {true, std::nullopt, kNoSoundInTrack};
  const uint32_t ticks = FramePeriod(handle->FrameRate);
  opened.frame_ticks = ticks;
  const uint64_t duration =
      BytesForTicks(uint64_t{handle->Frames} * ticks, opened.format.bytes_per_second());
  if (word & KINET_AUDIO_COMPRESSED) {
    opened.length = duration & ~uint64_t{3};
  } else {
    // The rate times the frame count falls short of the sound when frames last long (a
    // 16-bit stereo track at 2 frames per second holds twice that); the sound would be cut.
    opened.length = std::max(uint64_t{opened.format.rate} * handle->Frames, duration);
  }
  const uint32_t piece_bytes = handle->AudioSize[*chosen];
  opened.input = std::make_unique<VideoTrackInput>(std::move(handle), mask, piece_bytes);
  return {true, std::move(opened), {}};
}

}  // namespace kinet::toolkit
