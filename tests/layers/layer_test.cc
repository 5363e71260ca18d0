// The include lines of the whole tree against the direction of dependencies.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/layers/layer_rules.h"

namespace kinet::layers {
namespace {

TEST(Layers, UpwardAndSidewaysIncludesAreFaults) {
  EXPECT_NE(QuotedIncludeFault("lib/core/frame_decoder.cc", "toolkit/words.h"), "");
  EXPECT_NE(QuotedIncludeFault("lib/core/frame_decoder.cc", "platform/clock/clock.h"), "");
  EXPECT_NE(QuotedIncludeFault("platform/avi/avi_reader.cc", "lib/core/format.h"), "");
  EXPECT_NE(QuotedIncludeFault("toolkit/words.cc", "compressor/huffman.h"), "");
  EXPECT_NE(QuotedIncludeFault("compressor/huffman.cc", "toolkit/words.h"), "");
  EXPECT_NE(QuotedIncludeFault("tools/kinetplayw/player.cc", "tools/kntinfow/x.h"), "");
  EXPECT_NE(QuotedIncludeFault("soundtools/kinetmixw/mix.cc", "compressor/kinetpackw/a.h"), "");
  EXPECT_NE(QuotedIncludeFault("frontend/core/settings.cc", "toolkit/words.h"), "");
  EXPECT_NE(QuotedIncludeFault("toolkit/words.cc", "tests/support/animation_fixtures.h"), "");
  EXPECT_NE(QuotedIncludeFault("toolkit/words.cc", "words.h"), "") << "not from the root";
  EXPECT_NE(
      QuotedIncludeFault("scriptplayer/engine/interpreter.cc", "scriptplayer/commands/bitmaps.h"),
      "");
  EXPECT_EQ(
      QuotedIncludeFault("scriptplayer/commands/bitmaps.cc", "scriptplayer/engine/interpreter.h"),
      "");
}

TEST(Layers, DownwardIncludesAreAllowed) {
  EXPECT_EQ(QuotedIncludeFault("lib/core/frame_decoder.cc", "kinet/kinet_format.h"), "");
  EXPECT_EQ(QuotedIncludeFault("lib/playback/open.cc", "platform/files/input_file.h"), "");
  EXPECT_EQ(QuotedIncludeFault("platform/avi/avi_reader.cc", "platform/images/image.h"), "");
  EXPECT_EQ(QuotedIncludeFault("tools/kinetplayw/player.cc", "toolkit/knt_report.h"), "");
  EXPECT_EQ(QuotedIncludeFault("compressor/kinetpackw/pack_run.cc", "compressor/video_job.h"), "");
  EXPECT_EQ(QuotedIncludeFault("scriptplayer/main.cc", "toolkit/switches.h"), "");
  EXPECT_EQ(QuotedIncludeFault("tests/lib/open_test.cc", "lib/playback/open_rules.h"), "");
}

TEST(Layers, ExamplesSeeOnlyThePublicHeaders) {
  EXPECT_EQ(QuotedIncludeFault("examples/c/kinet_frames.c", "kinet/kinet.h"), "");
  EXPECT_NE(QuotedIncludeFault("examples/c/kinet_frames.c", "lib/core/format.h"), "");
  EXPECT_NE(QuotedIncludeFault("examples/cpp/kinet_rects.cc", "platform/clock/clock.h"), "");
  EXPECT_EQ(SystemIncludeFault("examples/c/kinet_frames.c", "png.h"), "");
}

TEST(Layers, SystemServicesOnlyInPlatform) {
  EXPECT_NE(SystemIncludeFault("toolkit/status_frame.cc", "SDL.h"), "");
  EXPECT_NE(SystemIncludeFault("lib/playback/open.cc", "unistd.h"), "");
  EXPECT_NE(SystemIncludeFault("compressor/run_file.cc", "sys/stat.h"), "");
  EXPECT_NE(SystemIncludeFault("scriptplayer/main.cc", "QWidget"), "");
  EXPECT_EQ(SystemIncludeFault("frontend/gui/main_window.cc", "QWidget"), "");
  EXPECT_EQ(SystemIncludeFault("platform/files/input_file.cc", "unistd.h"), "");
  EXPECT_EQ(SystemIncludeFault("toolkit/words.cc", "string_view"), "");
  EXPECT_NE(SystemIncludeFault("toolkit/graphics/list_file.cc", "fstream"), "");
  EXPECT_NE(SystemIncludeFault("compressor/hint_file.cc", "filesystem"), "");
  EXPECT_EQ(SystemIncludeFault("platform/files/posix_file_system.cc", "filesystem"), "");
  EXPECT_EQ(SystemIncludeFault("frontend/core/builtin_files.cc", "filesystem"), "");
}

TEST(Layers, FaultsNameTheirLine) {
  const auto faults = IncludeFaults("lib/core/x.cc",
                                    "#include <vector>\n\n#include \"toolkit/words.h\"\n"
                                    "  #  include <SDL.h>\n");
  ASSERT_EQ(faults.size(), 2u);
  EXPECT_EQ(faults[0].rfind("lib/core/x.cc:3: ", 0), 0u) << faults[0];
  EXPECT_EQ(faults[1].rfind("lib/core/x.cc:4: ", 0), 0u) << faults[1];
}

TEST(Layers, TheTreeKeepsTheDirection) {
  namespace fs = std::filesystem;
  const fs::path root = KINET_SOURCE_DIR;
  std::vector<std::string> faults;
  size_t files = 0;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::end(it); ++it) {
    const std::string name = it->path().filename().string();
    if (it->is_directory() && (name[0] == '.' || name.rfind("build", 0) == 0 || name == "corpus")) {
      it.disable_recursion_pending();
      continue;
    }
    const std::string ext = it->path().extension().string();
    if (!it->is_regular_file() || (ext != ".cc" && ext != ".h" && ext != ".cpp" && ext != ".c")) continue;
    std::ifstream in(it->path());
    std::stringstream text;
    text << in.rdbuf();
    const auto found = IncludeFaults(fs::relative(it->path(), root).string(), text.str());
    faults.insert(faults.end(), found.begin(), found.end());
    ++files;
  }
  EXPECT_GT(files, 100u);
  std::string all;
  for (const auto& f : faults) all += f + "\n";
  EXPECT_TRUE(faults.empty()) << all;
}

}  // namespace
}  // namespace kinet::layers
