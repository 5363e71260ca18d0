/* kinet_frames: decodes every frame of a Kinetor video file and writes one of them as a PNG.
 *
 *   kinet_frames file.knt picture.png [frame]
 *
 * `frame` counts from 1 (default: the last frame). A small program over the playback library
 * and libpng, built with pkg-config (see the Makefile beside it). */
#include <png.h>
#include <stdio.h>
#include <stdlib.h>

#include "kinet/kinet.h"

/* Writes an 8-bit picture with its 256-colour palette (red, green, blue per entry). */
static int WritePng(const char* path, const uint8_t* pixels, uint32_t width, uint32_t height,
                    const uint8_t* palette) {
  FILE* file = fopen(path, "wb");
  if (!file) return 0;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
  png_infop info = png ? png_create_info_struct(png) : NULL;
  int ok = 0;
  if (info && !setjmp(png_jmpbuf(png))) {
    png_color colours[256];
    for (int i = 0; i < 256; ++i) {
      colours[i].red = palette[3 * i];
      colours[i].green = palette[3 * i + 1];
      colours[i].blue = palette[3 * i + 2];
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, colours, 256);
    png_write_info(png, info);
    for (uint32_t y = 0; y < height; ++y) png_write_row(png, pixels + (size_t)y * width);
    png_write_end(png, NULL);
    ok = 1;
  }
  png_destroy_write_struct(&png, &info);
  return fclose(file) == 0 && ok;
}

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    fprintf(stderr, "Usage: kinet_frames file.knt picture.png [frame]\n");
    return 2;
  }
  /* Every frame decoded, however long it takes: no frame is skipped as late. */
  KinetHandle* h = KinetOpen(argv[1], KINET_OPEN_NO_SKIP, -1);
  if (!h) {
    fprintf(stderr, "%s cannot be opened as a video file\n", argv[1]);
    return 1;
  }
  const uint32_t wanted = argc == 4 ? (uint32_t)strtoul(argv[3], NULL, 10) : h->Frames;
  if (wanted < 1 || wanted > h->Frames) {
    fprintf(stderr, "%s has frames 1 to %u\n", argv[1], h->Frames);
    KinetClose(h);
    return 2;
  }
  uint8_t* picture = malloc((size_t)h->Width * h->Height);
  int ok = picture != NULL;
  if (ok) KinetToBuffer(h, 0, 0, (int32_t)h->Width, (int32_t)h->Height, picture, 0);
  uint32_t decoded = 0;
  for (uint32_t frame = 1; ok && frame <= h->Frames && !h->ReadError; ++frame) {
    KinetDoFrame(h);
    ++decoded;
    if (frame == wanted && !WritePng(argv[2], picture, h->Width, h->Height, h->Palette)) {
      fprintf(stderr, "cannot write %s\n", argv[2]);
      ok = 0;
    }
    KinetNextFrame(h);
  }
  if (h->ReadError) {
    fprintf(stderr, "%s ends before its last frame\n", argv[1]);
    ok = 0;
  }
  if (ok)
    printf("%u frames of %u x %u decoded; frame %u written to %s\n", decoded, h->Width,
           h->Height, wanted, argv[2]);
  KinetClose(h);
  free(picture);
  return ok ? 0 : 1;
}
