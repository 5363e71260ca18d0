// Program-drawn SDL windows and their events.
#include <SDL.h>

#include <algorithm>
#include <array>

#include "platform/display/sdl_video.h"
#include "platform/display/window.h"

namespace kinet::platform {
namespace {

SDL_Window* W(void* window) { return static_cast<SDL_Window*>(window); }

struct KeyName {
  SDL_Keycode sym;
  WindowKey key;
};
constexpr std::array<KeyName, 24> kKeys = {{
    {SDLK_RETURN, WindowKey::kEnter},
    {SDLK_KP_ENTER, WindowKey::kEnter},
    {SDLK_ESCAPE, WindowKey::kEscape},
    {SDLK_BACKSPACE, WindowKey::kBackspace},
    {SDLK_TAB, WindowKey::kTab},
    {SDLK_PAGEUP, WindowKey::kPageUp},
    {SDLK_PAGEDOWN, WindowKey::kPageDown},
    {SDLK_END, WindowKey::kEnd},
    {SDLK_HOME, WindowKey::kHome},
    {SDLK_LEFT, WindowKey::kLeft},
    {SDLK_UP, WindowKey::kUp},
    {SDLK_RIGHT, WindowKey::kRight},
    {SDLK_DOWN, WindowKey::kDown},
    {SDLK_INSERT, WindowKey::kInsert},
    {SDLK_DELETE, WindowKey::kDelete},
    {SDLK_F1, WindowKey::kF1},
    {SDLK_F2, WindowKey::kF2},
    {SDLK_F3, WindowKey::kF3},
    {SDLK_F4, WindowKey::kF4},
    {SDLK_F5, WindowKey::kF5},
    {SDLK_F6, WindowKey::kF6},
    {SDLK_F7, WindowKey::kF7},
    {SDLK_F8, WindowKey::kF8},
    {SDLK_F9, WindowKey::kF9},
}};

WindowKey KeyOf(SDL_Keycode sym) {
  if (sym == SDLK_F10) return WindowKey::kF10;
  for (const KeyName& k : kKeys)
    if (k.sym == sym) return k.key;
  return WindowKey::kNone;
}

SDL_Keycode SymOf(WindowKey key) {
  if (key == WindowKey::kF10) return SDLK_F10;
  for (const KeyName& k : kKeys)
    if (k.key == key) return k.sym;
  return SDLK_UNKNOWN;
}

bool FromWindowEvent(const SDL_WindowEvent& e, WindowEvent& out) {
  using K = WindowEvent::Kind;
  out.window = e.windowID;
  switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE:
      out.kind = K::kClose;
      return true;
    case SDL_WINDOWEVENT_EXPOSED:
      out.kind = K::kExposed;
      return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      out.kind = K::kFocus;
      return true;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      out.kind = K::kFocusLost;
      return true;
    case SDL_WINDOWEVENT_MINIMIZED:
      out.kind = K::kMinimized;
      return true;
    case SDL_WINDOWEVENT_RESTORED:
      out.kind = K::kRestored;
      return true;
    case SDL_WINDOWEVENT_MOVED:
      out.kind = K::kMoved;
      out.x = e.data1;
      out.y = e.data2;
      return true;
    default:
      return false;
  }
}

// Turns one SDL event into ours; false for events of no interest.
bool FromSdl(const SDL_Event& e, WindowEvent& out) {
  using K = WindowEvent::Kind;
  out = WindowEvent{};
  switch (e.type) {
    case SDL_WINDOWEVENT:
      return FromWindowEvent(e.window, out);
    case SDL_KEYDOWN:
      out.kind = K::kKeyDown;
      out.window = e.key.windowID;
      out.key = KeyOf(e.key.keysym.sym);
      out.shift = (e.key.keysym.mod & KMOD_SHIFT) != 0;
      out.control = (e.key.keysym.mod & KMOD_CTRL) != 0;
      out.alt = (e.key.keysym.mod & KMOD_ALT) != 0;
      return out.key != WindowKey::kNone;
    case SDL_TEXTINPUT:
      out.kind = K::kText;
      out.window = e.text.windowID;
      out.text = e.text.text;
      return true;
    case SDL_MOUSEBUTTONUP:
      out.kind = K::kButtonUp;
      out.window = e.button.windowID;
      out.button = e.button.button == SDL_BUTTON_RIGHT  ? 3
                   : e.button.button == SDL_BUTTON_LEFT ? 1
                                                        : 2;
      out.x = e.button.x;
      out.y = e.button.y;
      return true;
    case SDL_MOUSEMOTION:
      out.kind = K::kPointer;
      out.window = e.motion.windowID;
      out.x = e.motion.x;
      out.y = e.motion.y;
      return true;
    default:
      return false;
  }
}

Uint8 WindowEventCode(WindowEvent::Kind kind) {
  using K = WindowEvent::Kind;
  switch (kind) {
    case K::kClose:
      return SDL_WINDOWEVENT_CLOSE;
    case K::kFocus:
      return SDL_WINDOWEVENT_FOCUS_GAINED;
    case K::kFocusLost:
      return SDL_WINDOWEVENT_FOCUS_LOST;
    case K::kMinimized:
      return SDL_WINDOWEVENT_MINIMIZED;
    case K::kRestored:
      return SDL_WINDOWEVENT_RESTORED;
    case K::kMoved:
      return SDL_WINDOWEVENT_MOVED;
    default:
      return SDL_WINDOWEVENT_EXPOSED;
  }
}

// Ours as an SDL event, for PostWindowEvent.
SDL_Event ToSdl(const WindowEvent& in) {
  using K = WindowEvent::Kind;
  SDL_Event e{};
  switch (in.kind) {
    case K::kKeyDown:
      e.type = SDL_KEYDOWN;
      e.key.windowID = in.window;
      e.key.state = SDL_PRESSED;
      e.key.keysym.sym = SymOf(in.key);
      e.key.keysym.mod = Uint16((in.shift ? KMOD_LSHIFT : 0) | (in.control ? KMOD_LCTRL : 0) |
                                (in.alt ? KMOD_LALT : 0));
      break;
    case K::kText:
      e.type = SDL_TEXTINPUT;
      e.text.windowID = in.window;
      SDL_strlcpy(e.text.text, in.text.c_str(), sizeof e.text.text);
      break;
    case K::kButtonUp:
      e.type = SDL_MOUSEBUTTONUP;
      e.button.windowID = in.window;
      e.button.button = in.button == 3 ? SDL_BUTTON_RIGHT : SDL_BUTTON_LEFT;
      e.button.state = SDL_RELEASED;
      e.button.x = in.x;
      e.button.y = in.y;
      break;
    case K::kPointer:
      e.type = SDL_MOUSEMOTION;
      e.motion.windowID = in.window;
      e.motion.x = in.x;
      e.motion.y = in.y;
      break;
    default:
      e.type = SDL_WINDOWEVENT;
      e.window.windowID = in.window;
      e.window.event = WindowEventCode(in.kind);
      e.window.data1 = in.x;
      e.window.data2 = in.y;
      break;
  }
  return e;
}

}  // namespace

