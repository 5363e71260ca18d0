#include "toolkit/graphics/graphics_writer.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/files/output_file.h"
#include "platform/images/image.h"
#include "toolkit/graphics/flic_writer.h"
#include "toolkit/output_check.h"

namespace kinet::toolkit {
namespace {

// Frames arrive with a pitch; the encoders want tight lines.
const uint8_t* TightPicture(const WriterOptions& o, const uint8_t* pixels,
                            std::vector<uint8_t>& scratch) {
  if (o.pitch == o.width) return pixels;
  scratch.resize(size_t{o.width} * o.height);
  for (uint32_t y = 0; y < o.height; ++y) {
    std::copy_n(pixels + size_t{y} * o.pitch, o.width, &scratch[size_t{y} * o.width]);
  }
  return scratch.data();
}

bool ReportProgress(const WriterOptions& o, uint32_t frame, const std::string& file) {
  return !o.callbacks.Progress("Writing frame " + std::to_string(frame) + " to " + file);
}

// "Error writing <name>" with the path and the file service's reason under it.
void ReportWriteError(platform::FileSystem& files, const WriterOptions& o,
                      const std::string& name) {
  o.callbacks.Error(FileFailure("Error writing " + name, files, name));
}

class FlicOutput : public GraphicsWriter {
 public:
  FlicOutput(platform::FileSystem& files, const WriterOptions& options,
             std::unique_ptr<FlicWriter> writer)
      : files_(files), options_(options), writer_(std::move(writer)) {}

  bool WriteFrame(const uint8_t* palette, const uint8_t* pixels) override {
    if (!ReportProgress(options_, ++frames_, options_.name)) return false;
    if (writer_->WriteFrame(palette, TightPicture(options_, pixels, scratch_))) return true;
    ReportWriteError(files_, options_, options_.name);
    return false;
  }
  bool Close() override {
    if (writer_->Close()) return true;
    ReportWriteError(files_, options_, options_.name);
    return false;
  }
  const std::string& output_name() const override { return options_.name; }

 private:
  platform::FileSystem& files_;
  WriterOptions options_;
  std::unique_ptr<FlicWriter> writer_;
  std::vector<uint8_t> scratch_;
  uint32_t frames_ = 0;
};

// One picture per frame. Each picture waits under a temporary name beside its target until
// Close puts them all in place: a failed or cancelled run leaves neither new pictures nor
// changed earlier ones.
class ImageSeriesOutput : public GraphicsWriter {
 public:
  ImageSeriesOutput(platform::FileSystem& files, const WriterOptions& options,
                    platform::ImageFormat format)
      : files_(files),
        options_(options),
        format_(format),
        first_name_(NumberedName(options.name, 1, options.frame_count)) {}

  bool WriteFrame(const uint8_t* palette, const uint8_t* pixels) override {
    // More frames than announced still get names of their own: none overwrites another.
    ++frames_;
    const std::string name =
        NumberedName(options_.name, frames_, std::max(options_.frame_count, frames_));
    if (!ReportProgress(options_, frames_, name)) return false;
    platform::Image image;
    image.width = options_.width, image.height = options_.height, image.bits = 8;
    try {
      const uint8_t* tight = TightPicture(options_, pixels, scratch_);
      image.pixels.assign(tight, tight + size_t{image.width} * image.height);
      staged_.push_back(std::make_unique<platform::SafeOutputFile>());
    } catch (const std::bad_alloc&) {
      options_.callbacks.Error(kImageMemoryError);
      return false;
    }
    std::copy_n(palette, 768, image.palette.begin());
    platform::SafeOutputFile& file = *staged_.back();
    if (!platform::EncodeImage(format_, image, bytes_) || !file.Create(files_, name, frames_ == 1) ||
        !file.Write(bytes_.data(), bytes_.size()) || !file.Close()) {
      ReportWriteError(files_, options_, name);
      return false;
    }
    return true;
  }
  bool Close() override {
    for (auto& file : staged_) {
      if (!file->Commit()) {
        ReportWriteError(files_, options_, file->target());
        return false;
      }
    }
    return true;
  }
  const std::string& output_name() const override { return first_name_; }

 private:
  platform::FileSystem& files_;
  WriterOptions options_;
  platform::ImageFormat format_;
  std::string first_name_;
  std::vector<std::unique_ptr<platform::SafeOutputFile>> staged_;
  std::vector<uint8_t> scratch_, bytes_;
  uint32_t frames_ = 0;
};

// The first of the writer's output files for which `test` holds, if any.
template <class Test>
std::optional<std::string> FirstOutput(const WriterOptions& o, bool series, Test test) {
  const uint32_t count = series ? std::max(o.frame_count, 1u) : 1;
  for (uint32_t i = 1; i <= count; ++i) {
    const std::string name = series ? NumberedName(o.name, i, o.frame_count) : o.name;
    if (test(name)) return name;
  }
  return std::nullopt;
}

}  // namespace

std::string ExtensionOf(const std::string& name) {
  const size_t slash = name.rfind('/');
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return name.substr(dot);
}

std::string NumberedName(const std::string& name, uint32_t index, uint32_t count) {
  if (count <= 1) return name;
  const int digits = count >= 10000  ? 5
                     : count >= 1000 ? 4
                     : count >= 100  ? 3
                     : count >= 10   ? 2
                                     : 1;
  const std::string extension = ExtensionOf(name);
  char number[16];
  std::snprintf(number, sizeof number, "%0*u", digits, index);
  return name.substr(0, name.size() - extension.size()) + number + extension;
}

std::unique_ptr<GraphicsWriter> CreateGraphicsWriter(platform::FileSystem& files,
                                                     const WriterOptions& o) {
  std::string extension = ExtensionOf(o.name);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const bool flic = extension == ".flc";
  const auto format = platform::FormatFromExtension(extension);
  const bool pictures = !flic && format && extension != ".tiff" && extension != ".jpeg";
  if (o.inputs && FirstOutput(o, pictures, [&](const std::string& n) { return o.inputs->Holds(n); })) {
    o.callbacks.Error(kOutputIsInput);
    return nullptr;
  }
  if (!flic && !pictures) {
    if (!(o.flags & kWriterQuietOnOtherTypes)) o.callbacks.Error(kUnsupportedOutput);
    return nullptr;
  }
  if (o.pitch < o.width) return nullptr;
  if (!(o.flags & kWriterOverwrite)) {
    if (auto existing =
            FirstOutput(o, !flic, [&](const std::string& n) { return files.Exists(n); })) {
      if (!o.callbacks.may_overwrite || !o.callbacks.may_overwrite(*existing)) {
        if (o.callbacks.report) o.callbacks.report(ProgressCode::kDeclined, "");
        return nullptr;
      }
    }
  }
  if (!flic) return std::make_unique<ImageSeriesOutput>(files, o, *format);
  auto writer = FlicWriter::Create(files, o.name, o.width, o.height, o.frame_rate);
  if (!writer) {
    o.callbacks.Error(FileFailure(kFlicCreateError, files, o.name));
    return nullptr;
  }
  return std::make_unique<FlicOutput>(files, o, std::move(writer));
}

}  // namespace kinet::toolkit
