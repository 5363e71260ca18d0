// The report channel end to end over real sockets in a private directory.
#include "platform/report/report_channel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <thread>

namespace kinet::platform {
namespace {

class ReportChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    number_ = random() % 1000000 + 1000;
    dir_ =
        std::filesystem::temp_directory_path() / ("kinet-report-test-" + std::to_string(number_));
    std::filesystem::create_directories(dir_);
    setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  uint32_t number_ = 0;
  std::filesystem::path dir_;
};

TEST_F(ReportChannelTest, CompletionReportArrivesWhole) {
  std::optional<ReportListener> listener = ReportListener::Open(number_);
  ASSERT_TRUE(listener);
  EXPECT_EQ(ReportSocketPath(number_),
            (dir_ / ("kinetor-report-" + std::to_string(number_) + ".sock")).string());
  std::string text("Kinet - banner\r\n  done.", 24);
  ASSERT_TRUE(SendReport(number_, kReportCompletion, text));
  std::optional<ReportMessage> message = listener->Receive(5000);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->id, kReportCompletion);
  EXPECT_EQ(message->payload, text);
}

TEST_F(ReportChannelTest, ExistenceChecksAreSkippedAndQueriesAnswered) {
  std::optional<ReportListener> listener = ReportListener::Open(number_);
  ASSERT_TRUE(listener);
  EXPECT_TRUE(ReportChannelExists(number_));  // connects and closes without a message
  std::thread asker([&] { EXPECT_EQ(QueryReport(number_, kReportOwnerQuery, "", 5000), 8995u); });
  std::optional<ReportMessage> message =
      listener->Receive(5000, [](const ReportMessage&) { return 8995u; });
  asker.join();
  ASSERT_TRUE(message);
  EXPECT_EQ(message->id, kReportOwnerQuery);
}

TEST_F(ReportChannelTest, NobodyListening) {
  EXPECT_FALSE(ReportChannelExists(number_));
  EXPECT_FALSE(SendReport(number_, kReportRestored, ""));
  EXPECT_EQ(QueryReport(number_, kReportOwnerQuery, "", 100), std::nullopt);
}

TEST_F(ReportChannelTest, NumberHeldByALiveListenerIsRefusedAndStaleSocketReplaced) {
  {
    std::optional<ReportListener> first = ReportListener::Open(number_);
    ASSERT_TRUE(first);
    EXPECT_FALSE(ReportListener::Open(number_));
    std::optional<ReportListener> moved = std::move(first);
    EXPECT_TRUE(ReportChannelExists(number_));
  }
  EXPECT_FALSE(std::filesystem::exists(ReportSocketPath(number_)));
  // A socket file without a listener (a crashed starter) does not block a new listener.
  std::filesystem::path stale = ReportSocketPath(number_);
  {
    std::FILE* f = std::fopen(stale.c_str(), "w");
    std::fclose(f);
  }
  EXPECT_TRUE(ReportListener::Open(number_));
}

TEST_F(ReportChannelTest, ReceiveTimesOutAndOversizedMessagesAreDropped) {
  std::optional<ReportListener> listener = ReportListener::Open(number_);
  ASSERT_TRUE(listener);
  EXPECT_EQ(listener->Receive(10), std::nullopt);
  std::string huge(kMaxReportPayload + 1, 'x');
  EXPECT_FALSE(SendReport(number_, kReportCompletion, huge));
  EXPECT_EQ(listener->Receive(10), std::nullopt);
}

}  // namespace
}  // namespace kinet::platform
