// Paints the status window's client area into a plain RGB picture, without any window system:
// grey background, the status text and the banner centred on their baselines, and the
// Cancel / Done push button. The window face shows this picture; tests and the screenshot
// program look at it directly.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace kinet::platform {

// The window's outer size follows the classic proportions (32 caption buttons wide, 7 caption
// heights high) for a caption 19 pixels high and caption buttons 18 pixels wide.
inline constexpr int kFaceOuterWidth = 32 * 18;
inline constexpr int kFaceOuterHeight = 7 * 19;
inline constexpr int kFaceClientWidth = kFaceOuterWidth;
inline constexpr int kFaceClientHeight = kFaceOuterHeight - 19;

struct FaceRect {
  int x, y, width, height;
  bool Contains(int px, int py) const {
    return px >= x && py >= y && px < x + width && py < y + height;
  }
};

// The button: x = outer width x 7 / 16, y = outer height x 8 / 21, outer width / 8 by outer
// height / 5, in client coordinates.
FaceRect FaceButtonRect();

struct FacePicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t>
      rgb;  // width x height pixels, 3 bytes each (red, green, blue), rows top down
  // The colour at (x, y) as 0xRRGGBB; the caller keeps x and y inside the picture.
  uint32_t At(int x, int y) const;
};

struct FaceContent {
  std::string_view status;
  std::string_view banner;
  std::string_view button_label;  // "&Cancel" or "&Done"; the '&' marks the underlined key
  bool button_pressed = false;
  int progress_percent = -1;       // 0-100 draws the progress bar left of the button
  std::string_view progress_text;  // shown right of the button ("42% done, 0:13 left")
};

// The progress bar: from the left margin to a margin before the button, centred on it.
FaceRect FaceProgressRect();

// Paints the client area (kFaceClientWidth x kFaceClientHeight). Texts are UTF-8 (file names)
// drawn with the built-in 8x16 font (FontCodesFromUtf8); a text wider than the window is cut at
// both sides.
FacePicture PaintFace(const FaceContent& content);

}  // namespace kinet::platform
