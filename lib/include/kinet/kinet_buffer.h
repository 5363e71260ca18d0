/* The display buffer layer: an 8-bit off-screen picture buffer shown in a window or full
 * screen through a palette that keeps the system colours at entries 0-9 and 246-255 of
 * windowed displays. Frames are decoded into Memory with KinetToBuffer and shown rectangle by
 * rectangle with KinetBufferBlit. */
#ifndef KINET_KINET_BUFFER_H_
#define KINET_KINET_BUFFER_H_

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif
/* The library exports these calls and nothing else. */
#if defined(__GNUC__)
#pragma GCC visibility push(default)
#endif

/* Display modes. */
#define KINET_MODE_AUTOMATIC 0      /* accelerated, else software */
#define KINET_MODE_FULL_320X240 1   /* full screen, picture at most 320 x 240, no zoom */
#define KINET_MODE_FULL_320X200 2   /* full screen, at most 320 x 200, no zoom */
#define KINET_MODE_FULL_DIRECT 3    /* as 2, the buffer shown whole at every blit */
#define KINET_MODE_SOFTWARE 4       /* a software surface blitted to the window */
#define KINET_MODE_ACCELERATED 5    /* a streaming texture drawn by the renderer */

typedef struct KinetBuffer {
  uint32_t Mode;                      /* the mode in use, 1-5 */
  uint32_t FullScreen;                /* 1 in modes 1-3 */
  void* Window;                       /* the SDL window shown in */
  uint32_t Width, Height;             /* the picture */
  uint32_t ShownWidth, ShownHeight;   /* its size on the screen */
  uint32_t Pitch;                     /* bytes per row: Width rounded up to a multiple of 4 */
  uint8_t* Memory;                    /* Height rows of Pitch bytes, top row first */
  uint8_t ColourTable[256][4];        /* blue, green, red, 0 per entry */
  uint32_t FirstEntry, EndEntry;      /* the entries KinetBufferNewPalette may change */
  uint32_t PaletteChanged;            /* a new palette has not been realized yet */
  uint32_t Rerealize;                 /* the next blit shows the whole buffer */
  void* Private;
} KinetBuffer;

/* Opens a buffer of width x height pixels shown at shownWidth x shownHeight (0: the same).
 * `window` is an SDL window to show in, or null for a window of the buffer's own. Mode 0 tries
 * mode 5, then 4; an explicit mode that cannot be had (no display, full screen with a larger
 * picture or a zoom) fails. Returns the buffer or null. */
KinetBuffer* KinetBufferOpen(void* window, uint32_t mode, int32_t width, int32_t height,
                             int32_t shownWidth, int32_t shownHeight);
/* Copies the rectangle at srcX, srcY of width x height to destX, destY of the window (scaled
 * when zoomed). After a palette change the whole buffer is shown instead and 256 is returned;
 * otherwise 0 (also for a null buffer). `dc` is not used on this system. */
uint32_t KinetBufferBlit(KinetBuffer* buffer, void* dc, int32_t destX, int32_t destY,
                         int32_t srcX, int32_t srcY, int32_t width, int32_t height);
/* Takes entries FirstEntry to EndEntry - 1 of `palette` (laid out as for KinetColorRemap by
 * `flags`); a colour equal to a system colour above the range has its red moved by one. */
void KinetBufferNewPalette(KinetBuffer* buffer, const uint8_t* palette, uint32_t flags);
/* Realizes a changed palette: returns the number of entries realized, 0 when nothing changed
 * and in full-screen modes. */
uint32_t KinetBufferSetPalette(KinetBuffer* buffer);
void KinetBufferClear(KinetBuffer* buffer, uint32_t colour);
void KinetBufferClose(KinetBuffer* buffer);
/* 1 when the buffer's window has the keyboard focus. */
uint32_t KinetBufferFocused(KinetBuffer* buffer);
/* Writes the name of `mode` into `text` (at least 32 bytes) and returns a pointer to its
 * terminating zero; modes above 5 are named as mode 5. */
char* KinetBufferString(char* text, uint32_t mode);
/* Changing the screen resolution is not offered on this system: always 0. */
uint32_t KinetSetSystemRes(uint32_t mode);

#if defined(__GNUC__)
#pragma GCC visibility pop
#endif

#ifdef __cplusplus
}
#endif

#endif /* KINET_KINET_BUFFER_H_ */
