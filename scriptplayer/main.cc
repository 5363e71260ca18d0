// kinetscriptw: runs a KinetScript file. Its message boxes are desktop message boxes when a
// program started it ("/#") on a display, else texts on the terminal; the completion report
// goes over the report channel named by "/#".
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/clock/clock.h"
#include "platform/environment/environment.h"
#include "platform/files/file_system.h"
#include "platform/process/program_starter.h"
#include "platform/program_info/program_info.h"
#include "platform/report/report_channel.h"
#include "platform/status_window/status_face.h"
#include "platform/system_info/system_info.h"
#include "platform/terminal/console.h"
#include "scriptplayer/program_start.h"
#include "scriptplayer/window/window_host.h"

namespace {

constexpr int kOwnerQueryTimeoutMs = 2000;

class DesktopStartHost : public kinet::script::StartHost {
 public:
  explicit DesktopStartHost(bool started_by_program)
      : console_(kinet::platform::OpenSystemConsole()),
        face_(kinet::platform::OpenStatusFace(
            {"KinetScript", std::string(kinet::script::kPlayerBanner), started_by_program},
            *console_)) {}

  void ShowBox(Box kind, std::string_view caption, std::string_view text) override {
    using kinet::platform::MessageIcon;
    MessageIcon icon = kind == Box::kError         ? MessageIcon::kError
                       : kind == Box::kInformation ? MessageIcon::kInformation
                                                   : MessageIcon::kNone;
    face_->ShowMessage(icon, caption, text);
  }
  kinet::platform::Console& console() { return *console_; }

  std::optional<uint32_t> QueryOwner(uint32_t channel) override {
    return kinet::platform::QueryReport(channel, kinet::platform::kReportOwnerQuery, "",
                                        kOwnerQueryTimeoutMs);
  }
  bool ChannelExists(uint32_t channel) override {
    return kinet::platform::ReportChannelExists(channel);
  }
  void SendCompletion(uint32_t channel, std::string_view text) override {
    std::string payload(text);
    payload += '\0';
    (void)kinet::platform::SendReport(channel, kinet::platform::kReportCompletion, payload);
  }

 private:
  std::unique_ptr<kinet::platform::Console> console_;
  std::unique_ptr<kinet::platform::StatusFace> face_;
};

}  // namespace

int main(int argc, char** argv) {
  // Only the first word can ask: the words after the script name are the script's own.
  if (const auto status = kinet::platform::AnswerInfoRequest(
          std::min(argc, 2), argv, {"kinetscriptw", {&kinet::script::kUsageText, 1}}))
    return *status;
  std::vector<std::string> args(argv + 1, argv + argc);
  kinet::script::PlatformServices platform;
  platform.files = &kinet::platform::SystemFileSystem();
  platform.clock = &kinet::platform::SystemClock();
  platform.environment = &kinet::platform::ProcessEnvironment();
  platform.programs = &kinet::platform::SystemProgramStarter();
  platform.system = kinet::platform::QuerySystemInfo();
  DesktopStartHost host(kinet::script::ParseStartLine(args).report_channel.has_value());
  std::unique_ptr<kinet::platform::MessageBoxes> boxes =
      kinet::platform::OpenMessageBoxes(host.console());
  platform.boxes = boxes.get();
  std::unique_ptr<kinet::platform::SoundClips> sounds = kinet::platform::OpenSdlSoundClips();
  platform.sounds = sounds.get();
  kinet::script::WindowHost player(std::move(platform));
  kinet::script::Services services;
  services.host = &player;
  services.interrupted = [&host] { return host.console().TakeInterrupts() > 0; };
  return kinet::script::RunPlayer(args, std::move(services), host);
}
