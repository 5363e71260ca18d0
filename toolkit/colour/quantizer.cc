#include "toolkit/colour/quantizer.h"

#include <cstdio>
#include <vector>

#include "toolkit/colour/box_split.h"
#include "toolkit/colour/system_colours.h"

namespace kinet::toolkit {
namespace {

struct Box {
  size_t begin = 0, end = 0;  // the box's keys in the key list
  KeyMoments moments;
  BoxSplit split;
};

void ForgetReservedKeys(uint32_t high_reserve, uint32_t low_reserve, uint32_t colours,
                        uint32_t start, ColourHistogram& histogram) {
  auto forget = [&](uint32_t index) {
    const uint8_t* rgb = SystemColour(index);
    histogram.Clear(KeyOf(rgb[0], rgb[1], rgb[2]));
  };
  for (uint32_t i = 0; i < low_reserve; ++i) forget(start + i);
  for (uint32_t i = start + colours - high_reserve; i < start + colours; ++i) forget(i);
}

std::vector<KeyCount> CollectKeys(const ColourHistogram& histogram) {
  std::vector<KeyCount> keys;
  for (uint32_t key = 0; key < kKeyCount; ++key) {
    if (histogram.count(key) != 0) keys.push_back({key, histogram.count(key)});
  }
  return keys;
}

bool ShowProgress(const ColourProgress& progress, size_t made, uint32_t wanted) {
  if (!progress) return false;
  char text[64];
  std::snprintf(text, sizeof text, "Reducing the number of colors (%u%%)...",
                static_cast<unsigned>(made * 100 / wanted + 1));
  return progress(text);
}

// The box whose split lowers the error most; the first box wins ties.
size_t MostReducing(const std::vector<Box>& boxes) {
  size_t best = 0;
  for (size_t i = 1; i < boxes.size(); ++i) {
    if (boxes[i].split.reduction > boxes[best].split.reduction) best = i;
  }
  return best;
}

void Evaluate(std::vector<KeyCount>& keys, Box& box) {
  box.split = BestSplit({keys.data() + box.begin, box.end - box.begin}, box.moments);
}

}  // namespace

QuantizeResult Quantize(const ColourProgress& progress, uint32_t high_reserve, uint32_t low_reserve,
                        uint32_t colours, uint32_t start, ColourHistogram& histogram,
                        Palette& palette) {
  QuantizeResult result;
  if (low_reserve + high_reserve >= colours || start + colours > 256) return result;
  const uint32_t wanted = colours - low_reserve - high_reserve;
  ForgetReservedKeys(high_reserve, low_reserve, colours, start, histogram);
  std::vector<KeyCount> keys = CollectKeys(histogram);
  if (keys.empty()) return result;

  std::vector<Box> boxes;
  boxes.reserve(wanted);
  boxes.push_back({0, keys.size(), MomentsOf(keys), {}});
  while (boxes.size() < wanted) {
    if (ShowProgress(progress, boxes.size(), wanted)) {
      result.cancelled = true;
      break;
    }
    // The box made last (at first the whole list) is the only one not yet evaluated.
    Evaluate(keys, boxes.back());
    const size_t chosen = MostReducing(boxes);
    if (boxes[chosen].split.reduction <= 0) break;
    Box& box = boxes[chosen];
    const BoxSplit split = box.split;
    const size_t low_size = ApplyCut({keys.data() + box.begin, box.end - box.begin}, split.cut);
    Box high{box.begin + low_size, box.end, split.high, {}};
    box.end = box.begin + low_size;
    box.moments = split.low;
    if (boxes.size() + 1 < wanted) Evaluate(keys, box);
    boxes.push_back(high);
  }

  for (size_t i = 0; i < boxes.size(); ++i) {
    boxes[i].moments.Colour(&palette[(start + low_reserve + i) * 3]);
  }
  result.colours = static_cast<uint32_t>(boxes.size());
  return result;
}

}  // namespace kinet::toolkit
