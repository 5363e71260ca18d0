#include "toolkit/graphics/graphics_source.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "toolkit/graphics/source_supply.h"
#include "toolkit/list_file.h"

namespace kinet::toolkit {

// One opened entry and the part of it the source takes.
struct GraphicsSource::Entry {
  std::string name;
  OpenedEntry opened;
  uint32_t first = 0, count = 0;  // frames of the entry's own range
  uint32_t position = 0;          // the next frame its reader delivers
};

namespace {

// A /S or /E value as a frame number from 1, or 0 when open.
uint32_t FrameNumber(int32_t value) {
  return static_cast<uint32_t>(std::abs(static_cast<int64_t>(value)));
}

// The range [first, first + count) of `frames` that /S and /E leave.
void Range(uint32_t frames, int32_t start, int32_t end, uint32_t& first, uint32_t& count) {
  const uint32_t s = FrameNumber(start), e = FrameNumber(end);
  first = std::min(s > 0 ? s - 1 : 0, frames);
  uint32_t last = frames;  // one past
  if (e > 0 && e >= std::max(s, 1u)) last = std::min(e, frames);
  count = last > first ? last - first : 0;
}

// The palette switches as the colour work takes them.
ColourSettings ColourSettingsOf(const PaletteSettings& p) {
  ColourSettings c;
  c.colours = p.colours;
  c.start_index = p.start_index;
  c.period = p.period;
  c.mode = p.mode;
  c.halftone = p.halftone;
  c.system_colours = p.system_colours;
  c.palette_file = !p.palette_file.empty();
  return c;
}

}  // namespace

GraphicsSource::GraphicsSource(platform::FileSystem& files, const SourceOptions& options)
    : files_(files), options_(options) {
  if (!options.raw_pictures)
    colour_ = std::make_unique<ColourWork>(ColourSettingsOf(options.palette));
}
GraphicsSource::~GraphicsSource() = default;

std::unique_ptr<GraphicsSource> GraphicsSource::Open(platform::FileSystem& files,
                                                     const SourceOptions& options,
                                                     const std::string& name) {
  std::unique_ptr<GraphicsSource> source(new GraphicsSource(files, options));
  source->name_ = name;
  try {
    const bool opened = IsListName(name) ? source->OpenList(name) : source->AddEntry(name, 0, 0);
    if (!opened || !source->SetUpRange()) return nullptr;
    const std::string& palette_file = options.palette.palette_file;
    if (!options.raw_pictures && !palette_file.empty()) {
      // New palettes come from the pictures of another graphics file, read as they are.
      SourceOptions file_options;
      file_options.callbacks = options.callbacks;
      file_options.label = kPaletteFileLabel;
      file_options.raw_pictures = true;
      auto file = GraphicsSource::Open(files, file_options, palette_file);
      if (!file) {
        options.callbacks.Error(kPaletteFileError);
        return nullptr;
      }
      source->series_.insert(source->series_.end(), file->series().begin(), file->series().end());
      source->palette_file_ = std::make_unique<PaletteFileSupply>(std::move(file));
    }
  } catch (const std::bad_alloc&) {
    options.callbacks.Error(kFrameMemoryError);
    return nullptr;
  }
  return source;
}

bool GraphicsSource::AddEntry(const std::string& name, int32_t start, int32_t end) {
  Entry entry{name, IsListName(name) ? OpenedEntry{SourceKind::kList, name, nullptr}
                                     : OpenEntry(files_, name, options_.callbacks)};
  if (!entry.opened.reader) {
    if (!entry.opened.cancelled) options_.callbacks.Error("Error opening: " + name);
    return false;
  }
  const std::string remark = entry.opened.reader->Remark();
  if (!remark.empty() && options_.callbacks.Progress(remark)) return false;
  Range(entry.opened.reader->frame_count(), start, end, entry.first, entry.count);
  if (entries_.empty()) kind_ = entry.opened.kind;
  if (const SeriesName* series = entry.opened.reader->series()) series_.push_back(*series);
  entries_.push_back(std::move(entry));
  return true;
}

bool GraphicsSource::OpenList(const std::string& name) {
  if (options_.callbacks.Progress(kOpeningList)) return false;
  auto lines = ReadListFile(files_, name);
  if (!lines) {
    options_.callbacks.Error("Error opening: " + name);
    return false;
  }
  for (const ListEntry& line : *lines) {
    if (!AddEntry(line.name, line.start, line.end)) return false;
  }
  if (entries_.empty()) {
    options_.callbacks.Error(kNoFilesInList);
    return false;
  }
  kind_ = SourceKind::kList;
  return true;
}

// The whole range, the frame's sides from the first entry and its sub-frame.
bool GraphicsSource::SetUpRange() {
  uint64_t frames = 0;
  for (const Entry& e : entries_) {
    frames += e.count;
    total_bytes_ += e.opened.reader->total_bytes();
  }
  Range(static_cast<uint32_t>(std::min<uint64_t>(frames, UINT32_MAX)), options_.start, options_.end,
        first_index_, frame_count_);
  const FrameReader& first = *entries_.front().opened.reader;
  frame_rate_ = first.frame_rate();
  // A width or height asked for is kept even where it reaches past the picture (the rest pads
  // the frame); one not asked for runs to the picture's edge.
  const SubFrame& sub = options_.sub_frame;
  const int64_t x = std::max(sub.x, 0), y = std::max(sub.y, 0);
  const int64_t width = sub.width > 0 ? sub.width : int64_t{first.width()} - x;
  const int64_t height = sub.height > 0 ? sub.height : int64_t{first.height()} - y;
  width_ = static_cast<uint32_t>(std::clamp<int64_t>(width, 0, UINT32_MAX));
  height_ = static_cast<uint32_t>(std::clamp<int64_t>(height, 0, UINT32_MAX));
  if (!platform::ImageSidesAllowed(width_, height_)) {
    options_.callbacks.Error("Error opening: " + name_);
    return false;
  }
  pixels_.assign(size_t{width_} * height_, 0);
  return true;
}

bool GraphicsSource::ShowFrameNumber(uint32_t index) {
  return !options_.callbacks.Progress(options_.label + " frame " +
                                      std::to_string(first_index_ + index + 1) + " of " +
                                      std::to_string(first_index_ + frame_count_) + "...");
}

bool GraphicsSource::NextFrame() {
  if (at_end() || !ShowFrameNumber(next_)) return false;
  try {
    if (!ReadInto(first_index_ + next_, frame_)) return false;
    depth_ = frame_.bits;
    if (colour_ && !ConvertColours(next_)) return false;
  } catch (const std::bad_alloc&) {
    options_.callbacks.Error(kFrameMemoryError);
    return false;
  }
  ++next_;
  return true;
}

bool GraphicsSource::ReadAhead(uint32_t index, platform::Image& picture) {
  return index < frame_count_ && ShowFrameNumber(index) && ReadInto(first_index_ + index, picture);
}

// The sub-frame of the picture as 8-bit pixels with a palette, through the colour work.
bool GraphicsSource::ConvertColours(uint32_t index) {
  const SubFrame& sub = options_.sub_frame;
  const FrameWindow window{std::max(sub.x, 0), std::max(sub.y, 0), width_, height_};
  LookAheadSupply look_ahead(*this, index, frame_, window);
  PictureSupply& supply = palette_file_ ? *palette_file_ : look_ahead;
  const ColourProgress progress = [this](std::string_view text) {
    return options_.callbacks.Progress(text);
  };
  if (!colour_->NextFrame(frame_, window, supply, progress, pixels_)) return false;
  palette_ = colour_->palette();
  palette_changed_ = colour_->palette_changed();
  return true;
}

// Reads frame `index` of the whole source into `picture`, passing over frames on the way.
bool GraphicsSource::ReadInto(uint32_t index, platform::Image& picture) {
  size_t e = 0;
  while (index >= entries_[e].count) index -= entries_[e++].count;
  Entry& entry = entries_[e];
  const uint32_t wanted = entry.first + index;
  if (entry.position > wanted) {
    if (!entry.opened.reader->Rewind()) return false;
    entry.position = 0;
  }
  for (; entry.position < wanted; ++entry.position) {
    // Frames passed over are numbered as in their own file.
    if (options_.callbacks.Progress("Skipping frame " + std::to_string(entry.position + 1) +
                                    "...")) {
      return false;
    }
    if (!entry.opened.reader->Skip(1)) {
      options_.callbacks.Error("Error reading: " + entry.opened.path);
      return false;
    }
  }
  const std::string file = entry.opened.reader->NextFile();
  frame_bytes_ = entry.opened.reader->Read(picture);
  if (frame_bytes_ == 0) {
    options_.callbacks.Error("Error reading: " + (file.empty() ? entry.opened.path : file));
    return false;
  }
  ++entry.position;
  return true;
}

bool GraphicsSource::Rewind() {
  for (Entry& e : entries_) {
    if (!e.opened.reader->Rewind()) return false;
    e.position = 0;
  }
  next_ = 0;
  return true;
}

}  // namespace kinet::toolkit
