// The window face under SDL's offscreen driver: painting, button, close box, minimise and
// restore, and message boxes through scripted dialogs.
#include "platform/status_window/window_face.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>

#include "platform/font/bitmap_font.h"

namespace kinet::platform {
namespace {

class SilentConsole : public Console {
 public:
  bool ErrorIsTerminal() const override { return false; }
  bool CanAsk() const override { return false; }
  void WriteError(std::string_view text) override { written += text; }
  std::optional<std::string> ReadAnswer() override { return std::nullopt; }
  int TakeInterrupts() override { return 0; }
  std::string written;
};

struct DialogLog {
  std::vector<std::string> shown;
  std::deque<std::optional<bool>> answers;
  bool can_show = true;
};

class ScriptedDialogs : public Dialogs {
 public:
  explicit ScriptedDialogs(DialogLog& log) : log_(log) {}
  bool Message(SDL_Window*, MessageIcon icon, const std::string& title,
               const std::string& text) override {
    if (!log_.can_show) return false;
    log_.shown.push_back((icon == MessageIcon::kError ? "error " : "info ") + title + ": " + text);
    return true;
  }
  std::optional<bool> Ask(SDL_Window*, const std::string& title, const std::string& question,
                          bool) override {
    log_.shown.push_back("ask " + title + ": " + question);
    if (log_.answers.empty()) return std::nullopt;
    std::optional<bool> a = log_.answers.front();
    log_.answers.pop_front();
    return a;
  }

 private:
  DialogLog& log_;
};

class WindowFaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    face_ = WindowFace::Create({"Kinet", "KinetPackW compressor 3.0f", true}, console_,
                               std::make_unique<ScriptedDialogs>(dialogs_));
    ASSERT_TRUE(face_);
  }

  void PushMouse(Uint32 type, int x, int y) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = face_->WindowId();
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
  }
  void Click(int x, int y) {
    PushMouse(SDL_MOUSEBUTTONDOWN, x, y);
    PushMouse(SDL_MOUSEBUTTONUP, x, y);
  }
  void PushWindowEvent(Uint8 event) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = face_->WindowId();
    e.window.event = event;
    SDL_PushEvent(&e);
  }
  void PushKey(SDL_Keycode sym, Uint16 mod = 0) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = face_->WindowId();
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
  }

  SilentConsole console_;
  DialogLog dialogs_;
  std::unique_ptr<WindowFace> face_;
};

// Counts the dark pixels of `picture` inside the rows [top, bottom).
int DarkPixels(const FacePicture& picture, int top, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < picture.width; ++x) count += picture.At(x, y) == 0x000000;
  }
  return count;
}

TEST_F(WindowFaceTest, PaintsGreyWithCentredTextsAndTheButton) {
  face_->SetStatus("Analyzing frame 12 of 300");
  FacePicture picture = face_->Picture();
  ASSERT_EQ(picture.width, kFaceClientWidth);
  ASSERT_EQ(picture.height, kFaceClientHeight);
  EXPECT_EQ(picture.At(0, 0), 0xC0C0C0u);
  EXPECT_EQ(picture.At(5, picture.height - 1), 0xC0C0C0u);
  int status_base = picture.height * 8 / 27;
  EXPECT_GT(DarkPixels(picture, status_base - 12, status_base + 4), 50);
  int banner_base = picture.height * 11 / 12;
  EXPECT_GT(DarkPixels(picture, banner_base - 12, banner_base + 4), 50);
  FaceRect button = FaceButtonRect();
  EXPECT_EQ(picture.At(button.x, button.y), 0x000000u);  // the default button's frame
  EXPECT_EQ(picture.At(button.x + 2, button.y + 2), 0xC0C0C0u);
}

TEST_F(WindowFaceTest, TheProgressBarFillsItsShareAndNothingWithoutProgress) {
  const FaceRect bar = FaceProgressRect();
  const int middle = bar.y + bar.height / 2;
  EXPECT_EQ(face_->Picture().At(bar.x + 3, middle), 0xC0C0C0u) << "no bar before any progress";
  face_->SetProgress(25, "25% done, 0:30 left");
  FacePicture picture = face_->Picture();
  const int inner = bar.width - 4, filled = inner / 4;
  EXPECT_EQ(picture.At(bar.x + 2, middle), 0x000080u);
  EXPECT_EQ(picture.At(bar.x + 2 + filled - 1, middle), 0x000080u);
  EXPECT_EQ(picture.At(bar.x + 2 + filled, middle), 0xC0C0C0u);
  const FaceRect button = FaceButtonRect();
  int dark = 0;
  for (int x = button.x + button.width; x < picture.width; ++x)
    for (int y = button.y; y < button.y + button.height; ++y) dark += picture.At(x, y) == 0;
  EXPECT_GT(dark, 50) << "the text beside the button";
}

