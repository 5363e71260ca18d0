// The frame's logic on a scripted face: cancel question, Done, questions, report, exit status.
#include "toolkit/status_frame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/report/report_channel.h"

namespace kinet::toolkit {
namespace {

using platform::FaceEvents;
using platform::MessageIcon;

// What the scripted face was asked to do, and what it answers.
struct FaceScript {
  std::vector<std::string> log;
  std::deque<FaceEvents> events;  // handed out one per Pump or Wait
  std::deque<bool> answers;       // for questions; the default when empty
  bool can_wait = true;
  int waits = 0;
};

class ScriptedFace : public platform::StatusFace {
 public:
  explicit ScriptedFace(FaceScript& script) : s_(script) {}
  void SetStatus(std::string_view text) override {
    s_.log.push_back("status " + std::string(text));
  }
  void ShowMessage(MessageIcon icon, std::string_view title, std::string_view text) override {
    const char* kind = icon == MessageIcon::kError ? "error " : "info ";
    s_.log.push_back(kind + std::string(title) + ": " + std::string(text));
  }
  bool AskYesNo(std::string_view title, std::string_view question, bool default_no) override {
    s_.log.push_back("ask " + std::string(question) + (default_no ? " [no]" : " [yes]"));
    if (s_.answers.empty()) return !default_no;
    bool answer = s_.answers.front();
    s_.answers.pop_front();
    return answer;
  }
  FaceEvents Pump() override {
    if (s_.events.empty()) return {};
    FaceEvents e = s_.events.front();
    s_.events.pop_front();
    return e;
  }
  FaceEvents Wait(int) override {
    ++s_.waits;
    // A Done wait that nobody ends would hang the test; fail loudly instead.
    if (s_.waits > 100) std::abort();
    return Pump();
  }
  void SetButtonDone() override { s_.log.push_back("done button"); }
  bool CanWaitForDone() const override { return s_.can_wait && !closed_; }
  void Close() override {
    if (!closed_) s_.log.push_back("close");
    closed_ = true;
  }

