#include "platform/images/gif_animation.h"

#include <algorithm>
#include <cstring>

#include "platform/images/gif_support.h"

namespace kinet::platform {

struct GifAnimation::Decoder {
  codecs::GifMemoryInput input;
  GifFileType* gif = nullptr;

  explicit Decoder(std::span<const uint8_t> bytes) : input{bytes} {
    int error = 0;
    gif = DGifOpen(&input, codecs::ReadGifFromMemory, &error);
  }
  ~Decoder() {
    int error = 0;
    if (gif) DGifCloseFile(gif, &error);
  }
};

namespace {

// The control block found before a picture, or the defaults (no transparency, kept).
struct Control {
  uint32_t delay_ms = 0;
  int transparent = NO_TRANSPARENT_COLOR;
  int disposal = DISPOSAL_UNSPECIFIED;
};

// Reads records up to the next picture's descriptor, taking its control block. False at the
// end of the file or on a malformed record.
bool NextPicture(GifFileType* gif, Control& control) {
  control = Control();
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif, &type) != GIF_OK || type == TERMINATE_RECORD_TYPE) return false;
    if (type == IMAGE_DESC_RECORD_TYPE) return DGifGetImageDesc(gif) == GIF_OK;
    if (type != EXTENSION_RECORD_TYPE) continue;
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) != GIF_OK) return false;
    GraphicsControlBlock gcb;
    if (code == GRAPHICS_EXT_FUNC_CODE && block &&
        DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK) {
      control.delay_ms = static_cast<uint32_t>(std::max(gcb.DelayTime, 0)) * 10;
      control.transparent = gcb.TransparentColor;
      control.disposal = gcb.DisposalMode;
    }
    while (block) {
      if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
    }
  }
}

// A picture's rectangle is sound when it has pixels within the limits; parts outside the
// screen are clipped when drawn.
bool SoundPicture(const GifImageDesc& d) {
  return d.Left >= 0 && d.Top >= 0 && d.Width > 0 && d.Height > 0 &&
         ImageSidesAllowed(static_cast<uint64_t>(d.Width), static_cast<uint64_t>(d.Height));
}

// The row of the screen that line `i` of a picture of `height` lines lands on.
int RowOfLine(int i, int height, bool interlaced) {
  if (!interlaced) return i;
  static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    const int lines = (height - kStart[pass] + kStep[pass] - 1) / kStep[pass];
    if (i < lines) return kStart[pass] + i * kStep[pass];
    i -= std::max(lines, 0);
  }
  return height;
}

void FillRect(Image& image, uint32_t left, uint32_t top, uint32_t width, uint32_t height,
              const uint8_t* value) {
  const uint32_t bpp = image.BytesPerPixel();
  const uint32_t right = std::min(image.width, left + width);
  const uint32_t bottom = std::min(image.height, top + height);
  for (uint32_t y = top; y < bottom; ++y) {
    for (uint32_t x = left; x < right; ++x) {
      std::memcpy(&image.pixels[(size_t{y} * image.width + x) * bpp], value, bpp);
    }
  }
}

}  // namespace

GifAnimation::~GifAnimation() = default;

std::unique_ptr<GifAnimation> GifAnimation::Decode(std::vector<uint8_t> bytes) {
  if (bytes.size() < 6 || std::memcmp(bytes.data(), "GIF", 3) != 0) return nullptr;
  std::unique_ptr<GifAnimation> animation(new GifAnimation);
  animation->bytes_ = std::move(bytes);
  if (!animation->Scan() || !animation->Restart()) return nullptr;
  return animation;
}

