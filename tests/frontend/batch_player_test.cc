// The batch player's sequencing with a recording starter: waiting for reports, tools that end
// without one, blank and parameter-only lines, Cancel, and the parameters restored after.
#include "frontend/core/batch_player.h"

#include <gtest/gtest.h>

#include "tests/frontend/recording_host.h"

namespace kinet::desk {
namespace {

class Batch : public ::testing::Test {
 protected:
  Batch() : runner_(host_, starter_, dir_.path(), "/bin/kinet") {
    runner_.report_number = 9;
    runner_.batch_parameters = "outer";
    runner_.Prompt();
  }
  bool Has(const std::string& line) const {
    for (const std::string& l : runner_.history.lines())
      if (l == line) return true;
    return false;
  }

  testing::TempFolder dir_;
  testing::RecordingHost host_;
  platform::RecordingProgramStarter starter_{500};
  CommandRunner runner_;
  BatchPlayer player_{runner_, starter_};
};

TEST_F(Batch, EachToolLineWaitsForItsReport) {
  dir_.Write("job.sbt", "kinetpack %1 out.knt\r\n\r\n%3\nrem between\nkntinfo out.knt\n");
  ASSERT_TRUE(player_.Begin(dir_ / "job.sbt", "in.flc two"));
  EXPECT_EQ(runner_.history.lines()[0], dir_.path() + "> job.sbt in.flc two");
  player_.Tick();
  ASSERT_EQ(starter_.started.size(), 1u);
  EXPECT_EQ(starter_.started[0], "/bin/kinet/kinetpackw in.flc out.knt /#9/#");
  EXPECT_TRUE(player_.waiting());
  EXPECT_EQ(player_.status(), "Current ==> kinetpack %1 out.knt");
  player_.Tick();
  EXPECT_EQ(starter_.started.size(), 1u) << "still waiting for the report";
  runner_.ReceiveReport("kinetpackw\r\n  Kineted.");
  player_.ReportArrived();
  player_.Tick();
  ASSERT_EQ(starter_.started.size(), 2u) << "the remark runs without waiting";
  EXPECT_EQ(starter_.started[1], "/bin/kinet/kntinfow out.knt /#9/#");
  EXPECT_TRUE(Has(dir_.path() + "> rem between"));
  EXPECT_TRUE(runner_.recent_commands.entries().empty()) << "batch lines are not recent commands";
  runner_.ReceiveReport("kntinfow\r\n  Done.");
  player_.ReportArrived();
  player_.Tick();
  EXPECT_TRUE(player_.finished());
  player_.Finish();
  EXPECT_EQ(runner_.batch_parameters, "outer");
}

TEST_F(Batch, AToolThatEndsWithoutAReportGetsALineAndTheNextLineRuns) {
  dir_.Write("job.sbt", "kinetpack a b\nkinetmix c d\n");
  ASSERT_TRUE(player_.Begin(dir_ / "job.sbt", ""));
  player_.Tick();
  starter_.ended[500] = {true, 6};
  player_.Tick();  // the end is seen; a report sent before it may still be on its way
  EXPECT_EQ(starter_.started.size(), 1u);
  player_.Tick();
  EXPECT_TRUE(Has("  kinetpackw ended without a completion report (ended by signal 6)."));
  ASSERT_EQ(starter_.started.size(), 2u);
  starter_.ended[500] = {false, 3};
  player_.Tick();
  player_.Tick();
  EXPECT_TRUE(Has("  kinetmixw ended without a completion report (exit status 3)."));
  EXPECT_TRUE(player_.finished());
}

TEST_F(Batch, CancelStopsAfterTheCurrentLine) {
  dir_.Write("job.sbt", "kinetpack a b\nkinetpack c d\n");
  ASSERT_TRUE(player_.Begin(dir_ / "job.sbt", ""));
  player_.Tick();
  player_.Cancel();
  player_.Tick();
  EXPECT_TRUE(player_.finished());
  EXPECT_EQ(starter_.started.size(), 1u);
}

TEST_F(Batch, AFileThatCannotBeLoaded) {
  EXPECT_FALSE(player_.Begin(dir_ / "none.sbt", ""));
  EXPECT_EQ(player_.error(), "Error, couldn't load " + (dir_ / "none.sbt"));
  EXPECT_TRUE(player_.finished());
}

}  // namespace
}  // namespace kinet::desk
