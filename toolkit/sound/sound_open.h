// The opener behind OpenSoundSource, also used by lists to open their items.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "toolkit/sound/sound_source.h"

namespace kinet::toolkit {

// Lists inside lists deeper than this do not open (a list that names itself would never end).
inline constexpr int kMaxListDepth = 4;

struct OpenRequest {
  SoundOptions options;
  bool values_count_frames = false;       // the per-line /S /E of a wave list item
  uint64_t extra_start_ticks = 0;         // where a list's own start ends inside this item
  int depth = 0;                          // lists around this source
  platform::FileSystem* files = nullptr;  // where every file is read: set by OpenSoundSource
};

std::unique_ptr<SoundSource> OpenRequested(const OpenRequest& request, const std::string& name);

// The output format: the input's, with each value the options give in its place.
SoundFormat SettleOutput(const SoundOptions& options, const SoundFormat& input);

// `name`, or `name` + `extension` when its last path part has no '.'.
std::string WithDefaultExtension(const std::string& name, const char* extension);

}  // namespace kinet::toolkit
