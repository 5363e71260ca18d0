// The player window: an SDL window with a display buffer in which everything is drawn and
// decoded, the screen palette with its lock flags, the image origin, the text state, and the
// keys and clicks the window collects. Messages are handled only in Pump(), which the engine
// calls between commands, per loaded line and in every wait.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "kinet/kinet_buffer.h"
#include "scriptplayer/drawing/font.h"
#include "scriptplayer/drawing/pixels.h"
#include "scriptplayer/window/key_queue.h"
#include "scriptplayer/window/pointer.h"

namespace kinet::script {

// Bits of the screen settings word.
namespace screen_bit {
inline constexpr uint32_t kModeCode = 0x1F;
inline constexpr uint32_t kSetByNumber = 0x100;  // SCREENSETTINGS 1 to 4
inline constexpr uint32_t kNoCaption = 0x200;
inline constexpr uint32_t kKeepImage = 0x1000;  // a reused full-screen buffer keeps its image
inline constexpr uint32_t kNoDialogFrame = 0x4000;
inline constexpr uint32_t kThinBorder = 0x8000;
}  // namespace screen_bit

// The display mode (kinet/kinet_buffer.h) the settings word selects.
uint32_t DisplayModeOf(uint32_t settings);

class Screen {
 public:
  Screen();
  ~Screen() { Close(); }
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  // What the next window is made with.
  uint32_t settings = 0x2000;
  int32_t window_x = -1, window_y = -1;  // -1: centred
  std::string title = "KinetScript";
  bool auto_pause = false;
  uint32_t fade_step_ms = 15;

  // SCREENGRAPHICS: makes the window, or reuses it, with an image of width x height, loads
  // the start palette and centres the image. False when no window or buffer can be had.
  bool Open(int32_t width, int32_t height);
  // SCREENTEXT: closes the window and its buffer.
  void Close();
  bool IsOpen() const { return buffer_ != nullptr; }
  KinetBuffer* buffer() const { return buffer_; }
  void* window() const { return window_; }
  void ApplyFrame();  // the caption and border bits, on a window that exists
  void ApplyPlace();  // window_x, window_y

  int32_t client_width() const { return client_width_; }
  int32_t client_height() const { return client_height_; }
  int32_t origin_x = 0, origin_y = 0;

  // The whole image, and copying a changed part of it to the window.
  PixelView View() const;
  void Show(const PixelRect& rect);
  void ShowAll();

  // The pointer the player draws at pointer_x, pointer_y once `pointer_shown` is set (by the
  // first wait for input). It lies on the image only between commands and while a script
  // waits for input: every command starts with it taken off, so nothing draws over it or
  // reads it back, and it is put back when the command has ended.
  Pointer pointer;
  bool pointer_shown = false;
  void TakePointerOff();
  // Draws the pointer again and shows what changed: where it was and where it is now.
  void PutPointerBack();

  // The screen palette (256 x red, green, blue, 0-255) and its lock flags.
  std::array<uint8_t, 768> palette{};
  std::array<bool, 256> locked{};
  // Copies the unlocked entries of `rgb` into the screen palette and shows it.
  void SetPalette(const uint8_t* rgb);

  // Text at the cursor (window coordinates).
  Font font;
  TextColours colours;
  int64_t text_x = 0, text_y = 0;
  void ResetText();
  // Writes one text: "\n" moves to the next line while two more lines fit, "\b" steps back
  // and clears a cell, anything else is drawn as far as it fits and the cursor moves on.
  void WriteText(std::string_view text);

  // Handles the pending window events: painting, focus, the keys and clicks.
  void Pump();
  KeyQueue keys;
  uint32_t left_releases = 0, right_releases = 0;
  int32_t pointer_x = 0, pointer_y = 0;
  bool focused = true, minimized = false;

 private:
  bool OpenBuffer(int32_t width, int32_t height);
  void MeasureClient();
  void Blit(const PixelRect& rect);

  void* window_ = nullptr;
  KinetBuffer* buffer_ = nullptr;
  int32_t client_width_ = 0, client_height_ = 0;
  // What the window shows of the pointer: where and in which shape, and the part of the window
  // shown again since (which may have covered it).
  PixelRect pointer_seen_;
  uint32_t pointer_seen_version_ = 0;
  PixelRect shown_since_;
};

}  // namespace kinet::script
