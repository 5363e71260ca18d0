// The viewer's pictures without widgets: which formats a file is tried as, in which order,
// and the picture as the desktop can show it: 8-bit pictures as they are, deeper ones as 24-bit
// colour, or, on a display of 256 colours or fewer, as 8 bits with 236 colours of their own.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "platform/files/file_system.h"
#include "platform/images/image.h"

namespace kinet::desk {

// The formats a viewed file is tried as; the first that decodes it is shown.
inline constexpr std::array<platform::ImageFormat, 6> kViewOrder = {
    platform::ImageFormat::kBmp,  platform::ImageFormat::kGif, platform::ImageFormat::kTiff,
    platform::ImageFormat::kJpeg, platform::ImageFormat::kTga, platform::ImageFormat::kPcx};

// The colours a deeper picture keeps on a display of 256 colours or fewer: the display keeps
// 20 of its 256 for itself.
inline constexpr int kReducedColours = 236;

using PictureDecoder =
    std::function<std::optional<platform::Image>(platform::ImageFormat, std::span<const uint8_t>)>;

// The picture in `path`, tried in kViewOrder; nothing when the file cannot be read or no
// format fits. Tests hand in a decoder that records what was tried.
std::optional<platform::Image> LoadViewPicture(platform::FileSystem& files, const std::string& path,
                                               const PictureDecoder& decode = platform::DecodeImage);

// The picture as a display of `display_bits` shows it: 8-bit pictures unchanged; deeper ones
// as 24-bit colour, or through ReducedColours when the display has 8 bits or fewer.
platform::Image ShownPicture(const platform::Image& picture, int display_bits);

// The picture as 8 bits with at most kReducedColours colours in palette entries 0 to 235:
// a picture with that few colours keeps them exactly; a richer one gets the colours of a
// median cut of its own colours.
platform::Image ReducedColours(const platform::Image& picture);

}  // namespace kinet::desk
