#include "toolkit/sound/sound_list.h"

#include <algorithm>

#include "toolkit/list_file.h"
#include "toolkit/series_name.h"
#include "toolkit/sound/trimming.h"

namespace kinet::toolkit {
namespace {

void SendError(const SoundOptions& options, std::string_view text) {
  if (options.callback) options.callback(SoundMessage::kError, text);
}

// True when the last number of a series' star suffix is written and is 0.
bool EndsAtZero(const std::string& numbered) {
  const std::string text = numbered.substr(numbered.find_last_of("*-") + 1);
  return !text.empty() && text.find_first_not_of('0') == std::string::npos;
}

}  // namespace

ListSource::ListSource(const OpenRequest& request, std::string name)
    : SoundSource(SoundKind::kList, std::move(name), request.options.callback),
      item_base_(request) {
  item_base_.options.callback = {};
  item_base_.values_count_frames = false;
  item_base_.depth = request.depth + 1;
}

OpenRequest ListSource::ItemRequest(const ListItem& item, uint64_t extra_start_ticks) const {
  OpenRequest request = item_base_;
  request.options.start = item.start;
  request.options.end = item.end;
  request.values_count_frames = item.values_count_frames;
  request.extra_start_ticks = extra_start_ticks;
  return request;
}

std::unique_ptr<ListSource> ListSource::Open(const OpenRequest& request, std::string name,
                                             const ListCandidates& candidates) {
  if (request.depth >= kMaxListDepth) return nullptr;
  std::unique_ptr<ListSource> list(new ListSource(request, std::move(name)));
  uint64_t total = 0;
  const SoundCallback& callback = request.options.callback;
  for (uint64_t i = 0; i < candidates.count; ++i) {
    if (request.options.cancelled && request.options.cancelled()) return nullptr;
    ListItem item = candidates.at(i);
    if (candidates.end_at_missing && !request.files->Exists(item.name)) {
      if (i > 0 && callback) {
        callback(SoundMessage::kRemark, "The series ends at " + candidates.at(i - 1).name + ": " +
                                            item.name + " is missing.");
      }
      break;
    }
    OpenRequest measuring = list->ItemRequest(item, 0);
    if (callback) {
      measuring.options.callback = [&callback](SoundMessage kind, std::string_view text) {
        if (kind == SoundMessage::kRemark) callback(kind, text);
      };
    }
    auto source = OpenRequested(measuring, item.name);
    if (!source) continue;
    if (list->items_.empty()) {  // the first item that opens settles the format
      list->output_ = list->input_ = source->format();
      SoundOptions& forced = list->item_base_.options;
      forced.rate = static_cast<int32_t>(list->output_.rate);
      forced.bits = static_cast<int32_t>(list->output_.bits);
      forced.channels = static_cast<int32_t>(list->output_.channels);
    }
    item.length = source->output_length();
    total += std::min(item.length, UINT64_MAX - total);
    list->items_.push_back(std::move(item));
  }
  if (total == 0) {
    SendError(request.options, kNoFilesInWaveList);
    return nullptr;
  }
  TimeRange times = ResolveTimes(request.options.start, request.options.end, std::nullopt, false);
  times.start += request.extra_start_ticks;
  const ByteRange range = TrimBytes(total, list->output_, times);
  list->skip_ = range.offset;
  list->cut_ = range.length < total - range.offset;
  list->length_ = range.length;
  (void)list->Rewind();
  return list;
}

bool ListSource::Rewind() {
  current_.reset();
  next_item_ = 0;
  to_skip_ = skip_;
  remaining_ = length_;
  at_end_ = false;
  read_before_ = false;
  return true;
}

bool ListSource::OpenNext() {
  current_.reset();
  while (next_item_ < items_.size()) {
    const ListItem& item = items_[next_item_++];
    uint64_t extra_start_ticks = 0;
    if (to_skip_ > 0) {
      if (item.length <= to_skip_) {
        to_skip_ -= item.length;
        continue;
      }
      extra_start_ticks = static_cast<uint64_t>(static_cast<unsigned __int128>(to_skip_) *
                                                kTicksPerSecond / output_.bytes_per_second());
      to_skip_ = 0;
    }
    current_ = OpenRequested(ItemRequest(item, extra_start_ticks), item.name);
    if (current_) return true;
  }
  return false;
}

size_t ListSource::Read(uint8_t* out, size_t wanted) {
  ReportProgress();
  const uint32_t frame = output_.frame_bytes();
  wanted = wanted / frame * frame;
  size_t done = 0;
  while (done < wanted) {
    size_t want = wanted - done;
    if (cut_) want = static_cast<size_t>(std::min<uint64_t>(want, remaining_ / frame * frame));
    if (want == 0 || (!current_ && !OpenNext())) {
      at_end_ = true;
      break;
    }
    const size_t got = current_->Read(out + done, want);
    done += got;
    remaining_ -= std::min<uint64_t>(got, remaining_);
    if (got < want) current_.reset();  // the item has ended
  }
  return done;
}

std::unique_ptr<SoundSource> OpenSeriesSource(const OpenRequest& request, const std::string& name) {
  const size_t star = name.rfind('*');
  const std::string base =
      WithDefaultExtension(star == std::string::npos ? name : name.substr(0, star), ".wav");
  OpenRequest list_request = request;
  std::string numbered;
  if (star == std::string::npos) {  // the start and end are the numbers, not times
    if (request.options.end <= 0) {
      SendError(request.options, kSeriesWithoutEnd);
      return nullptr;
    }
    numbered = base + "*" + std::to_string(std::max(request.options.start, 0)) + "-" +
               std::to_string(request.options.end);
    list_request.options.start = list_request.options.end = 0;
  } else {
    numbered = base + name.substr(star);
  }
  if (EndsAtZero(numbered)) {
    SendError(request.options, kSeriesWithoutEnd);
    return nullptr;
  }
  ListCandidates candidates;
  if (const auto series = ParseSeriesName(numbered)) {
    candidates = {series->count(),
                  [s = *series](uint64_t i) {
                    return ListItem{s.FileName(s.first + static_cast<uint32_t>(i))};
                  },
                  true};
  }
  return ListSource::Open(list_request, name, candidates);
}

std::unique_ptr<SoundSource> OpenWaveListSource(const OpenRequest& request,
                                                const std::string& path) {
  auto entries = ReadListFile(*request.files, path);
  if (!entries) return nullptr;
  const auto count = entries->size();
  ListCandidates candidates{count, [lines = std::move(*entries)](uint64_t i) {
                              return ListItem{lines[i].name, lines[i].start, lines[i].end, true};
                            }};
  return ListSource::Open(request, path, candidates);
}

}  // namespace kinet::toolkit
