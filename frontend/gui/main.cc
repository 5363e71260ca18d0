// kinetdesk: the desktop of the Kinetor tools.
//
//   kinetdesk [batch.sbt ...] [settings[.INI]]
#include <QApplication>
#include <QDir>
#include <QScreen>

#include "frontend/core/settings_location.h"
#include "frontend/gui/main_window.h"

int main(int argc, char** argv) {
  using namespace kinet::desk;
  QApplication app(argc, argv);
  QApplication::setApplicationName("kinetdesk");
  std::vector<std::string> arguments;
  for (const QString& a : QApplication::arguments().mid(1)) arguments.push_back(a.toStdString());

  DeskSetup setup;
  setup.settings = LocateSettings(
      arguments, ConfigDirectory(qEnvironmentVariable("XDG_CONFIG_HOME").toStdString(),
                                 QDir::homePath().toStdString()));
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