 private:
  FaceScript& s_;
  bool closed_ = false;
};

FaceEvents Press() {
  FaceEvents e;
  e.button_presses = 1;
  return e;
}

FaceEvents CloseBox() {
  FaceEvents e;
  e.close_requests = 1;
  return e;
}

std::unique_ptr<StatusFrame> MakeFrame(FaceScript& script, ReportSwitches report = {}) {
  return std::make_unique<StatusFrame>(StatusFrame::Options{"Kinet", "KinetPackW 3.0f", report},
                                       nullptr, std::make_unique<ScriptedFace>(script));
}

TEST(StatusFrame, CancelIsAskedOnceAndOnlyFlagsTheRun) {
  FaceScript script;
  script.events = {Press(), Press()};
  script.answers = {true};
  auto frame = MakeFrame(script);
  frame->Pump();
  EXPECT_TRUE(frame->cancelled());
  EXPECT_TRUE(frame->error());
  frame->Pump();  // a second Cancel after "Yes" does not ask again
  EXPECT_EQ(std::count(script.log.begin(), script.log.end(), "ask Do you want to cancel? [no]"), 1);
  frame->SetStatus("still here");  // the button does not stop the work; the tool does
  EXPECT_EQ(frame->Finish(RunOutcome::kSucceeded), kExitFailed);
  EXPECT_EQ(script.waits, 0);
}

TEST(StatusFrame, CancelAnsweredNoKeepsGoingAndClosingAfterYesRemovesTheWindow) {
  FaceScript script;
  script.events = {CloseBox(), CloseBox()};
  script.answers = {false, true};
  auto frame = MakeFrame(script);
  frame->Pump();
  EXPECT_FALSE(frame->error());
  frame->Pump();
  EXPECT_TRUE(frame->cancelled());
  EXPECT_EQ(script.log.back(), "close");
}

TEST(StatusFrame, ConfirmedRequestCancelsWithoutAQuestion) {
  FaceScript script;
  FaceEvents ctrl_c = CloseBox();
  ctrl_c.confirmed = true;
  script.events = {ctrl_c};
  auto frame = MakeFrame(script);
  frame->Pump();
  EXPECT_TRUE(frame->cancelled());
  EXPECT_TRUE(script.log.empty() || script.log[0].rfind("ask", 0) != 0);
}

TEST(StatusFrame, SuccessWaitsForDoneUnlessCloseWhenDone) {
  FaceScript script;
  script.events = {{}, {}, Press()};
  auto frame = MakeFrame(script);
  frame->SetStatus("Kineted in 1 second.");
  script.events = {{}, {}, Press()};
  EXPECT_EQ(frame->Finish(RunOutcome::kSucceeded), kExitSucceeded);
  EXPECT_EQ(script.waits, 3);
  // Pressing after "&Done" appeared ends the wait without a question.
  EXPECT_EQ(script.log,
            (std::vector<std::string>{"status Kineted in 1 second.", "done button", "close"}));

  FaceScript bare;
  auto closing = MakeFrame(bare, {std::nullopt, true});
  EXPECT_EQ(closing->Finish(RunOutcome::kSucceeded), kExitSucceeded);
  EXPECT_EQ(bare.waits, 0);

  FaceScript failed;
  auto failing = MakeFrame(failed);
  EXPECT_EQ(failing->Finish(RunOutcome::kFailed), kExitFailed);
  EXPECT_EQ(failed.waits, 0);
  EXPECT_EQ(failing->Finish(RunOutcome::kSucceeded), kExitFailed);  // only the first call acts
}

TEST(StatusFrame, UsageBoxesAndExitStatus) {
  FaceScript script;
  auto frame = MakeFrame(script);
  constexpr std::string_view kBoxes[] = {"Syntax: one", "Switches (1 of 2)", "Switches (2 of 2)"};
  frame->ShowUsage(kBoxes);
  EXPECT_EQ(script.log,
            (std::vector<std::string>{"error Kinet: Syntax: one", "error Kinet: Switches (1 of 2)",
                                      "info Kinet: Switches (2 of 2)"}));
  EXPECT_TRUE(frame->error());
  EXPECT_EQ(frame->Finish(RunOutcome::kUsageError), kExitUsage);
}

TEST(StatusFrame, QuestionsShowTheirAnswerAsStatus) {
  FaceScript script;
  script.answers = {true};
  auto frame = MakeFrame(script);
  EXPECT_TRUE(frame->Ask("Go on?"));
  EXPECT_EQ(frame->status(), "Go on? Yes.");
  EXPECT_FALSE(frame->Ask("Again?"));  // nobody answers: the default "No"
  EXPECT_EQ(frame->status(), "Again? No.");
}

TEST(StatusFrame, OverwriteAsksOnlyWhenSomethingIsThere) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("kinet-frame-overwrite-" + std::to_string(std::random_device()()));
  std::filesystem::create_directories(dir);
  std::string path = (dir / "out.knt").string();
  std::filesystem::remove(path);
  FaceScript script;
  auto frame = MakeFrame(script);
  EXPECT_TRUE(frame->AskOverwrite(platform::SystemFileSystem(), path));
  EXPECT_TRUE(script.log.empty());
  std::ofstream(path) << "x";
  std::filesystem::permissions(path, std::filesystem::perms::none);  // unreadable still counts
  EXPECT_FALSE(frame->AskOverwrite(platform::SystemFileSystem(), path));
  EXPECT_EQ(script.log.front(), "ask File " + path + " exists, overwrite? [no]");
  EXPECT_EQ(frame->status(), "File " + path + " exists, overwrite? No.");
  script.answers = {true};
  EXPECT_TRUE(frame->AskOverwrite(platform::SystemFileSystem(), path));
  std::filesystem::remove_all(dir);
}

TEST(StatusFrame, ReportAndRestoreGoToTheChannel) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("kinet-frame-" + std::to_string(std::random_device()()));
  std::filesystem::create_directories(dir);
  setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  uint32_t number = std::random_device()() % 100000 + 1;
  std::optional<platform::ReportListener> listener = platform::ReportListener::Open(number);
  ASSERT_TRUE(listener);

  FaceScript script;
  FaceEvents restored;
  restored.restored = true;
  script.events = {restored};
  auto frame = MakeFrame(script, {number, true});
  frame->Pump();
  std::optional<platform::ReportMessage> message = listener->Receive(5000);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->id, platform::kReportRestored);

  frame->SetStatus("Kineted in 2 seconds.");
  EXPECT_EQ(frame->Finish(RunOutcome::kSucceeded), kExitSucceeded);
  message = listener->Receive(5000);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->id, platform::kReportCompletion);
  std::string expected = "Kinet - KinetPackW 3.0f\r\n  Kineted in 2 seconds.";
  expected.push_back('\0');  // the length includes the terminating NUL
  EXPECT_EQ(message->payload, expected);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kinet::toolkit
