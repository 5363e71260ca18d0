// The overwrite question through the frame on each real face: the terminal face with a typed
// answer, and the window face (offscreen) with its message box.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/status_window/terminal_face.h"
#include "platform/status_window/window_face.h"
#include "toolkit/status_frame.h"

namespace kinet::toolkit {
namespace {

namespace fs = std::filesystem;

class TypedConsole : public platform::Console {
 public:
  bool ErrorIsTerminal() const override { return false; }
  bool CanAsk() const override { return true; }
  void WriteError(std::string_view text) override { (*written) += text; }
  std::optional<std::string> ReadAnswer() override {
    if (answers->empty()) return std::nullopt;
    std::string a = answers->front();
    answers->pop_front();
    return a;
  }
  int TakeInterrupts() override { return 0; }

  std::string* written;
  std::deque<std::string>* answers;
};

class BoxAnswers : public platform::Dialogs {
 public:
  explicit BoxAnswers(std::vector<std::string>& asked) : asked_(asked) {}
  bool Message(SDL_Window*, platform::MessageIcon, const std::string&,
               const std::string&) override {
    return true;
  }
  std::optional<bool> Ask(SDL_Window*, const std::string& title, const std::string& question,
                          bool default_no) override {
    asked_.push_back(title + ": " + question + (default_no ? " [no]" : " [yes]"));
    return asked_.size() == 1;  // yes the first time, no afterwards
  }

 private:
  std::vector<std::string>& asked_;
};

class OverwriteFacesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kinet-overwrite-faces-" + std::to_string(std::random_device()()));
    fs::create_directories(dir_);
    path_ = (dir_ / "out.knt").string();
    std::ofstream(path_) << "earlier run";
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  std::string path_;
};

TEST_F(OverwriteFacesTest, TerminalFace) {
  std::string written;
  std::deque<std::string> answers = {"y", "n"};
  auto console = std::make_unique<TypedConsole>();
  console->written = &written;
  console->answers = &answers;
  auto face = std::make_unique<platform::TerminalFace>(*console);
  StatusFrame frame({"Kinet", "test", {}}, std::move(console), std::move(face));
  EXPECT_TRUE(frame.AskOverwrite(platform::SystemFileSystem(), path_));
  EXPECT_EQ(frame.status(), "File " + path_ + " exists, overwrite? Yes.");
  EXPECT_FALSE(frame.AskOverwrite(platform::SystemFileSystem(), path_));
  EXPECT_TRUE(frame.AskOverwrite(platform::SystemFileSystem(),
                                 (dir_ / "new.knt").string()));  // nothing there: no question
  EXPECT_EQ(written, "File " + path_ + " exists, overwrite? [y/N] File " + path_ +
                         " exists, overwrite? Yes.\nFile " + path_ +
                         " exists, overwrite? [y/N] File " + path_ + " exists, overwrite? No.\n");
}

TEST_F(OverwriteFacesTest, WindowFace) {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  std::string written;
  std::deque<std::string> answers;
  auto console = std::make_unique<TypedConsole>();
  console->written = &written;
  console->answers = &answers;
  std::vector<std::string> asked;
  auto face = platform::WindowFace::Create({"Kinet", "test", false}, *console,
                                           std::make_unique<BoxAnswers>(asked));
  ASSERT_TRUE(face);
  StatusFrame frame({"Kinet", "test", {}}, std::move(console), std::move(face));
  EXPECT_TRUE(frame.AskOverwrite(platform::SystemFileSystem(), path_));
  EXPECT_FALSE(frame.AskOverwrite(platform::SystemFileSystem(), path_));
  EXPECT_EQ(frame.status(), "File " + path_ + " exists, overwrite? No.");
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], "Kinet: File " + path_ + " exists, overwrite? [no]");
  EXPECT_EQ(written, "");  // the window face asked in its boxes
}

}  // namespace
}  // namespace kinet::toolkit
