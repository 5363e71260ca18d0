#include "graphics/pixworkw/pix_settings.h"

#include <vector>

#include "toolkit/graphics/graphics_writer.h"

namespace kinet::pix {

namespace {

using toolkit::KnownSwitch;
using toolkit::SwitchKind;

std::vector<KnownSwitch> MakeTable() {
  std::vector<KnownSwitch> t = {{'#', SwitchKind::kNumber},
                                {'#', SwitchKind::kFlag},
                                {'O', SwitchKind::kFlag},
                                {'F', SwitchKind::kNumber}};
  t.insert(t.end(), std::begin(toolkit::kGraphicsSwitches), std::end(toolkit::kGraphicsSwitches));
  return t;
}

}  // namespace

std::span<const toolkit::KnownSwitch> SwitchTable() {
  static const std::vector<KnownSwitch> table = MakeTable();
  return table;
}

const std::array<std::string_view, 2> kUsageBoxes = {
    "Syntax:  PixWork <Input Graphics File> <Output Graphics File> [/Switches]\r\n"
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
    "    an .LST extension.\r\n",
    "\r\n"
    "Switches:\r\n"
    "  /Q# - Number of colors to shrink (quantize) to.\r\n"
    "  /I# - Index to start the new palette at (default=centered).\r\n"
    "  /U# - How often to write out a new palette (in frames).\r\n"
    "  /T# - Halftone control:\r\n"
    "        /T0 - Halftone input file if it contains high-color graphics (default).\r\n"
    "        /T1 - Always halftone the input file.\r\n"
    "        /T2 - Never halftone the input file.\r\n"
    "  /D# - Windows system colors control:\r\n"
    "        /D0 - Copy Windows system colors if a new palette is created (default).\r\n"
    "        /D1 - Always copy in the Windows system colors.\r\n"
    "        /D2 - Never copy in the Windows system colors.\r\n"
    "  /P# - 8-bit input file palette control:\r\n"
    "        /P0 - Copy the existing 8-bit input palettes (default).\r\n"
    "        /P1 - Create a new best-case palette.\r\n"
    "        /P2 - Create new best-case palettes whenever the input palette changes.\r\n"
    "  /X# - Specifies the sub-frame left coordinate.\r\n"
    "  /Y# - Specifies the sub-frame top coordinate.\r\n"
    "  /W# - Specifies the sub-frame width.\r\n"
    "  /H# - Specifies the sub-frame height.\r\n"
    "  /S# - Specifies the starting frame.\r\n"
    "  /E# - Specifies the ending frame.\r\n"
    "  /F# - Override the output frame rate.\r\n"
    "  /O  - Automatically overwrite the output file.\r\n"
    "  /&filename - Specifies a file to get the palette from.",
};

std::optional<PixSettings> ReadPixSettings(toolkit::SwitchLine& line) {
  PixSettings s;
  s.overwrite = line.TakeFlag('O');
  s.frame_rate = line.TakeNumber('F').value_or(0);
  s.graphics = toolkit::ReadGraphicsSwitches(line);
  if (line.HasLeftover() || line.names().size() != 2) return std::nullopt;
  s.input = line.names()[0];
  s.output = line.names()[1];
  if (s.input.empty() || s.output.empty()) return std::nullopt;
  return s;
}

std::string OutputName(const std::string& name) {
  return toolkit::ExtensionOf(name).empty() ? name + ".flc" : name;
}

}  // namespace kinet::pix
