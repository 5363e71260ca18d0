#include "tests/support/gif_fixtures.h"

#include <gif_lib.h>

namespace kinet::testing {
namespace {

ColorMapObject* MapOf(const std::array<uint8_t, 768>& palette) {
  GifColorType colours[256];
  for (int i = 0; i < 256; ++i)
    colours[i] = {palette[i * 3], palette[i * 3 + 1], palette[i * 3 + 2]};
  return GifMakeMapObject(256, colours);
}

bool PutPicture(GifFileType* gif, const GifPicture& p) {
  GraphicsControlBlock gcb{p.disposal, false, static_cast<int>(p.delay_cs), p.transparent};
  GifByteType extension[4];
  const size_t length = EGifGCBToExtension(&gcb, extension);
  ColorMapObject* local = p.local_palette ? MapOf(*p.local_palette) : nullptr;
  bool ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) ==
                GIF_OK &&
            EGifPutImageDesc(gif, static_cast<int>(p.left), static_cast<int>(p.top),
                             static_cast<int>(p.width), static_cast<int>(p.height), false,
                             local) == GIF_OK;
  for (uint32_t y = 0; ok && y < p.height; ++y) {
    auto* row = const_cast<GifPixelType*>(&p.pixels[size_t{y} * p.width]);
    ok = EGifPutLine(gif, row, static_cast<int>(p.width)) == GIF_OK;
  }
  if (local) GifFreeMapObject(local);
  return ok;
}

}  // namespace

bool WriteAnimatedGif(const std::string& path, uint32_t width, uint32_t height,
                      const std::array<uint8_t, 768>& palette,
                      const std::vector<GifPicture>& pictures) {
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
  if (!gif) return false;
  EGifSetGifVersion(gif, true);
  ColorMapObject* map = MapOf(palette);
  bool ok = map && EGifPutScreenDesc(gif, static_cast<int>(width), static_cast<int>(height), 8, 0,
                                     map) == GIF_OK;
  for (const GifPicture& p : pictures) {
    ok = ok && PutPicture(gif, p);
    // giflib keeps a copy of a picture's local table and forgets it, unfreed, at the next
    // picture without one.
    if (gif->Image.ColorMap) GifFreeMapObject(gif->Image.ColorMap);
    gif->Image.ColorMap = nullptr;
  }
  if (map) GifFreeMapObject(map);
  return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

}  // namespace kinet::testing
