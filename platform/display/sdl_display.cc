// The SDL displays: a software surface (blitted with SDL's 8-bit blitter) or a renderer with a
// streaming texture; full screen is the renderer on a full-screen window.
#include <SDL.h>

#include <cstring>

#include "platform/display/display.h"
#include "platform/display/sdl_video.h"

namespace kinet::platform {

namespace {

class SdlDisplay : public Display {
 public:
  ~SdlDisplay() override {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (owned_window_) SDL_DestroyWindow(window_);
    ReleaseSdlVideo();
  }

  bool Init(void* window, DisplayKind kind, int width, int height, int shown_w, int shown_h,
            const char* title) {
    if (!AcquireSdlVideo()) return false;
    kind_ = kind;
    width_ = width;
    height_ = height;
    shown_w_ = shown_w;
    shown_h_ = shown_h;
    window_ = static_cast<SDL_Window*>(window);
    if (!window_) {
      const Uint32 flags = kind == DisplayKind::kFullScreen ? SDL_WINDOW_FULLSCREEN : 0;
      window_ = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, shown_w,
                                 shown_h, flags);
      owned_window_ = window_ != nullptr;
    } else if (kind == DisplayKind::kFullScreen) {
      SDL_SetWindowSize(window_, shown_w, shown_h);
      if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) != 0) return false;
    }
    if (!window_) return false;
    std::memset(colours_, 0, sizeof colours_);
    if (kind == DisplayKind::kSoftware) return SDL_GetWindowSurface(window_) != nullptr;
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) return false;
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 width, height);
    return texture_ != nullptr;
  }

  void SetColours(const uint32_t colours[256]) override {
    std::memcpy(colours_, colours, sizeof colours_);
  }

  void Show(const uint8_t* picture, int pitch, const DisplayRect& src, int dest_x,
            int dest_y) override {
    if (kind_ == DisplayKind::kSoftware)
      ShowOnSurface(picture, pitch, src, dest_x, dest_y);
    else
      ShowWithRenderer(picture, pitch, src, dest_x, dest_y);
  }

  bool HasFocus() const override {
    return (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
  }
  void* window() const override { return window_; }

  bool ReadShown(std::vector<uint32_t>& pixels, int& width, int& height) override {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (renderer_) {
      SDL_GetRendererOutputSize(renderer_, &width, &height);
      pixels.resize(size_t(width) * height);
      return SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_XRGB8888, pixels.data(),
                                  width * 4) == 0;
    }
    if (!surface) return false;
    width = surface->w;
    height = surface->h;
    pixels.resize(size_t(width) * height);
    return SDL_ConvertPixels(width, height, surface->format->format, surface->pixels,
                             surface->pitch, SDL_PIXELFORMAT_XRGB8888, pixels.data(),
                             width * 4) == 0;
  }

 private:
  SDL_Rect Scaled(const DisplayRect& r, int x, int y) const {
    return {x * shown_w_ / width_, y * shown_h_ / height_, r.w * shown_w_ / width_,
            r.h * shown_h_ / height_};
  }

  void ShowOnSurface(const uint8_t* picture, int pitch, const DisplayRect& src, int dest_x,
                     int dest_y) {
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (!target) return;
    // The picture is wrapped, not copied: SDL converts through the palette as it blits.
    SDL_Surface* view = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint8_t*>(picture), width_, height_, 8, pitch, SDL_PIXELFORMAT_INDEX8);
    if (!view) return;
    SDL_Color entries[256];
    for (int i = 0; i < 256; ++i)
      entries[i] = {Uint8(colours_[i] >> 16), Uint8(colours_[i] >> 8), Uint8(colours_[i]), 255};
    SDL_SetPaletteColors(view->format->palette, entries, 0, 256);
    SDL_Rect from{src.x, src.y, src.w, src.h};
    SDL_Rect to = Scaled(src, dest_x, dest_y);
    if (shown_w_ == width_ && shown_h_ == height_)
      SDL_BlitSurface(view, &from, target, &to);
    else
      SDL_BlitScaled(view, &from, target, &to);
    SDL_FreeSurface(view);
    SDL_UpdateWindowSurfaceRects(window_, &to, 1);
  }

  void ShowWithRenderer(const uint8_t* picture, int pitch, const DisplayRect& src, int dest_x,
                        int dest_y) {
    void* texels;
    int texture_pitch;
    SDL_Rect area{dest_x, dest_y, src.w, src.h};
    SDL_Rect whole{0, 0, width_, height_};
    if (!SDL_IntersectRect(&area, &whole, &area)) return;
    if (SDL_LockTexture(texture_, &area, &texels, &texture_pitch) != 0) return;
    for (int y = 0; y < area.h; ++y) {
      const uint8_t* in =
          picture + size_t(src.y + y + area.y - dest_y) * pitch + src.x + (area.x - dest_x);
      auto* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(texels) + y * texture_pitch);
      for (int x = 0; x < area.w; ++x) out[x] = colours_[in[x]];
    }
    SDL_UnlockTexture(texture_);
    // A renderer's back buffer is not kept between frames: the whole picture is drawn anew.
    SDL_Rect shown{0, 0, shown_w_, shown_h_};
    SDL_RenderCopy(renderer_, texture_, nullptr, &shown);
    SDL_RenderPresent(renderer_);
  }

  DisplayKind kind_ = DisplayKind::kSoftware;
  int width_ = 0, height_ = 0, shown_w_ = 0, shown_h_ = 0;
  SDL_Window* window_ = nullptr;
  bool owned_window_ = false;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  uint32_t colours_[256];
};

}  // namespace

