// The pictures a new palette is built from, as the colour work asks for them.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/images/image.h"
#include "toolkit/colour/colour_key.h"
#include "toolkit/colour/histogram.h"

namespace kinet::toolkit {

inline constexpr char kPaletteFileLabel[] = "Analyzing colors in";
inline constexpr char kPaletteFileError[] = "Error opening palette graphics file.";

// Where the pictures for a new palette come from: the source itself (the frame being converted
// first, then the frames after it) or the palette file (/&, opened by the source as a second
// source with the label kPaletteFileLabel; "Error opening palette graphics file." when that
// fails). The supply shows its own "<label> frame <n> of <last>..." texts.
class PictureSupply {
 public:
  enum class Result { kPicture, kEnd, kFailed };
  virtual ~PictureSupply() = default;
  // The next picture and the window of it that makes the frame. kEnd when none is left;
  // kFailed when it cannot be read or the user cancelled (already reported). The picture
  // stays valid until the next call.
  virtual Result Next(const platform::Image*& picture, FrameWindow& window) = 0;
  // The analysis is over: the source goes back to the frame after the one being converted.
  // False when it cannot.
  [[nodiscard]] virtual bool EndAnalysis() = 0;
};

// Adds up to `limit` pictures from `supply` to `histogram`. With `stop_at_palette_change` the
// analysis ends before the first picture whose input palette differs from the one before it (a
// change of depth to or from 8 bits counts as a change). Returns the number of pictures added;
// nothing when the supply failed. Does not call EndAnalysis.
std::optional<uint32_t> AnalysePictures(PictureSupply& supply, uint32_t limit,
                                        bool stop_at_palette_change, ColourHistogram& histogram);

}  // namespace kinet::toolkit
