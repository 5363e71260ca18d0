#include "tools/kntinfow/frame_export.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/images/image.h"
#include "toolkit/graphics/graphics_writer.h"
#include "toolkit/knt_report.h"
#include "toolkit/output_check.h"

namespace kinet::info {

namespace {

constexpr char kOutputExists[] = "Error: %s exists (-O replaces it)\n";

void ShowError(std::string_view text) {
  std::fprintf(stderr, "Error: %.*s\n", static_cast<int>(text.size()), text.data());
}

// The graphics writer for -W: errors on stderr, existing outputs kept unless -O.
std::unique_ptr<toolkit::GraphicsWriter> OpenWriter(platform::FileSystem& files,
                                                    toolkit::RunInputs& inputs,
                                                    const KinetHandle& h, const InfoSettings& s,
                                                    uint32_t frames) {
  toolkit::WriterOptions o;
  o.flags = s.overwrite ? toolkit::kWriterOverwrite : 0;
  o.callbacks.report = [](toolkit::ProgressCode code, std::string_view text) {
    if (code == toolkit::ProgressCode::kError) ShowError(text);
    return false;
  };
  o.callbacks.may_overwrite = [](const std::string& path) {
    std::fprintf(stderr, kOutputExists, path.c_str());
    return false;
  };
  o.frame_rate = h.FrameRate;
  o.width = o.pitch = h.Width;
  o.height = h.Height;
  o.frame_count = frames;
  o.name = s.output;
  o.inputs = &inputs;
  return toolkit::CreateGraphicsWriter(files, o);
}

std::string PictureName(const std::string& folder, uint32_t frame) {
  char name[32];
  std::snprintf(name, sizeof name, "/frame%04u.png", frame);
  return folder + name;
}

// The folder of -D, made when missing; false when it cannot be, or when it holds a picture of
// the range already and -O was not given.
bool PrepareFolder(platform::FileSystem& files, toolkit::RunInputs& inputs, const InfoSettings& s,
                   uint32_t last) {
  if (!platform::MakeDirectories(files, s.folder)) {
    ShowError(toolkit::FileFailure("cannot create the folder", files, s.folder));
    return false;
  }
  for (uint32_t f = s.first; f <= last; ++f) {
    const std::string name = PictureName(s.folder, f);
    if (inputs.Holds(name)) {
      ShowError(toolkit::kOutputIsInput);
      return false;
    }
    if (s.overwrite || !files.Exists(name)) continue;
    std::fprintf(stderr, kOutputExists, name.c_str());
    return false;
  }
  return true;
}

// The decoded frame as an 8-bit picture with the frame's palette.
bool WritePicture(platform::FileSystem& files, const std::string& path,
                  const std::vector<uint8_t>& picture, const KinetHandle& h, bool first) {
  platform::Image image;
  image.width = h.Width;
  image.height = h.Height;
  image.bits = 8;
  image.pixels = picture;
  std::copy(h.Palette, h.Palette + 768, image.palette.begin());
  if (platform::WriteImageFile(files, platform::ImageFormat::kPng, path, image, first)) return true;
  ShowError(toolkit::FileFailure("cannot write the picture", files, path));
  return false;
}

}  // namespace

ExportOutcome ExportFrames(platform::FileSystem& files, toolkit::RunInputs& inputs, KinetHandle* h,
                           const InfoSettings& s, const FileTables& tables,
                           const std::function<bool()>& interrupted) {
  constexpr ExportOutcome kFailed = ExportOutcome::kFailed;
  // The ring frame only leads back to the first: it is listed, but no frame of the animation.
  const uint32_t records = h->Frames + ((h->Flags & KINET_FLAG_RING_FRAME) ? 1 : 0);
  const uint32_t last_listed = std::min(s.last, records);
  const uint32_t last = std::min(s.last, h->Frames);
  const bool pictures = !s.folder.empty(), decode = pictures || !s.output.empty();
  if (s.first > (decode ? last : last_listed)) {
    ShowError("no frames in the chosen range");
    return kFailed;
  }
  std::unique_ptr<toolkit::GraphicsWriter> writer;
  if (!s.output.empty() && !(writer = OpenWriter(files, inputs, *h, s, last - s.first + 1)))
    return kFailed;
  if (pictures && !PrepareFolder(files, inputs, s, last)) return kFailed;
  std::vector<uint8_t> picture(size_t{h->Width} * h->Height);
  if (decode)
    KinetToBuffer(h, 0, 0, static_cast<int32_t>(h->Width), static_cast<int32_t>(h->Height),
                  picture.data(), 0);
  if (s.list) std::printf(" frame    bytes before parts\n");
  const uint32_t end = decode && s.list ? std::max(last, last_listed) : decode ? last : last_listed;
  for (uint32_t f = 1; f <= end && !h->ReadError; ++f) {
    if (interrupted()) return ExportOutcome::kInterrupted;
    const bool in_range = f >= s.first;
    if (s.list && in_range && f <= last_listed)
      PrintFrameLine(stdout, *h, f <= tables.records.count() ? tables.records.type(f - 1) : 0);
    if (decode) KinetDoFrame(h);
    const bool wanted = in_range && f <= last && !h->ReadError;
    if (wanted && writer && !writer->WriteFrame(h->Palette, picture.data())) return kFailed;
    if (wanted && pictures &&
        !WritePicture(files, PictureName(s.folder, f), picture, *h, f == s.first))
      return kFailed;
    KinetNextFrame(h);
  }
  return !h->ReadError && (!writer || writer->Close()) ? ExportOutcome::kDone : kFailed;
}

}  // namespace kinet::info
