// The find command on the command page: each file found goes to the history, depth first,
// and a search without hits says so.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <filesystem>

#include "frontend/gui/main_window.h"
#include "tests/frontend/desk_setup.h"

namespace kinet::desk {
namespace {

TEST(FindWindow, HitsGoToTheHistory) {
  testing::TempFolder dir;
  setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
  dir.Write("top.knt", "k");
  std::filesystem::create_directories(dir / "deeper/down");
  dir.Write("deeper/down/low.knt", "k");
  dir.Write("deeper/other.txt", "t");
  platform::RecordingProgramStarter starter(1);
  MainWindow main(testing::TestDeskSetup(dir, starter));
  main.show();
  main.ShowPage(kCommandPage);
  main.Run("", "find " + dir / "*.knt");
  main.Run("", "find " + dir / "*.none");
  auto* history = main.findChild<QPlainTextEdit*>("commandhistory");
  ASSERT_TRUE(history);
  const std::string text = history->toPlainText().toStdString();
  const size_t top = text.find("  " + dir / "top.knt");
  const size_t low = text.find("  " + dir / "deeper/down/low.knt");
  EXPECT_NE(top, std::string::npos) << text;
  EXPECT_NE(low, std::string::npos) << text;
  EXPECT_LT(top, low);
  EXPECT_NE(text.find("  No matching files found."), std::string::npos) << text;
}

}  // namespace
}  // namespace kinet::desk