namespace {
int g_video_users = 0;
}  // namespace

bool AcquireSdlVideo() {
  if (g_video_users == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  ++g_video_users;
  return true;
}

void ReleaseSdlVideo() {
  if (g_video_users > 0 && --g_video_users == 0) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::unique_ptr<Display> OpenDisplay(void* window, DisplayKind kind, int width, int height,
                                     int shown_width, int shown_height, const char* title) {
  if (width <= 0 || height <= 0 || shown_width <= 0 || shown_height <= 0) return nullptr;
  auto display = std::make_unique<SdlDisplay>();
  if (!display->Init(window, kind, width, height, shown_width, shown_height, title)) return nullptr;
  return display;
}

}  // namespace kinet::platform

namespace kinet::platform {

namespace {

constexpr SDL_Keycode kKeySyms[] = {SDLK_ESCAPE, SDLK_SPACE,  SDLK_RETURN,   SDLK_PERIOD,
                                    SDLK_LEFT,   SDLK_RIGHT,  SDLK_PAGEUP,   SDLK_PAGEDOWN,
                                    SDLK_HOME,   SDLK_END};

void Seek(DisplayInput& input, DisplaySeek seek, int seconds = 0) {
  input.seek = seek;
  input.seconds = seconds;
}

}  // namespace

DisplayInput PollDisplayInput() {
  DisplayInput input;
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return input;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_QUIT) input.quit = true;
    if (event.type != SDL_KEYDOWN || event.key.repeat) continue;
    switch (event.key.keysym.sym) {
      case SDLK_ESCAPE:
        input.quit = true;
        break;
      case SDLK_SPACE:
        input.pause = true;
        break;
      case SDLK_RETURN:
        input.skip = true;
        break;
      case SDLK_PERIOD:
        input.step = true;
        break;
      case SDLK_LEFT:
        Seek(input, DisplaySeek::kSeconds, -1);
        break;
      case SDLK_RIGHT:
        Seek(input, DisplaySeek::kSeconds, 1);
        break;
      case SDLK_PAGEUP:
        Seek(input, DisplaySeek::kSeconds, -10);
        break;
      case SDLK_PAGEDOWN:
        Seek(input, DisplaySeek::kSeconds, 10);
        break;
      case SDLK_HOME:
        Seek(input, DisplaySeek::kFirst);
        break;
      case SDLK_END:
        Seek(input, DisplaySeek::kLast);
        break;
      default:
        break;
    }
  }
  return input;
}

bool PostDisplayKey(DisplayKey key) {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.state = SDL_PRESSED;
  e.key.keysym.sym = kKeySyms[static_cast<int>(key)];
  return SDL_PushEvent(&e) == 1;
}

}  // namespace kinet::platform

namespace kinet::platform {

void ArrangeWindow(void* window, int x, int y, int style) {
  auto* w = static_cast<SDL_Window*>(window);
  if (!w) return;
  SDL_SetWindowBordered(w, style <= 1 ? SDL_TRUE : SDL_FALSE);
  SDL_SetWindowResizable(w, style == 0 ? SDL_TRUE : SDL_FALSE);
  SDL_SetWindowPosition(w, x < 0 ? int(SDL_WINDOWPOS_CENTERED) : x,
                        y < 0 ? int(SDL_WINDOWPOS_CENTERED) : y);
}

}  // namespace kinet::platform
