// kntinfow's command line: the file, what to list and where to write its frames.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "toolkit/switches.h"

namespace kinet::info {

inline constexpr char kInfoUsage[] =
    "Usage: kntinfow file.knt [-F] [-D<folder>] [-W<output>] [-O] [-S#] [-E#]\n"
    "  /F          list every frame record: number, bytes, bytes before the video, parts\n"
    "  -D<folder>  write every frame as a picture, frame0001.png and on, into the folder\n"
    "  -W<output>  write every frame to a flic (.flc) or to numbered pictures (.bmp, .gif,\n"
    "              .jpg, .pcx, .png, .tga, .tif: out.bmp gives out01.bmp, out02.bmp, ...)\n"
    "  /O          replace existing pictures of -D and outputs of -W\n"
    "  /S# /E#     first and last frame to list or write, counted from 1 (-S5 -E5: frame 5)\n";

struct InfoSettings {
  std::string path;
  bool list = false;
  std::string folder;  // -D: pictures go here; "" for none
  std::string output;  // -W: a flic or numbered pictures; "" for none
  bool overwrite = false;
  uint32_t first = 1;         // first frame listed or written, from 1
  uint32_t last = INT32_MAX;  // last one; past the file's frames means up to its end
};

std::span<const toolkit::KnownSwitch> InfoSwitches();

// Nothing when the line holds anything else than one file and the switches above, or a range
// that is empty (-S after -E) or starts at 0.
std::optional<InfoSettings> ReadInfoSettings(toolkit::SwitchLine& line);

}  // namespace kinet::info
