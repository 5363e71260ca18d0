#include "toolkit/graphics/image_reader.h"

#include <algorithm>

namespace kinet::toolkit {

uint64_t ImageReader::FileBytes(const std::string& path) const {
  const int64_t size = files_.FileSize(path);
  return size > 0 ? static_cast<uint64_t>(size) : 0;
}

std::unique_ptr<ImageReader> ImageReader::Open(platform::FileSystem& files,
                                               platform::ImageFormat format,
                                               const std::string& path) {
  auto first = platform::ReadImageFile(files, format, path);
  if (!first) return nullptr;
  std::unique_ptr<ImageReader> reader(new ImageReader(files));
  reader->format_ = format;
  reader->path_ = path;
  reader->width_ = first->width, reader->height_ = first->height;
  reader->total_bytes_ = reader->FileBytes(path);
  return reader;
}

std::unique_ptr<ImageReader> ImageReader::OpenSeries(
    platform::FileSystem& files, platform::ImageFormat format, const SeriesName& series,
    const std::function<bool(uint32_t found)>& counting) {
  auto reader = Open(files, format, series.FileName(series.first));
  if (!reader) return nullptr;
  reader->series_ = series;
  reader->total_bytes_ = 0;
  uint32_t found = 0;
  for (; found < series.count(); ++found) {
    const int64_t size = files.FileSize(series.FileName(series.first + found));
    if (size < 0) break;
    reader->total_bytes_ += static_cast<uint64_t>(size);
    if ((found + 1) % kCountingStep == 0 && !counting(found + 1)) return nullptr;
  }
  reader->members_ = std::max(found, 1u);  // the first file was read, whatever it was
  if (found > 0 && found < series.count()) {
    reader->remark_ = "The series ends at " + series.FileName(series.first + found - 1) + ": " +
                      series.FileName(series.first + found) + " is missing.";
  }
  return reader;
}

std::string ImageReader::FileOf(uint32_t frame) const {
  return series_ ? series_->FileName(series_->first + frame) : path_;
}

uint64_t ImageReader::Read(platform::Image& frame) {
  if (next_ >= frame_count()) next_ = 0;
  const std::string path = FileOf(next_);
  auto picture = platform::ReadImageFile(files_, format_, path);
  if (!picture) return 0;
  frame = std::move(*picture);
  ++next_;
  return std::max<uint64_t>(FileBytes(path), 1);
}

bool ImageReader::Rewind() {
  next_ = 0;
  return true;
}

bool ImageReader::Skip(uint32_t count) {
  if (count > frame_count() - next_) return false;
  next_ += count;
  return true;
}

}  // namespace kinet::toolkit
