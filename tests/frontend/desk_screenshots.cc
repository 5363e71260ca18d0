// Pictures of kinetdesk for review (`make screenshots`), not a test: the main window with
// every page, the batch player and the output-file chooser, written as PNG files into the
// folder named on the command line, and the data-rate chart of the video file named second.
// Run with QT_SCALE_FACTOR=1.5 for the scaled set.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "frontend/gui/analysis_window.h"
#include "frontend/gui/batch_window.h"
#include "frontend/gui/dialogs.h"
#include "frontend/gui/main_window.h"
#include "tests/frontend/recording_host.h"

using namespace kinet::desk;

namespace {

void Save(QWidget& widget, const QString& file) {
  QApplication::processEvents();
  QTest::qWait(60);
  if (!widget.grab().save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
  std::printf("%s\n", qPrintable(file));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 1 ? argv[1] : "screenshots";
  QDir().mkpath(out);
  testing::TempFolder dir;
  setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
  dir.Write("walk.knt", std::string(123456, 'k'));
  dir.Write("walk.lst", "walk1.bmp\nwalk2.bmp\n");
  dir.Write("tune.wav", std::string(44144, 'w'));
  for (const char* frame : {"run01.bmp", "run02.bmp", "run03.bmp"}) dir.Write(frame, "BM");
  dir.Write("show.ss", "SCREENGRAPHICS 4\nTEXTOUT 10 10 \"Hello\"\n");
  dir.Write("job.sbt", "kinetpack walk.lst walk.knt /N150000\nkntinfo walk.knt\nrem done\n");
  std::filesystem::create_directory(dir / "frames");

  kinet::platform::RecordingProgramStarter starter(4321);
  DeskSetup setup;
  setup.settings.read_path = setup.settings.write_path = dir / "Kinetor.INI";
  setup.places = {"/usr/bin", dir.path(), 40, 40};
  setup.starter = &starter;
  MainWindow window(setup);
  window.show();
  window.ShowPage(kCommandPage);
  window.Run("", "dir");
  window.Run("", "kinetpack walk.lst walk.knt /N150000");
  window.ReceiveReport(
      "Kinet - KinetPackW compressor 3.0f\r\n  Kineted in 812 milliseconds.  From 2457600 To: "
      "123456 (19.9:1).");
  window.Run("", "md frames");
  static const char* kNames[kPageCount] = {"main",     "kinet",    "mixer", "player",
                                           "scriptor", "graphics", "sound", "command"};
  for (int i = 0; i < kPageCount; ++i) {
    window.ShowPage(i);
    // A file highlighted in each list, so that the output is proposed and the run button is on.
    for (QListWidget* list : window.findChildren<QListWidget*>())
      if (list->objectName().endsWith("file") && list->count() > 0) list->setCurrentRow(0);
    const QString name = QString("%1/kinetdesk-%2-%3").arg(out).arg(i).arg(kNames[i]);
    QTabWidget* tabs = window.page()->findChild<QTabWidget*>();
    if (!tabs) Save(window, name + ".png");
    for (int t = 0; tabs && t < tabs->count(); ++t) {
      tabs->setCurrentIndex(t);
      Save(window, name + "-" + tabs->tabText(t).toLower().replace(' ', '-') + ".png");
    }
  }

  // The data-rate chart of a compressed clip (the second argument), at the default zoom and
  // zoomed out over every frame with the legend, the grid and the 1x line.
  if (argc > 2) {
    window.Run("", "knttune " + QFileInfo(argv[2]).absoluteFilePath().toStdString());
    if (AnalysisWindow* chart = window.analysis_window()) {
      Save(*chart, out + "/kinetdesk-analysis-default.png");
      for (QAction* a : chart->menu().actions())
        if (a->text() == "Show Legend" || a->text() == "Show Grid" || a->text() == "Show 1x CD-ROM")
          a->trigger();
      for (QAction* a : chart->menu().actions())
        if (a->text() == "Zoom Out")
          for (int i = 0; i < 6; ++i) a->trigger();
      Save(*chart, out + "/kinetdesk-analysis-all.png");
      chart->close();
    }
  }

  // The output-file chooser, as Save As on the command page opens it.
  QTimer::singleShot(100, [&] {
    if (QWidget* chooser = QApplication::activeModalWidget()) {
      Save(*chooser, out + "/kinetdesk-output-chooser.png");
      chooser->close();
    }
  });
  OutputRequest request{"Save Command History:", "&Save", QString::fromStdString(dir.path()),
                        "untitled.txt", "Text files (*.Txt)|*.TXT|All files (*.*)|*.*"};
  ChooseOutputFile(&window, request);

  // The batch player waiting for the compressor's report.
  window.Run("", "job");
  QTest::qWait(300);
  if (window.batch_window()) Save(*window.batch_window(), out + "/kinetdesk-batch-player.png");
  return 0;
}
