// Recognising one graphics entry. For each entry the kinds are tried in this order, a name
// without extension getting each kind's default extension for its test:
//   sound file ".wav" (by extension), list file ".lst" (by extension), flic (by its header,
//   the name as given), video file ".knt" (the playback library opens it), BMP ".bmp", GIF
//   ".gif", TIFF ".tif", PCX ".pcx", Targa ".tga", JPEG ".jpg", PNG ".png", AVI ".avi", raw
//   ".raw".
// A numbered series ("Exam???.BMP*1-3") is tried as each picture kind on its first file.
#pragma once

#include <memory>
#include <string>

#include "platform/files/file_system.h"
#include "toolkit/graphics/frame_reader.h"
#include "toolkit/graphics/graphics_callbacks.h"

namespace kinet::toolkit {

enum class SourceKind {
  kWav,
  kList,
  kFlic,
  kVideoFile,
  kBmp,
  kGif,
  kTiff,
  kPcx,
  kTga,
  kJpeg,
  kPng,
  kAvi,
  kRaw,
};

// True for a name with the list extension (any case).
bool IsListName(const std::string& name);

struct OpenedEntry {
  SourceKind kind;
  std::string path;  // the file found (the first file of a series)
  std::unique_ptr<FrameReader> reader;
  bool cancelled = false;  // the user cancelled while the files of a series were counted
};

// Opens one entry of `files` (which must outlive the reader) that is not a list. A reader of
// nothing when no kind accepts it or the user cancels: counting the files of a long series
// shows "Counting the files of the series: <n>..." through `callbacks` now and then.
OpenedEntry OpenEntry(platform::FileSystem& files, const std::string& name,
                      const GraphicsCallbacks& callbacks);

}  // namespace kinet::toolkit
