// Still pictures as frames: one picture file, or a numbered series with one file per frame.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/images/image.h"
#include "toolkit/graphics/frame_reader.h"
#include "toolkit/series_name.h"

namespace kinet::toolkit {

// Still pictures show at 10 frames per second unless the tool sets a rate.
inline constexpr int32_t kStillFrameRate = 100;

class ImageReader : public FrameReader {
 public:
  // One picture file of `format` in `files`, which must outlive the reader. Nothing when it
  // is not a readable picture of that format. Only the sides are kept: a list of many
  // pictures holds no pixels until each is read.
  static std::unique_ptr<ImageReader> Open(platform::FileSystem& files,
                                           platform::ImageFormat format, const std::string& path);
  // A series of `format` files; its first file must be a readable picture of that format.
  // The series ends before its first missing number (the reader's remark names it), so a
  // range far beyond the files there costs nothing. `counting` is asked after every
  // kCountingStep files found, with the count so far; false cancels and gives nothing.
  static std::unique_ptr<ImageReader> OpenSeries(
      platform::FileSystem& files, platform::ImageFormat format, const SeriesName& series,
      const std::function<bool(uint32_t found)>& counting);
  static constexpr uint32_t kCountingStep = 1024;

  uint32_t width() const override { return width_; }
  uint32_t height() const override { return height_; }
  uint32_t frame_count() const override { return series_ ? members_ : 1; }
  int32_t frame_rate() const override { return kStillFrameRate; }
  uint64_t total_bytes() const override { return total_bytes_; }

  // 0 when the frame's file is missing or not a picture of the format.
  uint64_t Read(platform::Image& frame) override;
  bool Rewind() override;
  bool Skip(uint32_t count) override;
  std::string NextFile() const override { return FileOf(next_ < frame_count() ? next_ : 0); }
  std::string Remark() const override { return remark_; }
  const SeriesName* series() const override { return series_ ? &*series_ : nullptr; }

 private:
  explicit ImageReader(platform::FileSystem& files) : files_(files) {}
  std::string FileOf(uint32_t frame) const;
  uint64_t FileBytes(const std::string& path) const;

  platform::FileSystem& files_;
  platform::ImageFormat format_{};
  std::string path_;
  std::optional<SeriesName> series_;
  uint32_t width_ = 0, height_ = 0, next_ = 0;
  uint32_t members_ = 0;  // files of the series from its first number on, up to a missing one
  std::string remark_;
  uint64_t total_bytes_ = 0;
};

}  // namespace kinet::toolkit
