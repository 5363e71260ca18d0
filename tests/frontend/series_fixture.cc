#include "tests/frontend/series_fixture.h"

#include <gtest/gtest.h>

#include "platform/files/file_system.h"
#include "platform/images/image.h"

namespace kinet::desk::testing {

void WriteSeries(const TempFolder& dir) {
  for (int f = 1; f <= 3; ++f) {
    platform::Image p;
    p.width = 32;
    p.height = 24;
    p.bits = 8;
    ASSERT_TRUE(p.Allocate());
    for (int i = 0; i < 256; ++i) p.palette[3 * i] = p.palette[3 * i + 1] = static_cast<uint8_t>(i);
    for (size_t i = 0; i < p.pixels.size(); ++i) p.pixels[i] = static_cast<uint8_t>(i * f);
    ASSERT_TRUE(platform::WriteImageFile(platform::SystemFileSystem(), platform::ImageFormat::kBmp,
                                         dir / ("walk" + std::to_string(f) + ".bmp"), p));
  }
}

}  // namespace kinet::desk::testing
