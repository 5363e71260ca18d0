#include "platform/status_window/window_face.h"

#include <SDL.h>

#include <cstring>

namespace kinet::platform {
namespace {

// SDL's boxes split lines at LF; the tools' texts end their lines with CR LF.
std::string BoxText(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != '\r') out += c;
  }
  return out;
}

// The offscreen and dummy drivers have no screen to put a box or a button on.
bool HasDisplay() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && std::strcmp(driver, "offscreen") != 0 &&
         std::strcmp(driver, "dummy") != 0;
}

class SdlDialogs : public Dialogs {
 public:
  bool Message(SDL_Window* owner, MessageIcon icon, const std::string& title,
               const std::string& text) override {
    if (!HasDisplay()) return false;
    Uint32 flags = icon == MessageIcon::kError         ? SDL_MESSAGEBOX_ERROR
                   : icon == MessageIcon::kInformation ? SDL_MESSAGEBOX_INFORMATION
                                                       : 0;
    return SDL_ShowSimpleMessageBox(flags, title.c_str(), BoxText(text).c_str(), owner) == 0;
  }

  std::optional<bool> Ask(SDL_Window* owner, const std::string& title, const std::string& question,
                          bool default_no) override {
    if (!HasDisplay()) return std::nullopt;
    constexpr Uint32 kReturn = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    constexpr Uint32 kEscape = SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    const SDL_MessageBoxButtonData buttons[] = {
        {default_no ? 0 : kReturn, 1, "Yes"},
        {(default_no ? kReturn : 0) | kEscape, 0, "No"},
    };
    std::string text = BoxText(question);
    const SDL_MessageBoxData data = {
        SDL_MESSAGEBOX_INFORMATION, owner, title.c_str(), text.c_str(), 2, buttons, nullptr};
    int pressed = -1;
    if (SDL_ShowMessageBox(&data, &pressed) != 0) return std::nullopt;
    return pressed == 1;  // closing the box answers "No"
  }
};

bool IsButtonKey(const SDL_Keysym& key, char mnemonic) {
  if (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER || key.sym == SDLK_SPACE) return true;
  return (key.mod & KMOD_ALT) != 0 && key.sym == SDLK_a + (mnemonic - 'a');
}

}  // namespace

std::unique_ptr<Dialogs> OpenSdlDialogs() { return std::make_unique<SdlDialogs>(); }

WindowFace::WindowFace(const FaceOptions& options, Console& console,
                       std::unique_ptr<Dialogs> dialogs)
    : banner_(options.banner),
      console_(console),
      fallback_(console),
      dialogs_(std::move(dialogs)) {}

std::unique_ptr<WindowFace> WindowFace::Create(const FaceOptions& options, Console& console,
                                               std::unique_ptr<Dialogs> dialogs) {
  // Ctrl-C belongs to the console, which turns it into a cancel request.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // A few grey pixels need no 3D renderer; the plain window surface starts faster and loads no
  // graphics drivers.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // The close box is a cancel request of its own; a quit event behind it would ask twice.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
  std::unique_ptr<WindowFace> face(new WindowFace(options, console, std::move(dialogs)));
  face->window_ =
      SDL_CreateWindow(options.caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                       kFaceClientWidth, kFaceClientHeight, SDL_WINDOW_HIDDEN);
  if (face->window_ == nullptr) return nullptr;  // the destructor shuts video down again
  return face;
}

WindowFace::~WindowFace() {
  Close();
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

FacePicture WindowFace::Picture() const {
  return PaintFace(
      {status_, banner_, button_label_, button_down_, progress_percent_, progress_text_});
}

uint32_t WindowFace::WindowId() const { return window_ != nullptr ? SDL_GetWindowID(window_) : 0; }

void WindowFace::Repaint() {
  if (window_ == nullptr || !shown_) return;
  FacePicture picture = Picture();
  SDL_Surface* source =
      SDL_CreateRGBSurfaceWithFormatFrom(picture.rgb.data(), picture.width, picture.height, 24,
                                         picture.width * 3, SDL_PIXELFORMAT_RGB24);
  SDL_Surface* target = SDL_GetWindowSurface(window_);
  if (source != nullptr && target != nullptr) {
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_UpdateWindowSurface(window_);
  }
  SDL_FreeSurface(source);
}

bool WindowFace::CanWaitForDone() const { return window_ != nullptr && shown_ && HasDisplay(); }

void WindowFace::Refocus() {
  if (window_ != nullptr && shown_ && !minimised_) SDL_RaiseWindow(window_);
}

void WindowFace::SetStatus(std::string_view text) {
  status_ = text;
  if (window_ != nullptr && !shown_ && !minimised_) {
    SDL_ShowWindow(window_);
    shown_ = true;
  }
  Repaint();
}

void WindowFace::SetProgress(int percent, std::string_view text) {
  if (percent == progress_percent_ && text == progress_text_) return;
  progress_percent_ = percent;
  progress_text_ = text;
  Repaint();
}

void WindowFace::ShowMessage(MessageIcon icon, std::string_view title, std::string_view text) {
  if (!dialogs_->Message(Owner(), icon, std::string(title), std::string(text))) {
    fallback_.ShowMessage(icon, title, text);
  }
  Refocus();
}

bool WindowFace::AskYesNo(std::string_view title, std::string_view question, bool default_no) {
  std::optional<bool> answer =
      dialogs_->Ask(Owner(), std::string(title), std::string(question), default_no);
  if (!answer) answer = fallback_.AskYesNo(title, question, default_no);
  Refocus();
  return *answer;
}

FaceEvents WindowFace::Pump() {
  FaceEvents events;
  events.close_requests = console_.TakeInterrupts();
  Uint32 id = WindowId();
  char mnemonic = button_label_ == "&Done" ? 'd' : 'c';
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    if (e.type == SDL_QUIT) {
      ++events.shutdown_queries;
    } else if (e.type == SDL_WINDOWEVENT && e.window.windowID == id) {
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) ++events.close_requests;
      if (e.window.event == SDL_WINDOWEVENT_MINIMIZED) minimised_ = true;
      if (e.window.event == SDL_WINDOWEVENT_RESTORED && minimised_) {
        minimised_ = false;
        events.restored = true;
      }
      if (e.window.event == SDL_WINDOWEVENT_EXPOSED) Repaint();
    } else if (e.type == SDL_MOUSEBUTTONDOWN && e.button.windowID == id &&
               e.button.button == SDL_BUTTON_LEFT &&
               FaceButtonRect().Contains(e.button.x, e.button.y)) {
      button_down_ = true;
      Repaint();
    } else if (e.type == SDL_MOUSEBUTTONUP && e.button.button == SDL_BUTTON_LEFT && button_down_) {
      button_down_ = false;
      Repaint();
      if (e.button.windowID == id && FaceButtonRect().Contains(e.button.x, e.button.y)) {
        ++events.button_presses;
      }
    } else if (e.type == SDL_KEYDOWN && e.key.windowID == id && e.key.repeat == 0 &&
               IsButtonKey(e.key.keysym, mnemonic)) {
      ++events.button_presses;
    }
  }
  return events;
}

FaceEvents WindowFace::Wait(int timeout_ms) {
  SDL_WaitEventTimeout(nullptr, timeout_ms);
  return Pump();
}

void WindowFace::SetButtonDone() {
  button_label_ = "&Done";
  Repaint();
}

void WindowFace::Close() {
  if (window_ == nullptr) return;
  SDL_DestroyWindow(window_);
  window_ = nullptr;
  shown_ = false;
}

}  // namespace kinet::platform
