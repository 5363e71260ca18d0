// The output writers: a flic, or one still picture per frame with numbered names.
//
//   auto writer = CreateGraphicsWriter(files, {.flags = 0, .callbacks = FrameCallbacks(frame),
//   ...}); for each frame: if (!writer->WriteFrame(palette, pixels)) stop; writer->Close();   //
//   the output exists only after a successful Close
//
// Outputs replace their targets only when complete: a writer destroyed without Close (a
// failed or cancelled run) leaves no partial file and any earlier file of that name as it was.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/files/file_system.h"
#include "toolkit/graphics/graphics_callbacks.h"
#include "toolkit/run_inputs.h"

namespace kinet::toolkit {

// Flags of CreateGraphicsWriter.
inline constexpr uint32_t kWriterQuietOnOtherTypes = 1;  // nothing, silently, for other types
inline constexpr uint32_t kWriterOverwrite = 2;          // replace outputs without asking

inline constexpr char kUnsupportedOutput[] = "Unsupported output file type.";
inline constexpr char kFlicCreateError[] = "Error creating the output flic.";
inline constexpr char kImageMemoryError[] = "Out of memory.";

struct WriterOptions {
  uint32_t flags = 0;
  GraphicsCallbacks callbacks;
  int32_t frame_rate = 0;  // the FrameRate form: positive ms, or minus 10-microsecond units
  uint32_t pitch = 0;      // bytes per line of the frames given; at least width
  uint32_t height = 0, width = 0;
  uint32_t frame_count = 0;  // frames that will be written (picks the digits of image names)
  std::string name;
  // The files the run reads, when it has any: an output name among them gives no writer.
  RunInputs* inputs = nullptr;
};

class GraphicsWriter {
 public:
  virtual ~GraphicsWriter() = default;
  // Appends one frame: `palette` 256 x (red, green, blue), `pixels` height lines of `pitch`
  // bytes. Shows "Writing frame <n> to <file>" through the callback first. False when it
  // failed (reported through the callback) or was cancelled.
  [[nodiscard]] virtual bool WriteFrame(const uint8_t* palette, const uint8_t* pixels) = 0;
  // Completes the output. False when that fails (reported through the callback).
  [[nodiscard]] virtual bool Close() = 0;
  // The name the output is written under (the first file of an image series).
  virtual const std::string& output_name() const = 0;
};

// A writer of files of `files` for the output's extension: ".flc" a flic; ".bmp", ".jpg", ".tga",
// ".tif", ".pcx",
// ".gif" and ".png" numbered pictures (any case). Other extensions give nothing, reported as
// kUnsupportedOutput unless kWriterQuietOnOtherTypes. Unless kWriterOverwrite, an existing
// output is only replaced when the callbacks' overwrite question says yes; "no" reports
// ProgressCode::kDeclined and gives nothing. An output that is a file of the options' inputs
// (any numbered picture of a series; of any type, kWriterQuietOnOtherTypes or not) reports
// kOutputIsInput first and gives nothing. A flic that cannot be created reports
// kFlicCreateError.
std::unique_ptr<GraphicsWriter> CreateGraphicsWriter(platform::FileSystem& files,
                                                     const WriterOptions& options);

// The file name of frame `index` (counted from 1) of `count` frames written to `name`: with
// more than one frame the number goes before the extension with 1 to 5 digits chosen from
// the count (2 to 9 frames: 1 digit, 10 or more: 2, 100: 3, 1000: 4, 10000: 5).
std::string NumberedName(const std::string& name, uint32_t index, uint32_t count);

// The extension of `name` with its dot ("" when the last path component has none).
std::string ExtensionOf(const std::string& name);

}  // namespace kinet::toolkit