void* OpenWindow(const char* title, int width, int height, const WindowFrame& frame) {
  if (width <= 0 || height <= 0 || !AcquireSdlVideo()) return nullptr;
  Uint32 flags = frame.caption || frame.border ? 0 : SDL_WINDOW_BORDERLESS;
  SDL_Window* window =
      SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
  if (!window) ReleaseSdlVideo();
  return window;
}

void CloseWindow(void* window) {
  if (!window) return;
  SDL_DestroyWindow(W(window));
  ReleaseSdlVideo();
}

void SetWindowTitle(void* window, const char* title) {
  if (window) SDL_SetWindowTitle(W(window), title);
}

// SDL draws a title bar and border together or neither.
void SetWindowFrame(void* window, const WindowFrame& frame) {
  if (window)
    SDL_SetWindowBordered(W(window), frame.caption || frame.border ? SDL_TRUE : SDL_FALSE);
}

void SetClientSize(void* window, int width, int height) {
  if (window) SDL_SetWindowSize(W(window), width, height);
}

void PlaceWindow(void* window, int x, int y) {
  if (!window) return;
  SDL_SetWindowPosition(W(window), x < 0 ? int(SDL_WINDOWPOS_CENTERED) : x,
                        y < 0 ? int(SDL_WINDOWPOS_CENTERED) : y);
}

void WindowPlace(void* window, int& x, int& y) {
  x = y = 0;
  if (window) SDL_GetWindowPosition(W(window), &x, &y);
}

void ClientSize(void* window, int& width, int& height) {
  width = height = 0;
  if (window) SDL_GetWindowSize(W(window), &width, &height);
}

void ShowSystemPointer(bool shown) {
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

bool SystemPointerShown() {
  return !SDL_WasInit(SDL_INIT_VIDEO) || SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE;
}

void MoveSystemPointer(void* window, int x, int y) {
  if (window) SDL_WarpMouseInWindow(W(window), x, y);
}

uint32_t WindowNumber(void* window) { return window ? SDL_GetWindowID(W(window)) : 0; }

bool ReadWindow(void* window, std::vector<uint32_t>& pixels, int& width, int& height) {
  if (!window) return false;
  if (SDL_Renderer* renderer = SDL_GetRenderer(W(window))) {
    if (SDL_GetRendererOutputSize(renderer, &width, &height) != 0) return false;
    pixels.resize(size_t(width) * height);
    return SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_XRGB8888, pixels.data(),
                                width * 4) == 0;
  }
  SDL_Surface* surface = SDL_GetWindowSurface(W(window));
  if (!surface) return false;
  width = surface->w;
  height = surface->h;
  pixels.resize(size_t(width) * height);
  return SDL_ConvertPixels(width, height, surface->format->format, surface->pixels, surface->pitch,
                           SDL_PIXELFORMAT_XRGB8888, pixels.data(), width * 4) == 0;
}

bool PollWindowEvent(WindowEvent& event) {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    if (FromSdl(e, event)) return true;
  }
  return false;
}

bool PostWindowEvent(const WindowEvent& event) {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
  SDL_Event e = ToSdl(event);
  return SDL_PushEvent(&e) == 1;
}

}  // namespace kinet::platform
