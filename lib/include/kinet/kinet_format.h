/* The on-disk layout of a Kinetor video file (.knt): header, tables and record bits.
 * Plain C so that callers of the playback library can read the header copy in the handle. */
#ifndef KINET_KINET_FORMAT_H_
#define KINET_KINET_FORMAT_H_

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KINET_SIGNATURE 0x32544E4Bu /* "KNT2" read as a little-endian 32-bit number */
#define KINET_HEADER_SIZE 104
#define KINET_TRACKS 7

/* Header Flags */
#define KINET_FLAG_RING_FRAME 0x1u  /* a ring frame follows the last frame */
#define KINET_FLAG_YMODE_MASK 0x6u
#define KINET_FLAG_Y_INTERLACED 0x2u
#define KINET_FLAG_Y_DOUBLED 0x4u

/* AudioRate descriptor word of a track */
#define KINET_AUDIO_RATE_MASK 0x00FFFFFFu
#define KINET_AUDIO_STEREO 0x10000000u
#define KINET_AUDIO_16BIT 0x20000000u
#define KINET_AUDIO_PRESENT 0x40000000u
#define KINET_AUDIO_COMPRESSED 0x80000000u

/* Frame type byte: bit 0 palette record, bit t+1 audio record of track t */
#define KINET_FRAME_PALETTE 0x01u
#define KINET_FRAME_AUDIO(track) (0x02u << (track))

/* The 104-byte file header. All fields little-endian in the file; in memory in host order.
 * The same fields open the playback handle, so they are listed once here. */
#define KINET_HEADER_FIELDS                                                                  \
  uint32_t Signature;               /* KINET_SIGNATURE */                                   \
  uint32_t Width;                   /* frame width in pixels */                             \
  uint32_t Height;                  /* frame height in pixels as stored */                  \
  uint32_t Frames;                  /* frames, not counting the ring frame */               \
  int32_t FrameRate;                /* >0 ms per frame, <0 minus the period in 10 us, 0 unpaced */ \
  uint32_t Flags;                   /* KINET_FLAG_* */                                      \
  uint32_t AudioSize[KINET_TRACKS]; /* largest decoded sound bytes of one frame, per track */ \
  uint32_t TreeSize;                /* bytes of the tree data block */                      \
  uint32_t MMapSize;                /* bytes reserved for the decoded mono-map tree */      \
  uint32_t MClrSize;                /* ... mono-colour tree */                              \
  uint32_t FullSize;                /* ... full-block tree */                               \
  uint32_t TypeSize;                /* ... block-type tree */                               \
  uint32_t AudioRate[KINET_TRACKS]; /* per-track descriptor word, KINET_AUDIO_* */           \
  uint32_t Reserved;

typedef struct KinetHeader {
  KINET_HEADER_FIELDS
} KinetHeader;

#ifdef __cplusplus
}
static_assert(sizeof(KinetHeader) == KINET_HEADER_SIZE, "header layout");
#endif

#endif /* KINET_KINET_FORMAT_H_ */
