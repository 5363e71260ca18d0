// kinetdesk: the desktop of the Kinetor tools.
//
//   kinetdesk [batch.sbt ...] [settings[.INI]]
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <cstdio>

#include "frontend/core/settings_location.h"
#include "frontend/gui/main_window.h"
#include "platform/program_info/program_info.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: kinetdesk [batch.sbt ...] [settings[.INI]]\n"
    "  batch.sbt     a batch file to run once the window is shown (several may follow)\n"
    "  settings.INI  the settings file to read and to write back at close\n";

}  // namespace

int main(int argc, char** argv) {
  if (const auto status = kinet::platform::AnswerInfoRequest(argc, argv, {"kinetdesk", {&kUsage, 1}}))
    return *status;
  using namespace kinet::desk;
  QApplication app(argc, argv);
  QApplication::setApplicationName("kinetdesk");
  std::vector<std::string> arguments;
  for (const QString& a : QApplication::arguments().mid(1)) arguments.push_back(a.toStdString());

  DeskSetup setup;
  setup.settings = LocateSettings(
      arguments, ConfigDirectory(qEnvironmentVariable("XDG_CONFIG_HOME").toStdString(),
                                 QDir::homePath().toStdString()));
  if (!setup.settings.left_alone.empty())
    std::fprintf(stderr, "kinetdesk: %s is not a settings file; it is left alone and %s is used\n",
                 setup.settings.left_alone.c_str(), setup.settings.write_path.c_str());
  setup.places.program_dir = QApplication::applicationDirPath().toStdString();
  setup.places.start_dir = QDir::currentPath().toStdString();
  const QRect screen = QApplication::primaryScreen()->availableGeometry();
  setup.places.x = screen.x() + (screen.width() - MainWindow::kWidth) / 2;
  setup.places.y = screen.y() + (screen.height() - MainWindow::kHeight) / 2;
  setup.starter = &kinet::platform::SystemProgramStarter();

  MainWindow window(setup);
  window.show();
  return QApplication::exec();
}
