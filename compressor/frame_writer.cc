#include "compressor/frame_writer.h"

namespace kinet::encoder {

VideoTreeSet::VideoTreeSet()
    : trees_{TreeBuilder(TreeBuilder::Kind::kWord), TreeBuilder(TreeBuilder::Kind::kWord),
             TreeBuilder(TreeBuilder::Kind::kWord), TreeBuilder(TreeBuilder::Kind::kWord)} {}

void VideoTreeSet::Start() {
  for (TreeBuilder& t : trees_) t.Start();
}

void VideoTreeSet::EndFrame() {
  for (TreeBuilder& t : trees_) t.EndFrame();
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
