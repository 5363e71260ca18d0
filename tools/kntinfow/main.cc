// kntinfow: prints what a video file holds, and can write every frame as a picture.
//
//   kntinfow file.knt [-F] [-D<folder>] [-W<output> [-O]]
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "kinet/kinet.h"
#include "lib/core/format.h"
#include "lib/core/frame_tables.h"
#include "lib/playback/open_input.h"
#include "platform/files/file_system.h"
#include "platform/files/input_file.h"
#include "platform/images/image.h"
#include "platform/program_info/program_info.h"
#include "platform/report/report_channel.h"
#include "toolkit/graphics/graphics_writer.h"
#include "toolkit/knt_report.h"
#include "toolkit/output_check.h"
#include "toolkit/run_inputs.h"
#include "toolkit/status_frame.h"
#include "toolkit/switches.h"

namespace {

using namespace kinet;

constexpr char kUsage[] =
    "Usage: kntinfow file.knt [-F] [-D<folder>] [-W<output> [-O]]\n"
    "  /F          list every frame record: number, bytes, bytes before the video, parts\n"
    "  -D<folder>  write every frame as a picture, frame0001.png and on, into the folder\n"
    "  -W<output>  write every frame to a flic (.flc) or to numbered pictures (.bmp, .gif,\n"
    "              .jpg, .pcx, .png, .tga, .tif: out.bmp gives out01.bmp, out02.bmp, ...)\n"
    "  /O          replace existing outputs of -W\n";

constexpr toolkit::KnownSwitch kSwitches[] = {{'F', toolkit::SwitchKind::kFlag},
                                              {'D', toolkit::SwitchKind::kText},
                                              {'W', toolkit::SwitchKind::kText},
                                              {'O', toolkit::SwitchKind::kFlag}};

// The graphics writer for -W: errors on stderr, existing outputs kept unless -O.
std::unique_ptr<toolkit::GraphicsWriter> OpenWriter(platform::FileSystem& files,
                                                    toolkit::RunInputs& inputs,
                                                    const KinetHandle& h, const std::string& name,
                                                    bool overwrite) {
  toolkit::WriterOptions o;
  o.flags = overwrite ? toolkit::kWriterOverwrite : 0;
  o.callbacks.report = [](toolkit::ProgressCode code, std::string_view text) {
    if (code == toolkit::ProgressCode::kError) {
      std::fprintf(stderr, "Error: %.*s\n", static_cast<int>(text.size()), text.data());
    } else if (code == toolkit::ProgressCode::kDeclined) {
      std::fputs("Error: the output exists (-O replaces it)\n", stderr);
    }
    return false;
  };
  o.frame_rate = h.FrameRate;
  o.width = o.pitch = h.Width;
  o.height = h.Height;
  o.frame_count = h.Frames;
  o.name = name;
  o.inputs = &inputs;
  return toolkit::CreateGraphicsWriter(files, o);
}

// The type byte of every frame record, read from the file's own table.
std::vector<uint8_t> ReadTypes(platform::FileSystem& files, const std::string& path) {
  platform::InputFile file;
  uint8_t head[KINET_HEADER_SIZE];
  if (!file.Open(files, path) || file.Read(head, sizeof head) != sizeof head) return {};
  const uint64_t records = FrameRecordCount(ParseHeader(head));
  std::vector<uint8_t> tables(5 * records);
  if (file.Read(tables.data(), tables.size()) != tables.size()) return {};
  return ParseFrameTables(tables.data(), static_cast<uint32_t>(records)).types;
}

// The decoded frame as an 8-bit picture with the frame's palette.
bool WritePicture(platform::FileSystem& files, const std::string& path,
                  const std::vector<uint8_t>& picture, const KinetHandle& h) {
  platform::Image image;
  image.width = h.Width;
  image.height = h.Height;
  image.bits = 8;
  image.pixels = picture;
  std::copy(h.Palette, h.Palette + 768, image.palette.begin());
  return platform::WriteImageFile(files, platform::ImageFormat::kPng, path, image);
}

// Steps through every frame record once, listing and writing as asked.
bool WalkFrames(platform::FileSystem& files, toolkit::RunInputs& inputs, KinetHandle* h,
                const std::string& path, bool list, const std::string& folder,
                toolkit::GraphicsWriter* writer) {
  const uint32_t records = h->Frames + ((h->Flags & KINET_FLAG_RING_FRAME) ? 1 : 0);
  const std::vector<uint8_t> types = list ? ReadTypes(files, path) : std::vector<uint8_t>();
  std::vector<uint8_t> picture(size_t{h->Width} * h->Height);
  if (!folder.empty() && !platform::MakeDirectories(files, folder)) {
    std::fprintf(stderr, "Error: cannot create the folder %s\n", folder.c_str());
    return false;
  }
  if (!folder.empty() || writer)
    KinetToBuffer(h, 0, 0, static_cast<int32_t>(h->Width), static_cast<int32_t>(h->Height),
                  picture.data(), 0);
  if (list) std::printf(" frame    bytes before parts\n");
  for (uint32_t i = 0; i < records && !h->ReadError; ++i) {
    if (list) info::PrintFrameLine(stdout, *h, i < types.size() ? types[i] : 0);
    if (!folder.empty() || writer) KinetDoFrame(h);
    // The ring frame only leads back to the first: it is no frame of the animation.
    if (writer && i < h->Frames && !writer->WriteFrame(h->Palette, picture.data())) return false;
    if (!folder.empty()) {
      char name[32];
      std::snprintf(name, sizeof name, "/frame%04u.png", i + 1);
      if (inputs.Holds(folder + name)) {
        std::fprintf(stderr, "Error: %s\n", toolkit::kOutputIsInput.data());
        return false;
      }
      if (!WritePicture(files, folder + name, picture, *h)) {
        std::fprintf(stderr, "Error: cannot write %s%s\n", folder.c_str(), name);
        return false;
      }
    }
    KinetNextFrame(h);
  }
  if (h->ReadError) std::fprintf(stderr, "Error: the file ends before its last frame\n");
  return !h->ReadError && (!writer || writer->Close());
}

// Started with "/#<channel>" (by the front-end), the outcome goes back as a completion report.
int Finish(const toolkit::ReportSwitches& report, int status, const std::string& text) {
  if (report.channel) {
    std::string message = "KntInfo - KntInfoW video file information\r\n  " + text;
    message.push_back('\0');
    (void)platform::SendReport(*report.channel, platform::kReportCompletion, message);
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view usage[] = {kUsage};
  if (const auto status = platform::AnswerInfoRequest(argc, argv, {"kntinfow", usage}))
    return *status;
  std::vector<std::string> words(argv + 1, argv + argc);
  toolkit::SwitchLine line(words, kSwitches);
  const toolkit::ReportSwitches report = toolkit::TakeReportSwitches(line);
  const bool list = line.TakeFlag('F');
  const std::string folder = line.TakeText('D');
  const std::string output = line.TakeText('W');
  const bool overwrite = line.TakeFlag('O');
  if (line.HasLeftover() || line.names().size() != 1) {
    if (const std::string word = line.NotUnderstood(1); !word.empty())
      std::fprintf(stderr, "Not understood: %s\n", word.c_str());
    std::fputs(kUsage, stderr);
    return Finish(report, toolkit::kExitUsage, "Usage: kntinfow file.knt [-F] [-D<folder>]");
  }
  const std::string& path = line.names()[0];
  platform::FileSystem& files = platform::SystemFileSystem();
  toolkit::RunInputs inputs(files);
  platform::InputFile file;
  // Every frame decoded however long writing takes: a dump must hold every picture.
  KinetHandle* h =
      file.Open(inputs, path) ? OpenInputFile(std::move(file), KINET_OPEN_NO_SKIP, -1) : nullptr;
  if (!h) {
    std::fprintf(stderr, "Error: %s cannot be opened as a video file\n", path.c_str());
    return Finish(report, toolkit::kExitFailed,
                  "Error: " + path + " cannot be opened as a video file");
  }
  info::PrintHeader(stdout, *h);
  std::unique_ptr<toolkit::GraphicsWriter> writer;
  if (!output.empty()) writer = OpenWriter(files, inputs, *h, output, overwrite);
  const bool walk = list || !folder.empty() || writer;
  const bool ok = (output.empty() || writer) &&
                  (!walk || WalkFrames(files, inputs, h, path, list, folder, writer.get()));
  KinetSummaryRecord summary;
  KinetSummary(h, &summary);
  info::PrintSummary(stdout, summary);
  const std::string done = std::to_string(h->Width) + " x " + std::to_string(h->Height) + ", " +
                           std::to_string(h->Frames) + " frames in " + path;
  KinetClose(h);
  return ok ? Finish(report, toolkit::kExitSucceeded, done)
            : Finish(report, toolkit::kExitFailed, "Error reading " + path);
}
