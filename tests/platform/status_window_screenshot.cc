// Writes pictures of the status window, as the window face shows it under SDL's offscreen
// driver, so a reviewer can look at it: <dir>/status_window_working.png (a run in progress,
// Cancel) and <dir>/status_window_done.png (a finished run, Done).
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/status_window/window_face.h"

namespace {

using kinet::platform::FacePicture;

class QuietConsole : public kinet::platform::Console {
 public:
  bool ErrorIsTerminal() const override { return false; }
  bool CanAsk() const override { return false; }
  void WriteError(std::string_view) override {}
  std::optional<std::string> ReadAnswer() override { return std::nullopt; }
  int TakeInterrupts() override { return 0; }
};

bool WritePng(const std::string& path, const FacePicture& picture) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  bool ok = info != nullptr && setjmp(png_jmpbuf(png)) == 0;
  if (ok) {
    png_init_io(png, file);
    png_set_IHDR(png, info, picture.width, picture.height, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y) {
      png_write_row(png, picture.rgb.data() + static_cast<size_t>(y) * picture.width * 3);
    }
    png_write_end(png, nullptr);
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
    return 2;
  }
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  QuietConsole console;
  auto face = kinet::platform::WindowFace::Create({"Kinet", "KinetPackW compressor 3.0f", true},
                                                  console, kinet::platform::OpenSdlDialogs());
  if (!face) {
    std::fprintf(stderr, "no window could be made\n");
    return 1;
  }
  std::string dir = argv[1];
  face->SetStatus("Analyzing frame 12 of 300 in \u00ABCaf\u00E9 na\u00EFve\u00BB.flc");
  face->SetProgress(4, "4% done, 1:52 left");
  bool ok = WritePng(dir + "/status_window_working.png", face->Picture());
  face->SetStatus("Kineted in 1 minute 5 seconds.  From 1000000 To: 300000 (3.3:1).");
  face->SetProgress(100, "100% done");
  face->SetButtonDone();
  ok = WritePng(dir + "/status_window_done.png", face->Picture()) && ok;
  std::printf("%s: %s/status_window_working.png and status_window_done.png\n",
              ok ? "wrote" : "failed to write", dir.c_str());
  return ok ? 0 : 1;
}
