// The colour work of a graphics source: turns every frame into 8-bit pixels with a palette,
// building a new palette from the frames to come when one is due. The source calls NextFrame
// once per frame, in order, for the whole run; the object keeps the palette countdown, the
// output palette and the mapping caches between frames.
//
//   ColourWork work(settings);
//   for each frame:                    // `supply` gives the pictures a new palette is built from
//     if (!work.NextFrame(picture, window, supply, progress, pixels)) fail;   // cancelled
//     use pixels (window.width x window.height), work.palette(), work.palette_changed()
#pragma once

#include <cstdint>
#include <vector>

#include "platform/images/image.h"
#include "toolkit/colour/colour_key.h"
#include "toolkit/colour/halftone.h"
#include "toolkit/colour/palette_map.h"
#include "toolkit/colour/picture_supply.h"

namespace kinet::toolkit {

// The palette switches of the compressor and the graphics processor.
struct ColourSettings {
  int32_t colours = 256;       // /Q: colours of a new palette, 1..256
  int32_t start_index = -1;    // /I: its first entry; negative for (256 - colours) / 2;
                               //     lowered so that the range ends by entry 255
  int32_t period = 65536;      // /U: frames between new palettes
  int32_t mode = 0;            // /P: 0 copy 8-bit input palettes, 1 one best-case palette,
                               //     2 a new one whenever the input palette changes
  int32_t halftone = 0;        // /T: 0 halftone high-colour input, 1 always, 2 never
  int32_t system_colours = 0;  // /D: 0 place the system colours in a new palette, 1 also in
                               //     a copied one, 2 never
  bool palette_file = false;   // /&: new palettes are built from another graphics file
};

class ColourWork {
 public:
  explicit ColourWork(const ColourSettings& settings);
  ColourWork(const ColourWork&) = delete;
  ColourWork& operator=(const ColourWork&) = delete;

  // The settings with the defaults resolved and the values brought into range.
  const ColourSettings& settings() const { return settings_; }

  // Converts the window of `picture` into window.width x window.height pixels. A picture that
  // needs no colour work (8-bit, all 256 colours, mode 0, no palette file) keeps its indices
  // and palette (window pixels outside it become 0). Otherwise a new palette is made first
  // when due: on the first such frame, then when the countdown (frames analysed - 1) has run
  // out, and for a copied 8-bit palette whenever the input palette changes. False when the
  // analysis failed or the user cancelled; the palette is then the previous one.
  [[nodiscard]] bool NextFrame(const platform::Image& picture, const FrameWindow& window,
                               PictureSupply& supply, const ColourProgress& progress,
                               std::vector<uint8_t>& pixels);

  const Palette& palette() const { return palette_; }
  // True when the last frame's palette differs from the one before (always for the first).
  bool palette_changed() const { return palette_changed_; }

 private:
  bool NeedsWork(const platform::Image& picture) const;
  bool KeepsOwnPalette(const platform::Image& picture) const;
  bool Due(const platform::Image& picture) const;
  bool BuildPalette(PictureSupply& supply, const ColourProgress& progress);
  void CopyPalette(const Palette& input);
  void SetWorkPalette(const Palette& palette);
  void Emit(const Palette& palette);
  void Convert(const platform::Image& picture, const FrameWindow& window,
               std::vector<uint8_t>& pixels);

  ColourSettings settings_;
  PaletteMap map_;
  Halftone halftone_;
  Palette palette_{};
  bool palette_changed_ = false;
  bool frames_given_ = false;  // a frame has been put out: later ones compare palettes
  bool built_ = false;         // a palette has been made
  uint32_t countdown_ = 0;     // frames until the next palette is due
  Palette copied_from_{};      // the input palette a copied palette came from
};

}  // namespace kinet::toolkit
