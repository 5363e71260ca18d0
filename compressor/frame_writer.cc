#include "compressor/frame_writer.h"

#include "compressor/block_codes.h"

namespace kinet::encoder {

namespace {
enum Tree { kMonoMap = 0, kMonoColour = 1, kFull = 2, kBlockType = 3 };
}

VideoTreeSet::VideoTreeSet()
    : trees_{TreeBuilder(TreeBuilder::Kind::kWord), TreeBuilder(TreeBuilder::Kind::kWord),
             TreeBuilder(TreeBuilder::Kind::kWord), TreeBuilder(TreeBuilder::Kind::kWord)} {}

void VideoTreeSet::Start() {
  for (TreeBuilder& t : trees_) t.Start();
}

void VideoTreeSet::EndFrame() {
  for (TreeBuilder& t : trees_) t.EndFrame();
}

// Calls emit(tree, symbol) for every symbol of the frame in stream order: per chunk of a run,
// its block-type value, then for full blocks each row's pixels 2-3 and 0-1, for two-colour
// blocks the colour pair and the mask.
template <typename Emit>
void VideoTreeSet::ForEachSymbol(const FrameCodes& f, Emit&& emit) {
  ForEachChunk(f.codes, f.blocks_per_row * f.block_rows,
               [&](uint32_t code, uint32_t first, uint32_t blocks) {
                 const uint16_t kind = KindOf(code);
                 const uint16_t fill = kind == 3 ? static_cast<uint16_t>((code & 0xFF) << 8) : 0;
                 emit(kBlockType, static_cast<uint16_t>(kind | RunCode(blocks) << 2 | fill));
                 for (uint32_t b = first; b < first + blocks; ++b) {
                   if (kind == 1) {
                     const uint8_t* p = BlockPixels(f, b);
                     for (int r = 0; r < 4; ++r, p += f.width) {
                       emit(kFull, static_cast<uint16_t>(p[2] | p[3] << 8));
                       emit(kFull, static_cast<uint16_t>(p[0] | p[1] << 8));
                     }
                   } else if (kind == 0) {
                     emit(kMonoColour, static_cast<uint16_t>(f.codes[b] >> 16));
                     emit(kMonoMap, static_cast<uint16_t>(f.codes[b]));
                   }
                 }
               });
}

void VideoTreeSet::AddFrame(const FrameCodes& frame) {
  ForEachSymbol(frame, [this](int tree, uint16_t v) { trees_[tree].Add(v); });
  EndFrame();
}

bool VideoTreeSet::BuildAndWrite(BitWriter& out, uint32_t sizes[4]) {
  for (int t = 0; t < 4; ++t) {
    const int32_t size = trees_[t].BuildAndWrite(out);
    if (size == TreeBuilder::kTooDeep) return false;
    sizes[t] = static_cast<uint32_t>(size);
  }
  return true;
}

bool VideoTreeSet::WriteFrame(const FrameCodes& frame, BitWriter& out) {
  bool ok = true;
  ForEachSymbol(frame, [&](int tree, uint16_t v) { ok = trees_[tree].WriteSymbol(out, v) && ok; });
  EndFrame();
  return ok;
}

}  // namespace kinet::encoder
