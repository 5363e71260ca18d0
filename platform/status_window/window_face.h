// The window face: a small SDL window with the status text, the banner and the Cancel / Done
// button; messages and questions in the system's message boxes.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/status_window/face_painter.h"
#include "platform/status_window/status_face.h"
#include "platform/status_window/terminal_face.h"

struct SDL_Window;

namespace kinet::platform {

// The message boxes of the window face. The real ones are SDL's; tests script the answers.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows a box owned by `owner` (may be null). Returns false when no box can be shown.
  virtual bool Message(SDL_Window* owner, MessageIcon icon, const std::string& title,
                       const std::string& text) = 0;
  // Asks yes/no; nullopt when no box can be shown.
  virtual std::optional<bool> Ask(SDL_Window* owner, const std::string& title,
                                  const std::string& question, bool default_no) = 0;
};

// SDL's message boxes; none are shown when the video driver has no display (offscreen, dummy).
std::unique_ptr<Dialogs> OpenSdlDialogs();

class WindowFace : public StatusFace {
 public:
  // Creates the window, hidden until the first status text, titled `options.caption`.
  // Returns nullptr when the video system or the window cannot be made. Messages and questions
  // that no box can show go to `console` as on the terminal face; `console` must outlive the
  // face.
  static std::unique_ptr<WindowFace> Create(const FaceOptions& options, Console& console,
                                            std::unique_ptr<Dialogs> dialogs);
  ~WindowFace() override;

  void SetStatus(std::string_view text) override;
  void SetProgress(int percent, std::string_view text) override;
  void ShowMessage(MessageIcon icon, std::string_view title, std::string_view text) override;
  bool AskYesNo(std::string_view title, std::string_view question, bool default_no) override;
  FaceEvents Pump() override;
  FaceEvents Wait(int timeout_ms) override;
  void SetButtonDone() override;
  // Only a window on a real display can be pressed: offscreen, nobody could end the wait.
  bool CanWaitForDone() const override;
  void Close() override;

  // What the window shows now (its client area).
  FacePicture Picture() const;
  // SDL's id of the window, to address events to it; 0 once closed.
  uint32_t WindowId() const;

 private:
  WindowFace(const FaceOptions& options, Console& console, std::unique_ptr<Dialogs> dialogs);
  void Repaint();
  void Refocus();
  SDL_Window* Owner() const { return shown_ && !minimised_ ? window_ : nullptr; }

  std::string banner_;
  Console& console_;
  TerminalFace fallback_;
  std::unique_ptr<Dialogs> dialogs_;
  SDL_Window* window_ = nullptr;
  std::string status_ = "Loading...";
  int progress_percent_ = -1;
  std::string progress_text_;
  std::string button_label_ = "&Cancel";
  bool shown_ = false;
  bool minimised_ = false;
  bool button_down_ = false;
};

}  // namespace kinet::platform
