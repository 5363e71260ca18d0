/* The Kinetor playback library: open a video file (.knt), step and decode its frames into an
 * 8-bit buffer with their palettes, and learn which parts of the picture changed.
 *
 * Calls return 0 (or a null handle) on failure; a null handle makes every call return at once.
 * The library shows no messages and is single-threaded: all calls come from one thread. */
#ifndef KINET_KINET_H_
#define KINET_KINET_H_

#include <stddef.h>
#include <stdint.h>

#include "kinet/kinet_format.h"

#ifdef __cplusplus
extern "C" {
#endif
/* The library exports these calls and nothing else. */
#if defined(__GNUC__)
#pragma GCC visibility push(default)
#endif

/* Open flags, the second argument of KinetOpen. */
#define KINET_OPEN_FRAME_RATE 0x80u       /* use the rate last given to KinetFrameRate */
#define KINET_OPEN_FILL_READ_AHEAD 0x100u /* fill the read-ahead buffer before returning */
#define KINET_OPEN_PRELOAD 0x200u         /* read every frame record at open */
#define KINET_OPEN_NO_SKIP 0x400u         /* never skip decoding late frames */
#define KINET_OPEN_SIMULATE 0x800u        /* read at the rate last given to KinetSimulate */
#define KINET_OPEN_DESCRIPTOR 0x1000u     /* first argument: an open file descriptor */
#define KINET_OPEN_TRACK(t) (0x2000u << (t)) /* open sound track t (0..6) */
#define KINET_OPEN_TRACK_MASK 0xFE000u
#define KINET_OPEN_Y_INTERLACED 0x100000u /* show Y-interlaced whatever the file says */
#define KINET_OPEN_Y_DOUBLED 0x200000u    /* show Y-doubled whatever the file says */
#define KINET_OPEN_Y_NORMAL 0x300000u     /* show neither */
#define KINET_OPEN_CALLER_MEMORY 0x2000000u /* first argument: 1212 bytes for the handle */

#define KINET_HANDLE_SIZE 1212

/* The handle record. The public fields are read directly by callers; the private part is the
 * library's own. Layout and size are fixed: callers may supply the memory (1212 bytes). */
typedef struct KinetHandle {
  KINET_HEADER_FIELDS /* copy of the file header; Height doubled in the Y modes, FrameRate
                         replaced with KINET_OPEN_FRAME_RATE */
  uint32_t NewPalette;  /* 1 when this frame changed the palette and it was not handed on */
  uint8_t Palette[768]; /* 256 x red, green, blue, 0-255 each */
  uint32_t Unused[2];
  uint32_t FrameNum;     /* current frame from 0; the ring frame is number Frames */
  uint32_t FrameSize;    /* bytes of the current frame record */
  uint32_t PreVideoSize; /* bytes of the current record before its video data */
  uint32_t LastRectX, LastRectY, LastRectW, LastRectH; /* the last change rectangle */
  uint32_t OpenFlags;    /* the flags as kept: tracks opened, KINET_OPEN_Y_* in effect */
  uint32_t LeftOffset, TopOffset; /* left and top given to KinetToBuffer */
  uint32_t ReadError;    /* 1 once a read came back short; never cleared */
  uint8_t Private[KINET_HANDLE_SIZE - 928];
} KinetHandle;

/* What KinetSummary reports: times in milliseconds, frame numbers counted from 1. */
typedef struct KinetSummaryRecord {
  uint32_t PlayTime;          /* since the first KinetDoFrame */
  uint32_t FramePeriod;       /* P in 10-microsecond units */
  uint32_t OpenTime;          /* KinetOpen took this long */
  uint32_t FramesDone;        /* KinetDoFrame calls */
  uint32_t FramesSkipped;     /* frames whose decoding was skipped (late) */
  uint32_t SoundUnderruns;    /* the master sound track's buffer underruns */
  uint32_t CopyTime;          /* copying frames out (KinetToBufferRect to the next frame) */
  uint32_t ReadTime;          /* reading frames after the open */
  uint32_t DecodeTime;        /* decoding */
  uint32_t IdleReadTime;      /* idle read-ahead in KinetWait */
  uint32_t ReadSpeed;         /* bytes read x 1000 / ms spent reading; 0 if no time spent */
  uint32_t SlowestTime, SecondSlowestTime;
  uint32_t SlowestFrame, SecondSlowestFrame;
  uint32_t AverageFrameSize;  /* bytes per frame record */
  uint32_t BusiestSecond;     /* most bytes in one second of frames */
  uint32_t BusiestSecondFrame;
  uint32_t PeakMemory;        /* bytes in use by the handle at most */
  uint32_t ReadAheadSize;     /* bytes of the read-ahead buffer */
  uint32_t ReadAheadPeak;     /* most bytes the read-ahead buffer ever held */
} KinetSummaryRecord;

/* Opens a video file. `source` is a file name; with KINET_OPEN_DESCRIPTOR an open file
 * descriptor cast with (void*)(intptr_t), read from its current position and never closed by
 * the library; with KINET_OPEN_CALLER_MEMORY 1212 bytes of handle memory that start with the
 * file name (or, with KINET_OPEN_DESCRIPTOR, the descriptor as an int32_t). `extraBuffer` is
 * the read-ahead size in bytes, or -1 (any negative value) for the automatic size.
 * Returns the handle positioned at frame 0, or null when the file cannot be opened, is not a
 * video file, is malformed (tables or trees that do not fit), or memory runs out. */
KinetHandle* KinetOpen(const void* source, uint32_t flags, int32_t extraBuffer);
/* Releases everything; caller-supplied handle memory is zeroed, not freed. Returns 1. */
uint32_t KinetClose(KinetHandle* handle);
void KinetSummary(KinetHandle* handle, KinetSummaryRecord* summary);
/* Sets the frame rate for later opens with KINET_OPEN_FRAME_RATE: a positive rate becomes
 * the period -(100000 / framesPerSecond); 0 or negative values are header FrameRate values.
 * Returns the stored value. */
int32_t KinetFrameRate(int32_t framesPerSecond);
/* Sets the read rate in bytes per second for later opens with KINET_OPEN_SIMULATE. */
uint32_t KinetSimulate(uint32_t bytesPerSecond);

/* Where decoded frames go: an 8-bit buffer of `pitch` bytes per line and `destHeight` lines,
 * frame's top-left pixel at column `left`, line `top`; `reversed` nonzero for a bottom-up
 * buffer. A null buffer releases the destination. A frame that does not fit inside the buffer
 * (it would cross a line end or the last line) is not decoded. */
void KinetToBuffer(KinetHandle* handle, int32_t left, int32_t top, int32_t pitch,
                   int32_t destHeight, uint8_t* buffer, int32_t reversed);
/* Decodes the current frame into the destination. Returns 1 when the frame is late against
 * the sound, else 0 (also at once after a read error). */
uint32_t KinetDoFrame(KinetHandle* handle);
/* Steps to the next frame (wrapping at the end) and reads its palette and records. */
void KinetNextFrame(KinetHandle* handle);
/* Positions at a frame counted from 1 (0 counts as 1). */
void KinetGoto(KinetHandle* handle, uint32_t frame);
/* After KinetDoFrame, each call returning 1 leaves one changed rectangle in LastRect*.
 * Modes: 0 merged where worthwhile, 1 one bounding rectangle, 2 nothing, 3 as 0 plus a final
 * empty rectangle. */
uint32_t KinetToBufferRect(KinetHandle* handle, uint32_t mode);
/* Maps every decoded palette index through `table` (256 bytes) from now on; composes. */
void KinetColorTrans(KinetHandle* handle, const uint8_t* table);
/* Translates the file's current palette to the nearest of `count` caller entries (layout by
 * flags: 1 16-bit cells, 2 red and blue swapped, 4 four bytes per entry, 8 components from
 * offset 1). */
void KinetColorRemap(KinetHandle* handle, const uint8_t* palette, uint32_t count,
                     uint32_t flags);

/* Sound tracks. A track mask names tracks with the open-flag bits, KINET_OPEN_TRACK(t). */

/* 1 when any track in the mask is in the file (present bit and a rate other than 0), whether
 * or not it was opened; 0 for a null handle or none. */
uint32_t KinetSoundInTrack(KinetHandle* handle, uint32_t trackMask);
/* Writes the current frame's sound of the lowest track in the mask to `dest`, which must hold
 * the header's AudioSize for that track (no record carries more; one that claims more is cut
 * there). Returns the bytes written; 0 for a null handle or destination, a read error, a mask
 * without tracks or a frame without a record for the track. A compressed record announcing 0
 * or 0xFFFFFFFF bytes returns that value and writes nothing. */
uint32_t KinetGetTrackData(KinetHandle* handle, void* dest, uint32_t trackMask);
/* Hands volume (0 silent .. 65536 full) and pan (0 left, 32768 centre, 65536 right), each
 * limited to 65536, to every open track in the mask. Returns 1 when any track took them. */
uint32_t KinetVolumePan(KinetHandle* handle, uint32_t trackMask, uint32_t volume, uint32_t pan);

/* 1 while the current frame is not yet due, 0 when it is to be shown now. Paced by the
 * master track's sound (the first track opened) or, without one, with the sound off, or once
 * all the sound the file holds has played, by the clock: once per frame period, without catching up after a stall; with a period of 0
 * only the very first call returns 1. While waiting it reads ahead.
 * 0 at once for a null handle or after a read error. */
uint32_t KinetWait(KinetHandle* handle);
/* Moves sound to the device; call it while idle. Does nothing when no track is open. */
void KinetSoundCheck(void);
/* on = 0 stops the handle's tracks and empties their rings; on != 0 restarts them, topped up
 * with silence to the low-water mark after frame 0. Returns 1, or 0 for a null handle or a
 * device that refuses to restart. */
uint32_t KinetSoundOnOff(KinetHandle* handle, uint32_t on);
/* Install the sound driver for all handles: the polled driver (the default, installed by the
 * first KinetOpen that opens a track) or the device-thread driver. Only one driver is ever
 * installed: returns 1 when this call installed it, 0 when one was installed already.
 * `directSound` is accepted and not used. */
uint32_t KinetSoundUseWin(void);
uint32_t KinetSoundUseDirectSound(void* directSound);
/* Accepted for callers that name their window to the device-thread driver; does nothing. */
void SetDirectSoundHWND(void* window);

#if defined(__GNUC__)
#pragma GCC visibility pop
#endif

#ifdef __cplusplus
}
static_assert(offsetof(KinetHandle, NewPalette) == 104);
static_assert(offsetof(KinetHandle, Palette) == 108);
static_assert(offsetof(KinetHandle, FrameNum) == 884);
static_assert(offsetof(KinetHandle, LastRectX) == 896);
static_assert(offsetof(KinetHandle, OpenFlags) == 912);
static_assert(offsetof(KinetHandle, ReadError) == 924);
static_assert(sizeof(KinetHandle) == KINET_HANDLE_SIZE);
static_assert(sizeof(KinetSummaryRecord) == 21 * 4);
#endif

#endif /* KINET_KINET_H_ */
