#include "compressor/kinetpackw/pack_settings.h"

#include <vector>

#include "compressor/rate_control.h"
#include "lib/core/format.h"
#include "kinet/kinet_format.h"

namespace kinet::pack {

namespace {

using toolkit::KnownSwitch;
using toolkit::SwitchKind;

std::vector<KnownSwitch> MakeTable() {
  std::vector<KnownSwitch> t = {
      {'#', SwitchKind::kNumber}, {'#', SwitchKind::kFlag},   {'J', SwitchKind::kNumber},
      {'M', SwitchKind::kFlag},   {'Z', SwitchKind::kNumber}, {'A', SwitchKind::kNumber},
      {'N', SwitchKind::kNumber}, {'K', SwitchKind::kNumber}, {'V', SwitchKind::kFlag},
      {'F', SwitchKind::kNumber}, {'G', SwitchKind::kFlag},   {'@', SwitchKind::kText},
      {'O', SwitchKind::kFlag},   {'L', SwitchKind::kNumber}, {'R', SwitchKind::kNumber},
      {'C', SwitchKind::kNumber}, {'B', SwitchKind::kNumber}};
  t.insert(t.end(), std::begin(toolkit::kGraphicsSwitches), std::end(toolkit::kGraphicsSwitches));
  return t;
}

// A rate code switch: the default when missing, nothing when present and invalid.
std::optional<int32_t> RateSwitch(toolkit::SwitchLine& line, char letter, int32_t fallback) {
  const std::optional<int32_t> v = line.TakeNumber(letter);
  if (!v) return fallback;
  if (!encoder::IsValidRateCode(*v)) return std::nullopt;
  return v;
}

}  // namespace

std::span<const toolkit::KnownSwitch> SwitchTable() {
  static const std::vector<KnownSwitch> table = MakeTable();
  return table;
}

const std::array<std::string_view, 3> kUsageBoxes = {
    "Syntax:  Kinet <Input Graphics File> <KinetName>[.KNT] [/Switches]\r\n"
    "\r\n"
    "  Under Windows, input graphics files can be flics, AVIs, JPEGs, BMPs,\r\n"
    "    TGAs, TIFs, GIFs, PCXs, Kinets or Lists. \r\n"
    "\r\n"
    "  Under DOS, input files can be flics, Kinets, or Lists.\r\n"
    "\r\n"
    "  You can process a series of input graphics files by specifing the input\r\n"
    "    filename with this type of syntax:  \"Exam???.BMP*1-149\".  This filename\r\n"
    "    would cause \"Exam001.BMP\" through \"Exam149.BMP\" to be processed.\r\n"
    "\r\n"
    "  List files are simply text files that contain a list of files to be\r\n"
    "    processed.  You should list one graphics file or series per line.\r\n"
    "    In addition, you can use /S and /E switches on each line to specify a\r\n"
    "    subset of frames in each graphics file to process.  List files must have\r\n"
    "    an .LST extension.\r\n"
    "\r\n"
    "  Normally, Kinetor is used to create .KNT files, but Kinetor can also\r\n"
    "    create output files in other standard formats for further editting.\r\n"
    "    Under Windows, KinetPack can create Kinetor, flic, JPEG, BMP, TGA, TIF,\r\n"
    "      GIF, or PCX output files.\r\n"
    "    Under DOS, KinetPack can create Kinetor or flic output files.\r\n",
    "\r\n"
    "  Switches (1 of 2):\r\n"
    "    /N# - Specify the compression ratio for regular frames:\r\n"
    "            1000 and  up: Data rate to compress to (in bytes per second).\r\n"
    "               0 to  100: Compress under this % of error.\r\n"
    "              -1 to -200: Compress to this % of the original file size.\r\n"
    "            -401 to -600: Compress to this % of each frame's size.\r\n"
    "    /K# - Specify the compression ratio for key frames (as above, default=/N).\r\n"
    "    /J# - Specify minimum key frame frequency.\r\n"
    "    /A# - Auto key frame at what percentage of change (95% default).\r\n"
    "    /Z# - Height compression: 1=interlace or 2=double.\r\n"
    "    /G  - Create a ring frame for faster looping playback.\r\n"
    "    /M  - If compressing to a non-Kinet file, then mixed in original frames.\r\n"
    "    /V  - Compress every other frame beginning with frame 2.\r\n"
    "    /S# - Specifies the starting frame.\r\n"
    "    /E# - Specifies the ending frame.\r\n"
    "    /F# - Override the output frame rate.\r\n"
    "    /L# - Sound compression lossy level: 0 to 9 (lossless to very lossy).\r\n"
    "            Use -1 to not process the sound data in the input file.\r\n"
    "    /R# - Force the output data rate (11025, 22050, 44100).\r\n"
    "    /B# - Force the output bits (8 or 16).\r\n"
    "    /C# - Force the output channels (1=mono, 2=stereo).\r\n",
    "\r\n"
    "  Switches (2 of 2):\r\n"
    "    /Q# - Number of colors to shrink (quantize) to.\r\n"
    "    /I# - Index to start the new palette at (default=centered).\r\n"
    "    /U# - How often to write out a new palette (in frames).\r\n"
    "    /T# - Halftone control:\r\n"
    "        /T0 - Halftone input file if it contains high-color graphics (default).\r\n"
    "        /T1 - Always halftone the input file.\r\n"
    "        /T2 - Never halftone the input file.\r\n"
    "    /D# - Windows system colors control:\r\n"
    "        /D0 - Copy Windows system colors if a new palette is created (default).\r\n"
    "        /D1 - Always copy in the Windows system colors.\r\n"
    "        /D2 - Never copy in the Windows system colors.\r\n"
    "    /P# - 8-bit input file palette control:\r\n"
    "        /P0 - Copy the existing 8-bit input palettes (default).\r\n"
    "        /P1 - Create a new best-case palette.\r\n"
    "        /P2 - Create new best-case palettes whenever the input palette changes.\r\n"
    "    /X# - Specifies the sub-frame left coordinate.\r\n"
    "    /Y# - Specifies the sub-frame top coordinate.\r\n"
    "    /W# - Specifies the sub-frame width.\r\n"
    "    /H# - Specifies the sub-frame height.\r\n"
    "    /O  - Automatically overwrite the output file.\r\n"
    "    /&filename - Specifies a graphics file to get the palette from.\r\n"
    "    /@filename - Use hint file for frame specific compression options.  Format:\r\n"
    "        StartFrame  EndFrame  DataRate  KeyFrame(0/1)",
};

std::optional<PackSettings> ReadPackSettings(toolkit::SwitchLine& line) {
  PackSettings s;
  const uint32_t j = static_cast<uint32_t>(line.TakeNumber('J').value_or(0));
  s.min_key_distance = j == 0 ? 0x10000000 : j;
  s.mix_original = line.TakeFlag('M');
  s.height_mode = static_cast<uint32_t>(line.TakeNumber('Z').value_or(0));
  if (s.height_mode > 2) s.height_mode = 0;
  s.auto_key_percent = static_cast<uint32_t>(line.TakeNumber('A').value_or(95));
  if (s.auto_key_percent > 100) s.auto_key_percent = 100;
  const std::optional<int32_t> n = RateSwitch(line, 'N', 240000);
  if (!n) return std::nullopt;
  // Without /K key frames take /N's code: a frame where everything changes becomes a key frame,
  // and a quality for those would leave the data rate asked for unmet.
  const std::optional<int32_t> k = RateSwitch(line, 'K', *n);
  if (!k) return std::nullopt;
  s.regular_rate = *n;
  s.key_rate = *k;
  s.every_other = line.TakeFlag('V');
  s.frame_rate = line.TakeNumber('F').value_or(0);
  s.ring_frame = line.TakeFlag('G');
  s.hint_file = line.TakeText('@');
  if (!s.hint_file.empty() && s.hint_file[0] == '*') {
    s.hint_file.erase(0, 1);
    s.delete_hint_file = true;
  }
  s.overwrite = line.TakeFlag('O');
  s.graphics = toolkit::ReadGraphicsSwitches(line);
  s.sound_level = line.TakeNumber('L').value_or(0);
  s.sound_rate = line.TakeNumber('R').value_or(0);
  s.sound_channels = line.TakeNumber('C').value_or(0);
  s.sound_bits = line.TakeNumber('B').value_or(0);
  if (line.HasLeftover() || line.names().size() != 2) return std::nullopt;
  s.input = line.names()[0];
  s.output = line.names()[1];
  if (s.input.empty() || s.output.empty()) return std::nullopt;
  return s;
}

uint32_t PeriodOf(int32_t frame_rate) { return FramePeriod(frame_rate); }

std::string WithDefaultExtension(const std::string& name) {
  const size_t slash = name.find_last_of('/');
  const size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return name + ".knt";
  return name;
}

RunShape ShapeRun(const PackSettings& s, uint32_t source_width, uint32_t source_height,
                  uint32_t source_frames) {
  RunShape r;
  // Blocks are 4 pixels wide: a width between multiples of 4 is coded rounded up, the extra
  // columns repeating the picture's last one (FrameFeed), and cut off again by frame writers.
  r.width = (source_width + 3) / 4 * 4;
  const uint32_t hs = (source_height + 3) / 4 * 4;
  r.height = s.height_mode == 0 ? hs : hs / 2 / 4 * 4;
  r.line_step = s.height_mode == 0 ? 1 : 2;
  r.frames = (source_frames + (s.ring_frame ? 1 : 0)) >> (s.every_other ? 1 : 0);
  r.header_flags =
      (s.ring_frame ? KINET_FLAG_RING_FRAME : 0u) | (s.height_mode ? 1u << s.height_mode : 0u);
  r.auto_key_blocks =
      static_cast<uint32_t>(uint64_t{r.width} * r.height * s.auto_key_percent / 1600);
  return r;
}

}  // namespace kinet::pack
