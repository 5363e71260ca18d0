// Runs a tiny tool in the frame as its own process against a listening report channel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/report/report_channel.h"

namespace kinet::toolkit {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int exit_status = -1;
  std::string err;
};

std::string Slurp(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class ToolRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    number_ = random() % 1000000 + 1;
    dir_ = fs::temp_directory_path() / ("kinet-tool-run-" + std::to_string(random()));
    fs::create_directories(dir_);
    setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
    setenv("KINET_STATUS", "terminal", 1);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the probe with `args` through the shell, stdin empty, stderr kept.
  ToolRun RunProbe(const std::string& args) {
    fs::path err = dir_ / "stderr.txt";
    fs::path code = dir_ / "status.txt";
    std::string command = std::string("'") + KINET_FRAME_PROBE + "' " + args + " </dev/null 2>'" +
                          err.string() + "'; echo $? >'" + code.string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return {std::stoi(Slurp(code)), Slurp(err)};
  }

  std::string ExpectReport(platform::ReportListener& listener) {
    std::optional<platform::ReportMessage> message = listener.Receive(10000);
    if (!message) return "(no report)";
    EXPECT_EQ(message->id, platform::kReportCompletion);
    return message->payload;
  }

  uint32_t number_ = 0;
  fs::path dir_;
};

std::string Report(const std::string& status) {
  std::string text = "Probe - kinetprobe frame test 1.0\r\n  " + status;
  text.push_back('\0');
  return text;
}

TEST_F(ToolRunTest, CompletionReportReachesTheStarter) {
  auto listener = platform::ReportListener::Open(number_);
  ASSERT_TRUE(listener);
  std::string name = (dir_ / "new.dat").string();
  ToolRun run = RunProbe("'" + name + "' /#" + std::to_string(number_) + "/#");
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(ExpectReport(*listener), Report("Probed " + name + "."));
  EXPECT_EQ(run.err, "Probing " + name + "...\nProbed " + name + ".\n");
}

TEST_F(ToolRunTest, WindowFaceOffscreenClosesWithoutWaiting) {
  setenv("KINET_STATUS", "window", 1);
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  auto listener = platform::ReportListener::Open(number_);
  ASSERT_TRUE(listener);
  std::string name = (dir_ / "new.dat").string();
  ToolRun bare = RunProbe("'" + name + "' -#" + std::to_string(number_) + " -#");
  EXPECT_EQ(bare.exit_status, 0);
  EXPECT_EQ(bare.err, "");  // the status went to the window, not to the terminal
  EXPECT_EQ(ExpectReport(*listener), Report("Probed " + name + "."));
  // Without the bare switch a real display would wait for Done; offscreen nobody can press it.
  ToolRun waiting = RunProbe("'" + name + "' /#" + std::to_string(number_));
  EXPECT_EQ(waiting.exit_status, 0);
  EXPECT_EQ(ExpectReport(*listener), Report("Probed " + name + "."));
}

TEST_F(ToolRunTest, FailureUsageAndTheOverwriteQuestion) {
  auto listener = platform::ReportListener::Open(number_);
  ASSERT_TRUE(listener);
  std::string channel = " /#" + std::to_string(number_);
  std::string name = (dir_ / "old.dat").string();
  std::ofstream(name) << "keep me";

  // No terminal to answer on: the question is printed and answered "No".
  ToolRun asked = RunProbe("'" + name + "'" + channel);
  EXPECT_EQ(asked.exit_status, 1);
  EXPECT_NE(asked.err.find("File " + name + " exists, overwrite? No.\n"), std::string::npos);
  EXPECT_EQ(ExpectReport(*listener), Report("File " + name + " exists, overwrite? No."));

  ToolRun failed = RunProbe("'" + name + "' /O/F" + channel);
  EXPECT_EQ(failed.exit_status, 1);
  EXPECT_NE(failed.err.find("Error probing " + name + ".\n"), std::string::npos);
  ExpectReport(*listener);

  ToolRun usage = RunProbe("'" + name + "' /Q" + channel);
  EXPECT_EQ(usage.exit_status, 2);
  EXPECT_NE(usage.err.find("Syntax:  Probe <Name> [/Switches]\n"), std::string::npos);
  EXPECT_EQ(ExpectReport(*listener), Report("Loading..."));

  // Without a listener the tool still ends normally.
  listener.reset();
  EXPECT_EQ(RunProbe("'" + name + "' /O" + channel).exit_status, 0);
}

}  // namespace
}  // namespace kinet::toolkit
