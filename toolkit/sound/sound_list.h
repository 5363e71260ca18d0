// Lists (kind 4): a wave list file, one sound per line with its own /S# and /E#, or a
// numbered series of sound files. Every item is a full source of its own, opened with the
// list's output format; the list plays them one after the other.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/sound/sound_open.h"
#include "toolkit/sound/sound_source.h"

namespace kinet::toolkit {

struct ListItem {
  std::string name;
  int32_t start = 0, end = 0;        // the item's own trimming
  bool values_count_frames = false;  // per-line values count frames of video and AVI items
  uint64_t length = 0;               // output bytes, as measured on opening
};

// The candidates of a list, made one at a time so that a long series keeps nothing of the
// numbers that do not open.
struct ListCandidates {
  uint64_t count = 0;
  std::function<ListItem(uint64_t index)> at;
  // A numbered series ends before its first number without a file (a remark names it); the
  // lines of a wave list are each tried.
  bool end_at_missing = false;
};

class ListSource final : public SoundSource {
 public:
  // Opens every candidate once to measure it, skipping those that do not open; the first that
  // opens settles the output format where the request leaves it open. The items' remarks (a
  // cut WAV) reach the request's callback. Then applies the list's own start (whole items are
  // passed over) and end. Nothing, with kNoFilesInWaveList, when the items give no sound.
  static std::unique_ptr<ListSource> Open(const OpenRequest& request, std::string name,
                                          const ListCandidates& candidates);

  size_t Read(uint8_t* out, size_t wanted) override;
  bool Rewind() override;

 private:
  ListSource(const OpenRequest& request, std::string name);
  OpenRequest ItemRequest(const ListItem& item, uint64_t extra_start_ticks) const;
  // Opens the next item that opens, passing over items that lie wholly inside the start.
  bool OpenNext();

  OpenRequest item_base_;  // what every item is opened with, apart from its own values
  std::vector<ListItem> items_;
  uint64_t skip_ = 0;  // output bytes of the list's start
  bool cut_ = false;   // the list's end cuts the sound: stop at length()
  size_t next_item_ = 0;
  uint64_t to_skip_ = 0;
  std::unique_ptr<SoundSource> current_;
};

// A name with a run of '?': the numbers follow a '*' ("snd???.wav*1-20", "snd???.wav*7"), or
// else are the request's start and end; a last number of 0 is refused (kSeriesWithoutEnd).
std::unique_ptr<SoundSource> OpenSeriesSource(const OpenRequest& request, const std::string& name);
// A wave list file; nothing, without a message, when it cannot be read.
std::unique_ptr<SoundSource> OpenWaveListSource(const OpenRequest& request,
                                                const std::string& path);

}  // namespace kinet::toolkit
