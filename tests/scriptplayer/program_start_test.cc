// The program start: command line, autoexec.ss, the usage and error boxes, the owner query and
// the completion report; and the real program run as a process.
#include "scriptplayer/program_start.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/report/report_channel.h"
#include "tests/scriptplayer/script_runner.h"

namespace kinet::script {
namespace {

class FakeStartHost : public StartHost {
 public:
  void ShowBox(Box kind, std::string_view caption, std::string_view text) override {
    boxes.push_back(std::string(kind == Box::kUsage   ? "usage|"
                                : kind == Box::kError ? "error|"
                                                      : "info|") +
                    std::string(caption) + "|" + std::string(text));
  }
  std::optional<uint32_t> QueryOwner(uint32_t channel) override {
    queried.push_back(channel);
    return owner_answer;
  }
  bool ChannelExists(uint32_t) override { return true; }
  void SendCompletion(uint32_t channel, std::string_view text) override {
    reports.push_back(std::to_string(channel) + "|" + std::string(text));
  }

  std::optional<uint32_t> owner_answer;
  std::vector<std::string> boxes, reports;
  std::vector<uint32_t> queried;
};

struct Start {
  testing::ScriptRunner runner;
  FakeStartHost host;
  int Run(const std::vector<std::string>& args) { return RunPlayer(args, runner.services(), host); }
};

TEST(ProgramStartTest, CommandLineSplitsScriptArgumentsAndReportSwitches) {
  StartLine line = ParseStartLine({"/#1234", "demo", "two words", "x", "/#"});
  EXPECT_EQ(line.report_channel, 1234u);
  EXPECT_FALSE(line.usage);
  EXPECT_EQ(line.script, "demo");
  EXPECT_EQ(line.script_args, "\"two words\" x");
  EXPECT_TRUE(ParseStartLine({"/x", "demo"}).usage);
  EXPECT_TRUE(ParseStartLine({"-v", "demo"}).usage);
  EXPECT_EQ(ParseStartLine({"/home/me/demo.ss"}).script, "/home/me/demo.ss");
}

TEST(ProgramStartTest, RunsTheNamedScriptWithItsArguments) {
  Start s;
  s.runner.files.AddFile("demo.ss",
                         "SYSTEMCOMMANDLINE C\nFILECREATE F \"out.txt\"\nFILEWRITE F C\n");
  EXPECT_EQ(s.Run({"demo", "a", "b c"}), kExitRan);
  EXPECT_EQ(s.runner.File("out.txt"), "a \"b c\"\r\n");
  ASSERT_EQ(s.host.boxes.size(), 1u);  // the closing information only
  EXPECT_EQ(s.host.boxes[0].rfind("info|KinetScript - V3.0f|", 0), 0u);
}

TEST(ProgramStartTest, AutoexecOrTheUsage) {
  Start s;
  EXPECT_EQ(s.Run({}), kExitUsage);
  EXPECT_EQ(s.host.boxes[0], "usage|" + std::string(kPlayerBanner) + "|" + std::string(kUsageText));
  s.runner.files.AddFile("autoexec.ss", "FILECREATE F \"ran.txt\"\n");
  s.host.boxes.clear();
  EXPECT_EQ(s.Run({}), kExitRan);
  EXPECT_NE(s.runner.File("ran.txt"), "<missing>");
  s.runner.files.Remove("ran.txt");
  EXPECT_EQ(s.Run({"/x", "autoexec"}), kExitUsage);
  EXPECT_EQ(s.runner.File("ran.txt"), "<missing>");
}

TEST(ProgramStartTest, ErrorsEndTheRunWithTheErrorBox) {
  Start s;
  EXPECT_EQ(s.Run({"missing"}), kExitError);
  EXPECT_EQ(s.host.boxes[0], "error|Error| Error opening:\r\n    missing\r\n");
  s.host.boxes.clear();
  s.runner.files.AddFile("bad.ss", "VARSET A 1\nVARSET B 2 3\n");
  EXPECT_EQ(s.Run({"bad.ss"}), kExitError);
  EXPECT_EQ(s.host.boxes[0],
            "error|Error| Bad script command:\r\n    VARSET B 2 3\r\n"
            "  In script file: bad.ss  At line number: 2.\r\n");
}

TEST(ProgramStartTest, ReportChannelGetsTheCompletionUnlessRefused) {
  Start s;
  s.runner.files.AddFile("demo.ss", "END\n");
  EXPECT_EQ(s.Run({"/#77", "demo"}), kExitRan);
  EXPECT_EQ(s.host.queried, std::vector<uint32_t>{77});
  ASSERT_EQ(s.host.reports.size(), 1u);
  EXPECT_EQ(s.host.reports[0], "77|KinetScript - V3.0f  Kinetor script player");
  EXPECT_TRUE(s.host.boxes.empty());  // no closing information when started by a program
  s.host.owner_answer = kOwnerRefused;
  s.host.reports.clear();
  EXPECT_EQ(s.Run({"/#77", "demo"}), kExitRan);
  EXPECT_TRUE(s.host.reports.empty());
}

// The built program, run as a process: exit status, the error text on stderr, and the report
// over a real channel with the owner query answered.
TEST(ProgramStartTest, TheProgramReportsOverTheChannel) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("kinet-start-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "bad.ss") << "VARSET A 1\nGOTO \"missing\"\n";
  uint32_t channel = 4000000 + static_cast<uint32_t>(::getpid() % 100000);
  auto listener = platform::ReportListener::Open(channel);
  ASSERT_TRUE(listener.has_value());

  int status = -1;
  std::string command = std::string(KINETSCRIPTW_PATH) + " /#" + std::to_string(channel) + " " +
                        (dir / "bad").string() + " 2>" + (dir / "err.txt").string() + " </dev/null";
  std::thread child([&] { status = std::system(command.c_str()); });
  std::vector<platform::ReportMessage> got;
  for (int i = 0; i < 2; ++i) {
    auto message = listener->Receive(20000, [](const platform::ReportMessage&) { return 0u; });
    if (!message) break;
    got.push_back(*message);
  }
  child.join();
  EXPECT_EQ(WEXITSTATUS(status), kExitError);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].id, platform::kReportOwnerQuery);
  EXPECT_EQ(got[1].id, platform::kReportCompletion);
  EXPECT_EQ(got[1].payload, std::string("KinetScript - V3.0f  Kinetor script player") + '\0');
  std::ifstream err(dir / "err.txt");
  std::string text((std::istreambuf_iterator<char>(err)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, " Label not found:\n    missing\n  In script file: " + (dir / "bad.ss").string() +
                      "  At line number: 2.\n");
  fs::remove_all(dir);
}

// Runs `body` as a script that first makes a file saying it is running (so that the player
// catches the signals by then), sends it `signal` and returns its exit status: -1 when it had
// to be killed (a give-up bound only as a net), -2 when it had ended before the signal or
// reported an error.
int InterruptedScript(const std::filesystem::path& dir, const std::string& body, int signal) {
  const std::filesystem::path ready = dir / "ready.txt";
  std::filesystem::remove(ready);
  {
    std::ofstream script(dir / "run.ss");
    script << "FILECREATE F \"" << ready.string() << "\"\nFILECLOSE F\n" << body;
  }
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_RDWR);
    const int errors = open((dir / "errors.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(null, 0), dup2(null, 1), dup2(errors, 2);
    const std::string path = (dir / "run.ss").string();
    execl(KINETSCRIPTW_PATH, KINETSCRIPTW_PATH, path.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0, waited = 0;
  while (!std::filesystem::exists(ready) && waited++ < 30000 &&
         waitpid(child, &status, WNOHANG) == 0)
    usleep(1000);
  usleep(20000);  // a moment to reach the wait; ending early is found either way
  const bool ended_before = waitpid(child, &status, WNOHANG) != 0;
  kill(child, signal);
  for (waited = 0; waitpid(child, &status, WNOHANG) == 0 && waited < 30000; ++waited) usleep(1000);
  if (waited == 30000) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return -1;
  }
  if (ended_before || std::filesystem::file_size(dir / "errors.txt") > 0) return -2;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::filesystem::path InterruptFolder() {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("kinet-interrupt-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}

// Ctrl-C and a termination request end a script that would loop for ever: exit 1, no boxes.
TEST(ProgramStartTest, InterruptsEndAnEndlessScript) {
  const std::filesystem::path dir = InterruptFolder();
  for (int signal : {SIGINT, SIGTERM})
    EXPECT_EQ(InterruptedScript(dir, ":a\nGOTO \"a\"\n", signal), kExitError) << signal;
  std::filesystem::remove_all(dir);
}

// Scripts that wait on a FIFO nobody writes, or run a file without end, end the same way.
TEST(ProgramStartTest, InterruptsEndScriptsWaitingOnAFifoOrReadingWithoutEnd) {
  const std::filesystem::path dir = InterruptFolder();
  const std::string fifo = (dir / "fifo.ss").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir / "zero.ss");
  const std::string zero = (dir / "zero.ss").string();
  for (const std::string& body : std::vector<std::string>{
           "FILEOPEN H \"" + fifo + "\"\nFILEREAD L H\n", "CALL \"" + fifo + "\"\n",
           "CALL \"" + zero + "\"\n", "VARSET C \"INTERPRET C\"\nINTERPRET C\n"}) {
    for (int signal : {SIGINT, SIGTERM})
      EXPECT_EQ(InterruptedScript(dir, body, signal), kExitError) << body << signal;
  }
  // A FIFO that is written is read as any file.
  const pid_t writer = fork();
  if (writer == 0) {
    std::ofstream(fifo) << "VARSET A 1\nEND\n";
    _exit(0);
  }
  {
    std::ofstream script(dir / "call.ss");
    script << "CALL \"" << fifo << "\"\n";
  }
  const std::string command = std::string(KINETSCRIPTW_PATH) + " " + (dir / "call.ss").string() +
                              " </dev/null >/dev/null 2>&1";
  EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 0);
  waitpid(writer, nullptr, 0);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kinet::script
