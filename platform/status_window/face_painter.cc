#include "platform/status_window/face_painter.h"

#include <algorithm>
#include <string>

#include "platform/font/bitmap_font.h"

namespace kinet::platform {
namespace {

constexpr uint32_t kFaceGrey = 0xC0C0C0;  // red 192, green 192, blue 192
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kShadow = 0x808080;
constexpr uint32_t kBar = 0x000080;  // the filled part of the progress bar
// The font's baseline lies under its row 12.
constexpr int kBaselineRow = 12;

class Canvas {
 public:
  explicit Canvas(FacePicture& picture) : p_(picture) {}

  void Dot(int x, int y, uint32_t colour) {
    if (x < 0 || y < 0 || x >= p_.width || y >= p_.height) return;
    uint8_t* px = &p_.rgb[(static_cast<size_t>(y) * p_.width + x) * 3];
    px[0] = static_cast<uint8_t>(colour >> 16);
    px[1] = static_cast<uint8_t>(colour >> 8);
    px[2] = static_cast<uint8_t>(colour);
  }
  void Fill(const FaceRect& r, uint32_t colour) {
    for (int y = r.y; y < r.y + r.height; ++y) {
      for (int x = r.x; x < r.x + r.width; ++x) Dot(x, y, colour);
    }
  }
  void HLine(int x, int y, int length, uint32_t colour) { Fill({x, y, length, 1}, colour); }
  void VLine(int x, int y, int length, uint32_t colour) { Fill({x, y, 1, length}, colour); }

  // Draws `text` centred on `centre_x` with its baseline at `baseline`; returns the left edge.
  int CentredText(std::string_view text, int centre_x, int baseline, uint32_t colour) {
    int left = centre_x - static_cast<int>(text.size()) * kFontGlyphWidth / 2;
    int top = baseline - kBaselineRow;
    for (size_t i = 0; i < text.size(); ++i) {
      auto glyph = BuiltinGlyph(static_cast<unsigned char>(text[i]));
      int gx = left + static_cast<int>(i) * kFontGlyphWidth;
      for (int row = 0; row < kFontGlyphHeight; ++row) {
        for (int bit = 0; bit < kFontGlyphWidth; ++bit) {
          if (glyph[row] & (0x80 >> bit)) Dot(gx + bit, top + row, colour);
        }
      }
    }
    return left;
  }

 private:
  FacePicture& p_;
};

// A default push button: black frame, raised bevel (sunken when pressed), the label with its
// key letter underlined, and the dotted focus rectangle (the button always has the focus).
void PaintButton(Canvas& canvas, const FaceRect& r, std::string_view label, bool pressed) {
  canvas.Fill(r, kFaceGrey);
  canvas.HLine(r.x, r.y, r.width, kBlack);
  canvas.HLine(r.x, r.y + r.height - 1, r.width, kBlack);
  canvas.VLine(r.x, r.y, r.height, kBlack);
  canvas.VLine(r.x + r.width - 1, r.y, r.height, kBlack);
  uint32_t light = pressed ? kShadow : kWhite;
  canvas.HLine(r.x + 1, r.y + 1, r.width - 2, light);
  canvas.VLine(r.x + 1, r.y + 1, r.height - 2, light);
  if (!pressed) {
    canvas.HLine(r.x + 1, r.y + r.height - 2, r.width - 2, kShadow);
    canvas.VLine(r.x + r.width - 2, r.y + 1, r.height - 2, kShadow);
  }
  std::string text;
  int key = -1;
  for (char c : label) {
    if (c == '&' && key < 0) {
      key = static_cast<int>(text.size());
    } else {
      text += c;
    }
  }
  int shift = pressed ? 1 : 0;
  int baseline = r.y + (r.height + kFontGlyphHeight) / 2 - 3 + shift;
  int left = canvas.CentredText(text, r.x + r.width / 2 + shift, baseline, kBlack);
  if (key >= 0 && key < static_cast<int>(text.size())) {
    canvas.HLine(left + key * kFontGlyphWidth, baseline + 1, kFontGlyphWidth - 1, kBlack);
  }
  for (int x = r.x + 4; x < r.x + r.width - 4; x += 2) {
    canvas.Dot(x, r.y + 4, kBlack);
    canvas.Dot(x, r.y + r.height - 5, kBlack);
  }
  for (int y = r.y + 4; y < r.y + r.height - 4; y += 2) {
    canvas.Dot(r.x + 4, y, kBlack);
    canvas.Dot(r.x + r.width - 5, y, kBlack);
  }
}

// A sunken well with its done part filled.
void PaintProgress(Canvas& canvas, int percent, std::string_view text) {
  const FaceRect r = FaceProgressRect();
  canvas.HLine(r.x, r.y, r.width, kShadow);
  canvas.VLine(r.x, r.y, r.height, kShadow);
  canvas.HLine(r.x, r.y + r.height - 1, r.width, kWhite);
  canvas.VLine(r.x + r.width - 1, r.y, r.height, kWhite);
  const int inner = r.width - 4;
  canvas.Fill({r.x + 2, r.y + 2, inner * std::clamp(percent, 0, 100) / 100, r.height - 4}, kBar);
  const FaceRect button = FaceButtonRect();
  const int left = button.x + button.width + 24;
  const int room = (kFaceClientWidth - left) / kFontGlyphWidth;
  const std::string shown(text.substr(0, static_cast<size_t>(std::max(room, 0))));
  canvas.CentredText(shown, left + static_cast<int>(shown.size()) * kFontGlyphWidth / 2,
                     button.y + (button.height + kFontGlyphHeight) / 2 - 3, kBlack);
}

}  // namespace

FaceRect FaceProgressRect() {
  const FaceRect button = FaceButtonRect();
  return {24, button.y + button.height / 2 - 7, button.x - 48, 14};
}

FaceRect FaceButtonRect() {
  return {kFaceOuterWidth * 7 / 16, kFaceOuterHeight * 8 / 21, kFaceOuterWidth / 8,
          kFaceOuterHeight / 5};
}

uint32_t FacePicture::At(int x, int y) const {
  const uint8_t* px = &rgb[(static_cast<size_t>(y) * width + x) * 3];
  return (uint32_t{px[0]} << 16) | (uint32_t{px[1]} << 8) | px[2];
}

FacePicture PaintFace(const FaceContent& content) {
  FacePicture picture;
  picture.width = kFaceClientWidth;
  picture.height = kFaceClientHeight;
  picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
  Canvas canvas(picture);
  canvas.Fill({0, 0, picture.width, picture.height}, kFaceGrey);
  canvas.CentredText(FontCodesFromUtf8(content.status), picture.width / 2, picture.height * 8 / 27,
                     kBlack);
  canvas.CentredText(FontCodesFromUtf8(content.banner), picture.width / 2, picture.height * 11 / 12,
                     kBlack);
  PaintButton(canvas, FaceButtonRect(), content.button_label, content.button_pressed);
  if (content.progress_percent >= 0)
    PaintProgress(canvas, content.progress_percent, content.progress_text);
  return picture;
}

}  // namespace kinet::platform