TEST_F(WindowFaceTest, ButtonAndCloseBoxAreRequests) {
  face_->SetStatus("working");
  FaceRect button = FaceButtonRect();
  Click(button.x + 5, button.y + 5);
  Click(2, 2);  // beside the button: nothing
  PushKey(SDLK_RETURN);
  PushKey(SDLK_c, KMOD_LALT);
  PushKey(SDLK_d, KMOD_LALT);  // the Cancel button's key is C
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  FaceEvents events = face_->Pump();
  EXPECT_EQ(events.button_presses, 3);
  EXPECT_EQ(events.close_requests, 1);

  PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
  PushWindowEvent(SDL_WINDOWEVENT_RESTORED);
  EXPECT_TRUE(face_->Pump().restored);
  EXPECT_FALSE(face_->Pump().restored);

  face_->SetButtonDone();
  EXPECT_EQ(face_->Picture().At(button.x, button.y), 0x000000u);
  // Offscreen nobody could press Done, so the frame must not wait for it.
  EXPECT_FALSE(face_->CanWaitForDone());
}

TEST_F(WindowFaceTest, MessagesAndQuestionsUseTheBoxesOrFallBackToTheConsole) {
  face_->ShowMessage(MessageIcon::kError, "Kinet", "Error creating Kinetor file.");
  dialogs_.answers = {true, std::nullopt};
  EXPECT_TRUE(face_->AskYesNo("Kinet", "Do you want to cancel?", true));
  EXPECT_FALSE(face_->AskYesNo("Kinet", "Do you want to cancel?", true));  // no box: default
  EXPECT_EQ(dialogs_.shown.front(), "error Kinet: Error creating Kinetor file.");
  dialogs_.can_show = false;
  face_->ShowMessage(MessageIcon::kInformation, "Kinet", "Switches");
  EXPECT_EQ(console_.written, "Do you want to cancel? No.\nSwitches\n");
}

TEST(OpenStatusFace, TheEnvironmentAndTheReportSwitchChooseTheFace) {
  SilentConsole console;
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  auto is_window = [&](const FaceOptions& options) {
    std::unique_ptr<StatusFace> face = OpenStatusFace(options, console);
    EXPECT_NE(face, nullptr);
    return dynamic_cast<WindowFace*>(face.get()) != nullptr;
  };
  setenv("KINET_STATUS", "window", 1);
  EXPECT_TRUE(is_window({"Kinet", "banner", false}));
  setenv("KINET_STATUS", "terminal", 1);
  EXPECT_FALSE(is_window({"Kinet", "banner", true}));
  unsetenv("KINET_STATUS");
  EXPECT_FALSE(is_window({"Kinet", "banner", true}));  // offscreen is no display
  setenv("KINET_STATUS", "terminal", 1);
}

TEST(BuiltinFont, CoversItsRangeAndDrawsOthersBlank) {
  auto data = BuiltinFontData();
  EXPECT_EQ(data.size(), 2304u);
  for (int code = 33; code <= 126; ++code) {
    auto glyph = BuiltinGlyph(static_cast<unsigned char>(code));
    int bits = 0;
    for (uint8_t row : glyph) bits += __builtin_popcount(row);
    EXPECT_GT(bits, 0) << "glyph " << code << " is empty";
  }
  for (int code : {0, 31, 176, 255}) {
    auto glyph = BuiltinGlyph(static_cast<unsigned char>(code));
    for (uint8_t row : glyph) EXPECT_EQ(row, 0) << code;
  }
}

TEST(BuiltinFont, Utf8NamesBecomeFontCodes) {
  EXPECT_EQ(FontCodesFromUtf8("Caf\xC3\xA9 \xC2\xAB\xC3\x87\xC2\xBB.flc"),
            "Caf\x82 \xAE\x80\xAF.flc");
  EXPECT_EQ(FontCodesFromUtf8("\xE6\x97\xA5\xF0\x9F\x8E\xAC"), "??");  // not in the font
  // Bytes that are no UTF-8 (a truncated sequence, an overlong form) are font codes as they are.
  EXPECT_EQ(FontCodesFromUtf8("a\x82\xC3"), "a\x82\xC3");
  EXPECT_EQ(FontCodesFromUtf8("\xC0\xAF"), "\xC0\xAF");
}

}  // namespace
}  // namespace kinet::platform
