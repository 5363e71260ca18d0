// Making, reusing and closing the player window, the screen palette and showing the image.
#include "scriptplayer/window/screen.h"

#include <algorithm>

#include "platform/display/window.h"

namespace kinet::script {
namespace {

// The window is made at this size and sized to the image once its buffer exists.
constexpr int kFirstWidth = 320, kFirstHeight = 240;

platform::WindowFrame FrameOf(uint32_t settings) {
  platform::WindowFrame frame;
  frame.caption = !(settings & screen_bit::kNoCaption);
  frame.border = !(settings & screen_bit::kNoDialogFrame) || (settings & screen_bit::kThinBorder);
  return frame;
}

// Grey, red, green and blue ramps of 64 entries each, 0 to 63 in steps of the 6-bit scale.
std::array<uint8_t, 768> StartPalette() {
  std::array<uint8_t, 768> rgb{};
  for (int i = 0; i < 256; ++i) {
    const uint8_t level = static_cast<uint8_t>((i % 64) * 4);
    const int ramp = i / 64;
    for (int c = 0; c < 3; ++c) rgb[3 * i + c] = (ramp == 0 || ramp == c + 1) ? level : 0;
  }
  return rgb;
}

bool Empty(const PixelRect& r) { return r.w <= 0 || r.h <= 0; }

bool SameRect(const PixelRect& a, const PixelRect& b) {
  return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
  if (Empty(a)) return b;
  if (Empty(b)) return a;
  const int64_t x = std::min(a.x, b.x), y = std::min(a.y, b.y);
  return {x, y, std::max(a.x + a.w, b.x + b.w) - x, std::max(a.y + a.h, b.y + b.h) - y};
}

bool Overlap(const PixelRect& a, const PixelRect& b) {
  return !Empty(a) && !Empty(b) && a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h &&
         b.y < a.y + a.h;
}

}  // namespace

uint32_t DisplayModeOf(uint32_t settings) {
  switch (settings & screen_bit::kModeCode) {
    case 22:
      return KINET_MODE_FULL_320X240;
    case 23:
      return settings & screen_bit::kSetByNumber ? KINET_MODE_FULL_320X200 : KINET_MODE_FULL_DIRECT;
    case 24:
      return KINET_MODE_SOFTWARE;
    case 25:
      return KINET_MODE_ACCELERATED;
    default:
      return KINET_MODE_AUTOMATIC;
  }
}

Screen::Screen() : font(BuiltinFont()) {}

bool Screen::Open(int32_t width, int32_t height) {
  if (!window_) {
    window_ = platform::OpenWindow(title.c_str(), kFirstWidth, kFirstHeight, FrameOf(settings));
    if (!window_) return false;
    platform::ShowSystemPointer(false);
  }
  pointer.Forget();
  pointer_seen_ = shown_since_ = {};
  const bool reusable = buffer_ && buffer_->FullScreen && buffer_->Width >= uint32_t(width) &&
                        buffer_->Height >= uint32_t(height);
  if (reusable) {
    if (!(settings & screen_bit::kKeepImage)) KinetBufferClear(buffer_, 0);
  } else if (!OpenBuffer(width, height)) {
    Close();
    return false;
  }
  MeasureClient();
  SetPalette(StartPalette().data());
  ResetText();
  origin_x = (client_width_ - width) / 2;
  origin_y = (client_height_ - height) / 2;
  text_x = origin_x;
  text_y = origin_y;
  Pump();
  ShowAll();
  return true;
}

// A windowed buffer is opened on a window already of its size: a renderer made before the
// window is sized keeps drawing at the old size.
bool Screen::OpenBuffer(int32_t width, int32_t height) {
  KinetBufferClose(buffer_);
  buffer_ = nullptr;
  const uint32_t mode = DisplayModeOf(settings);
  if (mode < KINET_MODE_FULL_320X240 || mode > KINET_MODE_FULL_DIRECT) {
    platform::SetClientSize(window_, width, height);
    ApplyPlace();
    Pump();
  }
  buffer_ = KinetBufferOpen(window_, mode, width, height, 0, 0);
  return buffer_ != nullptr;
}

void Screen::MeasureClient() {
  int w = 0, h = 0;
  platform::ClientSize(window_, w, h);
  client_width_ = buffer_->FullScreen ? int32_t(buffer_->Width) : w;
  client_height_ = buffer_->FullScreen ? int32_t(buffer_->Height) : h;
}

void Screen::Close() {
  KinetBufferClose(buffer_);
  buffer_ = nullptr;
  if (window_) platform::ShowSystemPointer(true);
  platform::CloseWindow(window_);
  window_ = nullptr;
  pointer.Forget();
  pointer_shown = false;
  pointer_seen_ = shown_since_ = {};
  ResetText();
  origin_x = origin_y = 0;
  text_x = text_y = 0;
  keys.Clear();
  left_releases = right_releases = 0;
}

void Screen::ApplyFrame() {
  if (window_) platform::SetWindowFrame(window_, FrameOf(settings));
}

void Screen::ApplyPlace() {
  if (window_) platform::PlaceWindow(window_, window_x, window_y);
}

PixelView Screen::View() const {
  if (!buffer_) return {};
  return {buffer_->Memory, int32_t(buffer_->Width), int32_t(buffer_->Height), buffer_->Pitch};
}

void Screen::Show(const PixelRect& r) {
  shown_since_ = Union(shown_since_, r);
  Blit(r);
}

void Screen::Blit(const PixelRect& r) {
  if (!buffer_ || r.w <= 0 || r.h <= 0) return;
  KinetBufferBlit(buffer_, nullptr, int32_t(r.x), int32_t(r.y), int32_t(r.x), int32_t(r.y),
                  int32_t(r.w), int32_t(r.h));
}

void Screen::ShowAll() {
  if (buffer_) Show({0, 0, buffer_->Width, buffer_->Height});
}

void Screen::TakePointerOff() {
  if (buffer_) pointer.TakeOff(View());
}

void Screen::PutPointerBack() {
  if (!pointer_shown || !buffer_) return;
  const PixelView image = View();
  pointer.TakeOff(image);
  const PixelRect now = pointer.Draw(image, pointer_x, pointer_y);
  const PixelRect was = pointer_seen_;
  const bool moved = !SameRect(now, was) || pointer.version() != pointer_seen_version_;
  const bool covered = Overlap(shown_since_, was);
  shown_since_ = {};
  if (!moved && !covered) return;
  if (moved) Blit(was);
  Blit(now);
  pointer_seen_ = now;
  pointer_seen_version_ = pointer.version();
}

void Screen::SetPalette(const uint8_t* rgb) {
  for (int i = 0; i < 256; ++i) {
    if (!locked[i]) std::copy_n(rgb + 3 * i, 3, palette.begin() + 3 * i);
  }
  pointer.ChooseColours(palette.data());
  if (!buffer_) return;
  KinetBufferNewPalette(buffer_, palette.data(), 0);
  KinetBufferSetPalette(buffer_);
  ShowAll();
}

void Screen::ResetText() {
  font = BuiltinFont();
  colours = TextColours{};
}

}  // namespace kinet::script
