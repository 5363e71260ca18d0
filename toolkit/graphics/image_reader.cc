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

std::unique_ptr<ImageReader> ImageReader::OpenSeries(platform::FileSystem& files,
                                                     platform::ImageFormat format,
                                                     const SeriesName& series) {
  auto reader = Open(files, format, series.FileName(series.first));
  if (!reader) return nullptr;
  reader->series_ = series;
  // The series' size counts every file that is there now; missing ones fail when read.
  reader->total_bytes_ = 0;
  for (uint32_t i = 0; i < series.count(); ++i) {
    reader->total_bytes_ += reader->FileBytes(series.FileName(series.first + i));
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
