#include "platform/images/picture_animation.h"

#include <cstring>

#include "platform/files/input_file.h"
#include "platform/images/gif_animation.h"
#include "platform/images/png_animation.h"

namespace kinet::platform {

std::vector<uint8_t> ReadWholeSmallFile(FileSystem& files, const std::string& path) {
  InputFile file;
  if (!file.Open(files, path)) return {};
  const int64_t size = file.Size();
  if (size <= 0 || size > (int64_t{1} << 31)) return {};
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (file.Read(bytes.data(), bytes.size()) != bytes.size()) return {};
  return bytes;
}

std::unique_ptr<PictureAnimation> ReadPictureAnimation(FileSystem& files, const std::string& path) {
  // The first bytes decide, so that no other file is read whole.
  InputFile file;
  uint8_t head[8];
  if (!file.Open(files, path) || file.Read(head, sizeof head) != sizeof head) return nullptr;
  file.Close();
  const bool gif = std::memcmp(head, "GIF", 3) == 0;
  const bool png = std::memcmp(head, "\x89PNG\r\n\x1a\n", 8) == 0;
  if (!gif && !png) return nullptr;
  std::vector<uint8_t> bytes = ReadWholeSmallFile(files, path);
  std::unique_ptr<PictureAnimation> animation;
  if (gif) animation = GifAnimation::Decode(std::move(bytes));
  if (png) animation = PngAnimation::Decode(std::move(bytes));
  if (!animation || animation->frame_count() < 2) return nullptr;
  return animation;
}

}  // namespace kinet::platform
