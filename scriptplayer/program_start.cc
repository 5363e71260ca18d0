#include "scriptplayer/program_start.h"

#include <array>

#include "scriptplayer/engine/messages.h"
#include "toolkit/switches.h"

namespace kinet::script {
namespace {

constexpr std::array<toolkit::KnownSwitch, 2> kSwitches = {{
    {'#', toolkit::SwitchKind::kNumber},
    {'#', toolkit::SwitchKind::kFlag},
}};

constexpr std::string_view kAutoexec = "autoexec.ss";
constexpr std::string_view kClosingText =
    "Kinetor script player: plays Kinetor video files and runs KinetScript presentations.";

std::string QuoteIfBlank(const std::string& word) {
  for (char c : word) {
    if (static_cast<unsigned char>(c) <= ' ') return "\"" + word + "\"";
  }
  return word;
}

}  // namespace

StartLine ParseStartLine(const std::vector<std::string>& args) {
  toolkit::SwitchLine line(args, kSwitches);
  StartLine start;
  start.report_channel = toolkit::TakeReportSwitches(line).channel;
  start.usage = line.HasLeftover();
  const std::vector<std::string>& names = line.names();
  if (!names.empty()) start.script = names[0];
  for (size_t i = 1; i < names.size(); ++i) {
    if (i > 1) start.script_args += ' ';
    start.script_args += QuoteIfBlank(names[i]);
  }
  return start;
}

int RunPlayer(const std::vector<std::string>& args, Services services, StartHost& host) {
  StartLine start = ParseStartLine(args);
  bool report = start.report_channel.has_value();
  uint32_t channel = start.report_channel.value_or(0);
  // A front-end that answers the owner query with the refusal does not want the report.
  if (report && host.QueryOwner(channel) == kOwnerRefused) report = false;
  bool closing_information = !start.report_channel;

  int status = kExitRan;
  if (start.usage) {
    host.ShowBox(StartHost::Box::kUsage, kPlayerBanner, kUsageText);
    status = kExitUsage;
  } else {
    services.command_line = start.script_args;
    Interpreter interpreter(std::move(services));
    std::string name = start.script.empty() ? std::string(kAutoexec) : start.script;
    RunOutcome outcome = interpreter.Run(name);
    if (outcome.kind == RunOutcome::kNotOpened && start.script.empty()) {
      host.ShowBox(StartHost::Box::kUsage, kPlayerBanner, kUsageText);
      status = kExitUsage;
    } else if (outcome.kind == RunOutcome::kNotOpened) {
      std::string text = std::string(msg::kErrorOpening.substr(1)) + name + "\r\n";
      host.ShowBox(StartHost::Box::kError, "Error", text);
      status = kExitError;
    } else if (outcome.kind == RunOutcome::kError) {
      host.ShowBox(StartHost::Box::kError, "Error", outcome.error_text);
      status = kExitError;
    } else if (outcome.kind == RunOutcome::kInterrupted) {
      status = kExitError;
      closing_information = false;  // nobody waits to be told, the run was stopped
    }
  }
  if (closing_information) host.ShowBox(StartHost::Box::kInformation, kPlayerTitle, kClosingText);
  if (report && host.ChannelExists(channel)) {
    host.SendCompletion(channel, std::string(kPlayerTitle) + "  " + std::string(kPlayerNotice));
  }
  return status;
}

}  // namespace kinet::script
