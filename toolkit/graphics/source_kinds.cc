#include "toolkit/graphics/source_kinds.h"

#include <algorithm>
#include <cctype>

#include "platform/files/input_file.h"
#include "platform/images/image.h"
#include "toolkit/graphics/animation_frames.h"
#include "toolkit/graphics/avi_frames.h"
#include "toolkit/graphics/flic_reader.h"
#include "toolkit/graphics/graphics_writer.h"
#include "toolkit/graphics/image_reader.h"
#include "toolkit/graphics/raw_reader.h"
#include "toolkit/graphics/video_file_reader.h"
#include "toolkit/graphics/wav_blanks.h"
#include "toolkit/series_name.h"

namespace kinet::toolkit {
namespace {

using platform::ImageFormat;

constexpr struct {
  SourceKind kind;
  ImageFormat format;
} kPictureKinds[] = {
    {SourceKind::kBmp, ImageFormat::kBmp},   {SourceKind::kGif, ImageFormat::kGif},
    {SourceKind::kTiff, ImageFormat::kTiff}, {SourceKind::kPcx, ImageFormat::kPcx},
    {SourceKind::kTga, ImageFormat::kTga},   {SourceKind::kJpeg, ImageFormat::kJpeg},
    {SourceKind::kPng, ImageFormat::kPng},
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

platform::InputFile OpenFile(platform::FileSystem& files, const std::string& path) {
  platform::InputFile file;
  if (!file.Open(files, path)) file.Close();
  return file;
}

OpenedEntry OpenSeries(platform::FileSystem& files, const SeriesName& series,
                       const GraphicsCallbacks& callbacks) {
  const std::string first = series.FileName(series.first);
  bool cancelled = false;
  const auto counting = [&](uint32_t found) {
    cancelled = callbacks.Progress("Counting the files of the series: " + std::to_string(found) +
                                   "...");
    return !cancelled;
  };
  for (const auto& k : kPictureKinds) {
    if (auto reader = ImageReader::OpenSeries(files, k.format, series, counting)) {
      return {k.kind, first, std::move(reader)};
    }
    if (cancelled) break;
  }
  return {SourceKind::kBmp, first, nullptr, cancelled};
}

}  // namespace

bool IsListName(const std::string& name) { return Lower(ExtensionOf(name)) == ".lst"; }

OpenedEntry OpenEntry(platform::FileSystem& files, const std::string& name,
                      const GraphicsCallbacks& callbacks) {
  if (auto series = ParseSeriesName(name)) return OpenSeries(files, *series, callbacks);
  const bool bare = ExtensionOf(name).empty();
  auto with = [&](const char* extension) { return bare ? name + extension : name; };
  if (Lower(ExtensionOf(name)) == ".wav") {
    return {SourceKind::kWav, name, WavBlankReader::Open(OpenFile(files, name), name)};
  }
  if (auto flic = FlicReader::Open(OpenFile(files, name))) {
    return {SourceKind::kFlic, name, std::move(flic)};
  }
  if (auto video = VideoFileReader::Open(files, with(".knt"))) {
    return {SourceKind::kVideoFile, with(".knt"), std::move(video)};
  }
  // An animated GIF or PNG is a sequence; a single picture is a still like the other formats.
  for (const auto& [extension, kind] :
       {std::pair{".gif", SourceKind::kGif}, std::pair{".png", SourceKind::kPng}}) {
    if (Lower(ExtensionOf(with(extension))) != extension) continue;
    if (auto animation = AnimationFrames::Open(files, with(extension)))
      return {kind, with(extension), std::move(animation)};
  }
  for (const auto& k : kPictureKinds) {
    const std::string path = with(std::string(platform::DefaultExtension(k.format)).c_str());
    if (auto picture = ImageReader::Open(files, k.format, path))
      return {k.kind, path, std::move(picture)};
  }
  if (auto avi = AviFrames::Open(files, with(".avi")))
    return {SourceKind::kAvi, with(".avi"), std::move(avi)};
  if (auto raw = RawReader::Open(OpenFile(files, with(".raw")))) {
    return {SourceKind::kRaw, with(".raw"), std::move(raw)};
  }
  return {SourceKind::kRaw, name, nullptr};
}

}  // namespace kinet::toolkit
