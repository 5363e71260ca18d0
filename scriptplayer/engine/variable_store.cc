#include "scriptplayer/engine/variable_store.h"

#include "scriptplayer/engine/integer_text.h"

namespace kinet::script {
namespace {

constexpr char kEntryMark = '\xFF';
constexpr char kValueMark = '\xFE';

std::string ReplaceMarkers(std::string_view text) {
  std::string out(text.substr(0, text.find('\0')));
  for (char& c : out) {
    if (c == kEntryMark || c == kValueMark) c = '?';
  }
  return out;
}

}  // namespace

std::string CleanName(std::string_view name) { return ToUpper(ReplaceMarkers(TrimBlanks(name))); }
std::string CleanValue(std::string_view value) { return ReplaceMarkers(value); }

size_t VariableStore::Find(std::string_view upper_name) const {
  size_t at = 0;
  while ((at = area_.find(upper_name, at)) != std::string::npos) {
    size_t end = at + upper_name.size();
    if (at > 0 && area_[at - 1] == kEntryMark && end < area_.size() && area_[end] == kValueMark)
      return at - 1;
    ++at;
  }
  return std::string::npos;
}

std::string_view VariableStore::Get(std::string_view name) const {
  std::string upper = CleanName(name);
  size_t at = Find(upper);
  if (at == std::string::npos) return {};
  size_t begin = at + upper.size() + 2;
  size_t end = area_.find(kEntryMark, begin);
  if (end == std::string::npos) end = area_.size();
  return std::string_view(area_).substr(begin, end - begin);
}

void VariableStore::Set(std::string_view name, std::string_view raw_value) {
  std::string upper = CleanName(name);
  std::string value = CleanValue(raw_value);
  size_t at = Find(upper);
  if (at != std::string::npos) {
    size_t begin = at + upper.size() + 2;
    size_t end = area_.find(kEntryMark, begin);
    if (end == std::string::npos) end = area_.size();
    if (value.empty()) {
      area_.erase(at, end - at);
    } else if (area_.size() - (end - begin) + value.size() + 2 <= kCapacity) {
      area_.replace(begin, end - begin, value);
    }
    return;
  }
  if (value.empty()) return;
  // The entry takes its two marks; the end marker needs two more bytes.
  if (area_.size() + upper.size() + value.size() + 4 > kCapacity) return;
  area_ += kEntryMark;
  area_ += upper;
  area_ += kValueMark;
  area_ += value;
}

std::vector<std::pair<std::string, std::string>> VariableStore::List() const {
  std::vector<std::pair<std::string, std::string>> out;
  size_t at = 0;
  while (at < area_.size()) {
    size_t mark = area_.find(kValueMark, at + 1);
    size_t next = area_.find(kEntryMark, mark);
    if (next == std::string::npos) next = area_.size();
    out.emplace_back(area_.substr(at + 1, mark - at - 1), area_.substr(mark + 1, next - mark - 1));
    at = next;
  }
  return out;
}

}  // namespace kinet::script
