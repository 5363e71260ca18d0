#include "tools/kntinfow/file_tables.h"

#include "kinet/kinet.h"
#include "lib/core/format.h"
#include "lib/core/frame_tables.h"
#include "platform/files/input_file.h"

namespace kinet::info {

FileTables ReadFileTables(platform::FileSystem& files, const std::string& path) {
  FileTables t;
  platform::InputFile file;
  uint8_t head[KINET_HEADER_SIZE];
  if (!file.Open(files, path) || file.Read(head, sizeof head) != sizeof head) return t;
  const KinetHeader header = ParseHeader(head);
  const uint64_t records = FrameRecordCount(header);
  const int64_t length = files.FileSize(path);
  // The open has refused headers whose tables lie beyond the file's end.
  if (length < 0 || 5 * records > static_cast<uint64_t>(length)) return t;
  std::vector<uint8_t> tables(5 * records);
  if (file.Read(tables.data(), tables.size()) != tables.size()) return t;
  t.records = FrameTables(std::move(tables), static_cast<uint32_t>(records));
  uint64_t end = KINET_HEADER_SIZE + 5 * records + header.TreeSize;
  while (t.complete < t.records.count() && (end += t.records.size(t.complete)) <= uint64_t(length))
    ++t.complete;
  return t;
}

}  // namespace kinet::info
