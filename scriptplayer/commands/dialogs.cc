#include "scriptplayer/commands/dialogs.h"

#include <algorithm>

#include "platform/message_box/message_box.h"
#include "scriptplayer/commands/input.h"
#include "scriptplayer/commands/window.h"
#include "scriptplayer/engine/interpreter.h"
#include "scriptplayer/window/screen.h"

namespace kinet::script::cmd {
namespace {

constexpr uint32_t kOk = 1, kCancel = 2, kYes = 4, kNo = 8;

int32_t BitOf(platform::BoxAnswer answer) {
  switch (answer) {
    case platform::BoxAnswer::kOk:
      return kOk;
    case platform::BoxAnswer::kYes:
      return kYes;
    case platform::BoxAnswer::kNo:
      return kNo;
    default:
      return kCancel;
  }
}

// The line-input box: a frame in the darkest entry of the screen palette around a face in the
// brightest, the prompt on its first line and the typed text on its second.
constexpr int64_t kMargin = 4;

struct LineBox {
  PixelRect rect;
  std::vector<uint8_t> under;  // the image the box covers, put back when it goes
};

LineBox DrawLineBox(Screen& screen, int64_t x, int64_t y, size_t prompt, int32_t length) {
  const PixelView image = screen.View();
  const int64_t columns = int64_t(std::max<size_t>(prompt, size_t(std::clamp(length, 1, 255)) + 1));
  const int64_t w = columns * screen.font.width + 2 * kMargin;
  const int64_t h = 2 * int64_t(screen.font.height) + 3 * kMargin;
  if (x < 0) x = (image.width - w) / 2 - screen.origin_x;
  if (y < 0) y = (image.height - h) / 2 - screen.origin_y;
  LineBox box;
  box.rect = ClipRect(image, {x + screen.origin_x, y + screen.origin_y, w, h});
  for (int64_t row = 0; row < box.rect.h; ++row) {
    const uint8_t* line = &image.At(box.rect.x, box.rect.y + row);
    box.under.insert(box.under.end(), line, line + box.rect.w);
  }
  const uint8_t face = uint8_t(BrightestEntry(screen.palette.data()));
  const uint8_t frame = uint8_t(DarkestEntry(screen.palette.data()));
  FillBox(image, x + screen.origin_x, y + screen.origin_y, w, h, face);
  DrawBox(image, x + screen.origin_x, y + screen.origin_y, w - 1, h - 1, frame);
  screen.Show(box.rect);
  screen.colours = {frame, face, IndexBesides(frame, face)};
  screen.text_x = x + screen.origin_x + kMargin;
  screen.text_y = y + screen.origin_y + kMargin;
  return box;
}

void RemoveLineBox(Screen& screen, const LineBox& box) {
  const PixelView image = screen.View();
  for (int64_t row = 0; row < box.rect.h; ++row)
    std::copy_n(box.under.begin() + row * box.rect.w, box.rect.w,
                &image.At(box.rect.x, box.rect.y + row));
  screen.Show(box.rect);
}

}  // namespace

void ChooseButtons(int32_t bits, platform::BoxRequest& request) {
  using platform::BoxButtons;
  using platform::BoxIcon;
  const bool cancel = bits & kCancel, yes_no = bits & (kYes | kNo);
  if (!cancel) {
    request.buttons = yes_no ? BoxButtons::kYesNo : BoxButtons::kOk;
    request.icon = yes_no ? BoxIcon::kQuestion : BoxIcon::kInformation;
  } else {
    request.buttons = yes_no ? BoxButtons::kYesNoCancel : BoxButtons::kOkCancel;
    request.icon = yes_no ? BoxIcon::kQuestion : BoxIcon::kExclamation;
  }
}

// x and y are read, but the system places its box itself.
void InputMsgWin(Interpreter& in) {
  std::string name = in.ArgName();
  (void)in.ArgNumber();
  (void)in.ArgNumber();
  const int32_t bits = in.ArgNumber();
  platform::BoxRequest request;
  request.text = in.ArgText();
  Screen* screen = ScreenSettings(in);
  request.caption = screen ? screen->title : "KinetScript";
  request.owner = screen && screen->IsOpen() ? screen->window() : nullptr;
  ChooseButtons(bits, request);
  in.SetNumber(name, BitOf(in.host().boxes().Ask(request)));
}

// The box sits at x, y of the image (-1 centres it on that axis) and goes again when the line
// is in; the text cursor and colours are as they were before.
void InputStrWin(Interpreter& in) {
  std::string name = in.ArgName();
  const int64_t x = in.ArgNumber(), y = in.ArgNumber();
  const int32_t length = in.ArgNumber();
  std::string prompt = in.ArgText();
  Screen& screen = OpenScreen(in);
  const TextColours colours = screen.colours;
  const int64_t text_x = screen.text_x, text_y = screen.text_y;
  const LineBox box = DrawLineBox(screen, x, y, prompt.size(), length);
  screen.WriteText(prompt);
  screen.text_x = box.rect.x + kMargin;
  screen.text_y += screen.font.height + kMargin;
  std::string line = ReadLine(in, length);
  Screen& after = OpenScreen(in);
  RemoveLineBox(after, box);
  after.colours = colours;
  after.text_x = text_x;
  after.text_y = text_y;
  in.SetVariable(name, line);
}

}  // namespace kinet::script::cmd
