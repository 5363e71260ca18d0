#include "compressor/hint_file.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <sstream>

#include "compressor/rate_control.h"
#include "platform/files/input_file.h"

namespace kinet::encoder {

namespace {

constexpr size_t kMaxHintBytes = size_t{16} << 20;

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  for (char c : line) {
    if (static_cast<unsigned char>(c) <= ' ' || c == ',') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word.push_back(c);
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

std::optional<int64_t> Number(const std::string& word) {
  int64_t v = 0;
  const char* end = word.data() + word.size();
  auto [ptr, ec] = std::from_chars(word.data(), end, v);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return v;
}

}  // namespace

FrameHints NoHints(uint32_t count) {
  return {std::vector<uint8_t>(count, 0), std::vector<int32_t>(count, kNoRateCode)};
}

void ApplyHintText(const std::string& text, uint32_t first_number, FrameHints& hints) {
  const int64_t lo = first_number, hi = int64_t{first_number} + int64_t(hints.key.size()) - 1;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    const std::vector<std::string> w = SplitWords(line);
    if (w.empty()) continue;
    std::optional<int64_t> first = Number(w[0]);
    std::optional<int64_t> last = w.size() > 1 ? Number(w[1]) : first;
    if (!first || !last) continue;
    if (*first > *last) std::swap(first, last);
    if (*first == 0 || *first < lo || *first > hi) continue;
    const int64_t end = std::min(*last, hi);
    const std::optional<int64_t> rate = w.size() > 2 ? Number(w[2]) : std::nullopt;
    const bool use_rate = rate && *rate >= INT32_MIN && *rate <= INT32_MAX &&
                          IsValidRateCode(static_cast<int32_t>(*rate));
    const std::optional<int64_t> key = w.size() > 3 ? Number(w[3]) : std::nullopt;
    for (int64_t f = *first; f <= end; ++f) {
      const size_t i = static_cast<size_t>(f - lo);
      if (use_rate) hints.rate[i] = static_cast<int32_t>(*rate);
      if (key) hints.key[i] = static_cast<uint8_t>(*key);
    }
  }
}

FrameHints ReadHintFile(platform::FileSystem& files, const std::string& path, uint32_t first_number,
                        uint32_t count) {
  FrameHints hints = NoHints(count);
  // A hint file is a few lines per range; anything far larger is no hint file.
  if (auto text = platform::ReadWholeFile(files, path, kMaxHintBytes))
    ApplyHintText(*text, first_number, hints);
  return hints;
}

}  // namespace kinet::encoder