bool GifAnimation::Scan() {
  Decoder decoder(bytes_);
  GifFileType* gif = decoder.gif;
  if (!gif) return false;
  Control control;
  while (delays_.size() < kMaxFrames && NextPicture(gif, control)) {
    const GifImageDesc& d = gif->Image;
    if (!SoundPicture(d)) break;
    if (delays_.empty() && (gif->SWidth <= 0 || gif->SHeight <= 0)) {
      gif->SWidth = d.Left + d.Width, gif->SHeight = d.Top + d.Height;
    }
    line_.resize(static_cast<size_t>(d.Width));
    bool whole = true;
    for (int y = 0; y < d.Height && whole; ++y)
      whole = DGifGetLine(gif, line_.data(), d.Width) == GIF_OK;
    if (!whole) break;
    if (d.ColorMap) bits_ = 24;
    delays_.push_back(control.delay_ms);
  }
  width_ = static_cast<uint32_t>(std::max(gif->SWidth, 0));
  height_ = static_cast<uint32_t>(std::max(gif->SHeight, 0));
  return !delays_.empty() && ImageSidesAllowed(width_, height_);
}

bool GifAnimation::Restart() {
  decoder_ = std::make_unique<Decoder>(bytes_);
  if (!decoder_->gif) return false;
  screen_ = Image();
  screen_.width = width_, screen_.height = height_, screen_.bits = bits_;
  if (!screen_.Allocate()) return false;
  GifFileType* gif = decoder_->gif;
  codecs::CopyGifColours(gif->SColorMap, screen_);
  const uint8_t index = static_cast<uint8_t>(gif->SBackGroundColor);
  const uint8_t background[3] = {screen_.palette[index * 3], screen_.palette[index * 3 + 1],
                                 screen_.palette[index * 3 + 2]};
  FillRect(screen_, 0, 0, width_, height_, bits_ == 8 ? &index : background);
  next_ = 0;
  dispose_ = DISPOSAL_UNSPECIFIED;
  return true;
}

void GifAnimation::Rewind() { next_ = frame_count(); }

bool GifAnimation::Next(Image& frame) {
  if (next_ >= frame_count() && !Restart()) return false;
  if (!DrawNext(frame)) return false;
  ++next_;
  return true;
}

bool GifAnimation::DrawNext(Image& frame) {
  GifFileType* gif = decoder_->gif;
  if (dispose_ == DISPOSE_BACKGROUND) {
    const uint8_t index = static_cast<uint8_t>(gif->SBackGroundColor);
    const uint8_t* rgb = &screen_.palette[index * 3];
    FillRect(screen_, last_left_, last_top_, last_width_, last_height_, bits_ == 8 ? &index : rgb);
  } else if (dispose_ == DISPOSE_PREVIOUS) {
    screen_.pixels = before_.pixels;
  }
  Control control;
  if (!NextPicture(gif, control) || !SoundPicture(gif->Image)) return false;
  const GifImageDesc& d = gif->Image;
  const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
  if (control.disposal == DISPOSE_PREVIOUS) before_.pixels = screen_.pixels;
  line_.resize(static_cast<size_t>(d.Width));
  for (int i = 0; i < d.Height; ++i) {
    if (DGifGetLine(gif, line_.data(), d.Width) != GIF_OK) return false;
    const uint32_t y = static_cast<uint32_t>(d.Top + RowOfLine(i, d.Height, d.Interlace));
    if (y >= height_) continue;
    for (int x = 0; x < d.Width; ++x) {
      const uint32_t sx = static_cast<uint32_t>(d.Left + x);
      const uint8_t pixel = line_[static_cast<size_t>(x)];
      if (sx >= width_ || pixel == control.transparent) continue;
      const size_t at = size_t{y} * width_ + sx;
      if (bits_ == 8) {
        screen_.pixels[at] = pixel;
      } else if (map && map->Colors && pixel < map->ColorCount) {
        screen_.pixels[at * 3] = map->Colors[pixel].Red;
        screen_.pixels[at * 3 + 1] = map->Colors[pixel].Green;
        screen_.pixels[at * 3 + 2] = map->Colors[pixel].Blue;
      }
    }
  }
  dispose_ = static_cast<uint32_t>(control.disposal);
  last_left_ = static_cast<uint32_t>(d.Left), last_top_ = static_cast<uint32_t>(d.Top);
  last_width_ = static_cast<uint32_t>(d.Width), last_height_ = static_cast<uint32_t>(d.Height);
  frame = screen_;
  return true;
}

}  // namespace kinet::platform
