// Batch files that run the real tools through the real report channel: kinetpackw compresses
// a generated series, its completion report arrives, then kntinfow reads the result; a tool
// that crashes is passed over.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "frontend/core/batch_player.h"
#include "platform/report/report_channel.h"
#include "tests/frontend/recording_host.h"
#include "tests/frontend/series_fixture.h"

namespace kinet::desk {
namespace {

namespace fs = std::filesystem;

class BatchRun : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_RUNTIME_DIR", dir_.path().c_str(), 1);
    number_ = 700000 + static_cast<uint32_t>(std::rand() % 100000);
    listener_ = platform::ReportListener::Open(number_);
    ASSERT_TRUE(listener_);
  }
  // Runs the batch file to its end, passing reports on as the batch window does. The bound
  // only keeps a broken run from hanging the suite.
  void Play(CommandRunner& runner, const std::string& file) {
    runner.report_number = number_;
    runner.Prompt();
    BatchPlayer player(runner, platform::SystemProgramStarter());
    ASSERT_TRUE(player.Begin(file, ""));
    for (int i = 0; i < 1200 && !player.finished(); ++i) {
      player.Tick();
      if (auto m = listener_->Receive(100); m && m->id == platform::kReportCompletion) {
        runner.ReceiveReport(m->payload);
        player.ReportArrived();
      }
    }
    EXPECT_TRUE(player.finished());
  }

  testing::TempFolder dir_;
  testing::RecordingHost host_;
  uint32_t number_ = 0;
  std::optional<platform::ReportListener> listener_;
};

TEST_F(BatchRun, CompressesASeriesThenReadsTheResult) {
  WriteSeries(dir_);
  dir_.Write("job.sbt", "kinetpack walk?.bmp*1-3 walk.knt /N0/K0\nkntinfo walk.knt\n");
  CommandRunner runner(host_, platform::SystemProgramStarter(), dir_.path(), TOOLS_DIR);
  Play(runner, dir_ / "job.sbt");
  ASSERT_TRUE(fs::exists(dir_ / "walk.knt")) << runner.history.Text();
  const std::string text = runner.history.Text();
  const size_t pack = text.find("\n  Kinet - KinetPackW");
  const size_t info = text.find("\n  ", text.find("> kntinfo walk.knt"));
  EXPECT_NE(pack, std::string::npos) << text;
  EXPECT_NE(info, std::string::npos) << text;
  EXPECT_LT(pack, text.find("> kntinfo walk.knt")) << "the second line waited for the report";
  EXPECT_EQ(text.find("without a completion report"), std::string::npos) << text;
}

TEST_F(BatchRun, ACrashingToolIsPassedOver) {
  fs::create_directory(dir_ / "bin");
  fs::create_symlink(ABORTING_TOOL, dir_ / "bin/kinetpackw");
  dir_.Write("job.sbt", "kinetpack a b\necho after\n");
  CommandRunner runner(host_, platform::SystemProgramStarter(), dir_.path(), dir_ / "bin");
  Play(runner, dir_ / "job.sbt");
  const std::string text = runner.history.Text();
  EXPECT_NE(text.find("  kinetpackw ended without a completion report (ended by signal 6).\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("> echo after"), std::string::npos) << text;
}

}  // namespace
}  // namespace kinet::desk
