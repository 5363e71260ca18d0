// The graphics source descriptor: one file, a numbered series of picture files, or a list file
// naming several of them, read as a sequence of 8-bit frames with palettes.
//
//   auto source = GraphicsSource::Open(files, options, "walk.flc");  // nothing: reported
//   while (!source->at_end()) {
//     if (!source->NextFrame()) fail;                            // cancelled or failed
//     use source->pixels(), source->palette(), source->palette_changed() ...
//   }
//
// Every text goes through the options' callbacks: progress texts (which the user may cancel)
// and the error texts below.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/colour/colour_work.h"
#include "toolkit/graphics/graphics_callbacks.h"
#include "toolkit/graphics/source_kinds.h"

namespace kinet::toolkit {

inline constexpr char kOpeningList[] = "Opening the files in the list...";
inline constexpr char kNoFilesInList[] = "No files in the list file.";
inline constexpr char kFrameMemoryError[] = "Out of memory";

// The colour settings the palette work reads (/&, /P, /T, /Q, /I, /U, /D), normalised by
// ReadGraphicsSwitches (graphics_switches.h).
struct PaletteSettings {
  std::string palette_file;    // a graphics file to take the palette from; empty for none
  int32_t mode = 0;            // /P: 0 copy 8-bit input palettes, 1 one best-case palette,
                               //     2 a new one whenever the input palette changes
  int32_t halftone = 0;        // /T: 0 halftone high-colour input, 1 always, 2 never
  int32_t colours = 256;       // /Q: 1..256
  int32_t start_index = 0;     // /I: first entry of the new palette; start_index + colours <= 256
  int32_t period = 65536;      // /U: frames between new palettes
  int32_t system_colours = 0;  // /D: 0 copy the system colours into a new palette, 1 always,
                               //     2 never
};

// The part of each picture that becomes the frame, in pixels of the source picture. A width
// or height of 0 runs to the picture's right or bottom edge; a larger one than the picture
// holds is kept, the pixels beyond the picture being 0. Negative X and Y count as 0.
struct SubFrame {
  int32_t x = 0, y = 0, width = 0, height = 0;
};

struct SourceOptions {
  GraphicsCallbacks callbacks;
  std::string label;  // the progress label: "<label> frame <n> of <last>..."
  PaletteSettings palette;
  // /S and /E: the first and last frame counted from 1 (a minus sign is ignored); 0 leaves
  // that end open, and an end before the start is ignored.
  int32_t start = 0, end = 0;
  SubFrame sub_frame;
  // Pictures only, without colour work (the palette file's own source).
  bool raw_pictures = false;
};

class GraphicsSource {
 public:
  // Opens `name` (a file, a series, or a list) of `files`, which must outlive the source.
  // Nothing on failure, after reporting "Error opening: <name>" (for a list: the entry that
  // failed) or kNoFilesInList.
  static std::unique_ptr<GraphicsSource> Open(platform::FileSystem& files,
                                              const SourceOptions& options,
                                              const std::string& name);
  ~GraphicsSource();

  // Reads the next frame into pixels() and palette(): reports "<label> frame <n> of
  // <last>..." first (and "Skipping frame <n>..." for frames passed over on the way to the
  // start). Sets at_end() after the last frame. False when cancelled, when nothing is left,
  // or when a frame cannot be read ("Error reading: <file>") or stored (kFrameMemoryError).
  [[nodiscard]] bool NextFrame();
  // Back to the first frame of the range.
  [[nodiscard]] bool Rewind();
  // Reads frame `index` of the range into `picture` without colour work, for a palette
  // analysis that looks ahead; shows "<label> frame <n> of <last>...". False when cancelled
  // or unreadable.
  [[nodiscard]] bool ReadAhead(uint32_t index, platform::Image& picture);

  const std::string& name() const { return name_; }
  // The numbered series read one file at a time (entries and the palette file's), of which
  // only the first files are open yet: for RunInputs::AddSeries.
  const std::vector<SeriesName>& series() const { return series_; }
  SourceKind kind() const { return kind_; }
  // The frame's sides (the sub-frame); lines of pixels() are pitch() bytes apart.
  uint32_t width() const { return width_; }
  uint32_t height() const { return height_; }
  uint32_t pitch() const { return width_; }
  // Bits per pixel of the last picture read (8, 16, 24 or 32), before the colour work.
  uint32_t depth() const { return depth_; }
  // Frames after the /S and /E range.
  uint32_t frame_count() const { return frame_count_; }
  // The FrameRate form: positive milliseconds, or minus the period in 10-microsecond units.
  int32_t frame_rate() const { return frame_rate_; }
  uint64_t total_bytes() const { return total_bytes_; }
  // Bytes the last frame took in its file.
  uint64_t frame_bytes() const { return frame_bytes_; }
  // Index of the range's first frame in the whole source, counted from 0.
  uint32_t first_index() const { return first_index_; }
  // Frames read since the open or the last rewind.
  uint32_t frames_read() const { return next_; }
  const std::vector<uint8_t>& pixels() const { return pixels_; }
  // The last picture as its file gave it (any depth, the entry's own size), before the
  // colour work and the sub-frame cut.
  const platform::Image& picture() const { return frame_; }
  const std::array<uint8_t, 768>& palette() const { return palette_; }
  // True when the last frame's palette differs from the one before (always for the first).
  bool palette_changed() const { return palette_changed_; }
  bool at_end() const { return next_ >= frame_count_; }
  const PaletteSettings& palette_settings() const { return options_.palette; }
  PaletteSettings& palette_settings() { return options_.palette; }
  const SubFrame& sub_frame() const { return options_.sub_frame; }
  const GraphicsCallbacks& callbacks() const { return options_.callbacks; }

 private:
  struct Entry;

  GraphicsSource(platform::FileSystem& files, const SourceOptions& options);
  bool AddEntry(const std::string& name, int32_t start, int32_t end);
  bool OpenList(const std::string& name);
  bool SetUpRange();
  bool ReadInto(uint32_t index, platform::Image& picture);
  bool ShowFrameNumber(uint32_t index);
  bool ConvertColours(uint32_t index);

  platform::FileSystem& files_;
  SourceOptions options_;
  std::string name_;
  SourceKind kind_ = SourceKind::kRaw;
  std::vector<Entry> entries_;
  std::vector<SeriesName> series_;
  uint32_t width_ = 0, height_ = 0, depth_ = 8;
  uint32_t frame_count_ = 0, first_index_ = 0, next_ = 0;
  int32_t frame_rate_ = 0;
  uint64_t total_bytes_ = 0, frame_bytes_ = 0;
  std::vector<uint8_t> pixels_;
  std::array<uint8_t, 768> palette_{};
  bool palette_changed_ = false;
  platform::Image frame_;  // the last picture as read, before the colour work
  std::unique_ptr<ColourWork> colour_;
  std::unique_ptr<PictureSupply> palette_file_;
};

}  // namespace kinet::toolkit
