// Pictures of kinetdesk for review (`make screenshots`), not a test: the main window with
// every page, the file lists' menus, the batch player, the output-file chooser, the list and
// text editors and the viewer, written as PNG files into the folder named on the command line
// (each name printed with the window's caption), and the data-rate chart of the video file
// named second. Run with QT_SCALE_FACTOR=1.5 for the scaled set.
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
#include "frontend/gui/list_editor.h"
#include "frontend/gui/main_window.h"
#include "frontend/gui/text_editor.h"
#include "frontend/gui/viewer_window.h"
#include "platform/images/image.h"
#include "tests/frontend/recording_host.h"

using namespace kinet::desk;

namespace {

void Save(QWidget& widget, const QString& file) {
  QApplication::processEvents();
  QTest::qWait(60);
  if (!widget.grab().save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
  std::printf("%s  [%s]\n", qPrintable(file), qPrintable(widget.windowTitle()));
}

// A 160 x 120 picture: 8-bit bands through a palette of 256 colours, or 24-bit colour that
// changes smoothly across and down.
kinet::platform::Image Picture(uint32_t bits, uint32_t width = 160, uint32_t height = 120) {
  kinet::platform::Image p;
  p.width = width;
  p.height = height;
  p.bits = bits;
  if (!p.Allocate()) return p;
  for (int i = 0; i < 256; ++i) {
    p.palette[3 * i] = uint8_t(i);
    p.palette[3 * i + 1] = uint8_t(255 - i);
    p.palette[3 * i + 2] = uint8_t((i * 4) & 255);
  }
  for (uint32_t y = 0; y < p.height; ++y)
    for (uint32_t x = 0; x < p.width; ++x) {
      uint8_t* px = &p.pixels[(size_t{y} * p.width + x) * (bits / 8)];
      if (bits == 8) {
        px[0] = uint8_t((x * 16 / width) * 16 + (y * 4 / height) * 4);
      } else {
        px[0] = uint8_t(x * 255 / (width - 1));
        px[1] = uint8_t(y * 255 / (height - 1));
        px[2] = uint8_t(255 - (x + y) * 255 / (width + height - 2));
      }
    }
  return p;
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
  window.Run("", "md clips");
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

  // The right-button menus of the compression page's file and directory lists.
  window.ShowPage(kKinetPage);
  for (const char* list : {"kinetfile", "kinetdir"}) {
    auto* widget = window.findChild<QListWidget*>(list);
    if (!widget) continue;
    QTimer::singleShot(100, [&] {
      if (QWidget* menu = QApplication::activePopupWidget()) {
        Save(*menu, QString("%1/kinetdesk-menu-%2.png").arg(out, list));
        menu->close();
      }
    });
    emit widget->customContextMenuRequested(QPoint(20, 20));
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

  // The list editor with the second line selected, the text editor on a batch file, and the
  // viewer with an 8-bit and a 24-bit picture (and the 24-bit one on a 256-colour display), and
  // one larger than the screen.
  dir.Write("range.lst", "walk.flc /s10 /e20\nrun???.bmp*1-3 /e2\nlast.bmp\n");
  {
    ListDocument list;
    list.Load(kinet::platform::SystemFileSystem(), dir / "range.lst");
    ListEditor editor(&window, std::move(list));
    editor.show();
    if (auto* lines = editor.findChild<QListWidget*>("listlines")) lines->setCurrentRow(1);
    Save(editor, out + "/kinetdesk-list-editor.png");
  }
  if (TextEditor* editor = ShowTextEditor(&window, dir / "job.sbt", nullptr)) {
    Save(*editor, out + "/kinetdesk-text-editor.png");
    editor->close();
  }
  if (!kinet::platform::WriteImageFile(kinet::platform::SystemFileSystem(),
                                       kinet::platform::ImageFormat::kBmp, dir / "bands.bmp",
                                       Picture(8)) ||
      !kinet::platform::WriteImageFile(kinet::platform::SystemFileSystem(),
                                       kinet::platform::ImageFormat::kTga, dir / "colours.tga",
                                       Picture(24)) ||
      !kinet::platform::WriteImageFile(kinet::platform::SystemFileSystem(),
                                       kinet::platform::ImageFormat::kBmp, dir / "large.bmp",
                                       Picture(8, 2400, 1600)))
    std::fprintf(stderr, "cannot write the viewer's pictures\n");
  const struct {
    const char* file;
    int display_bits;
    const char* shot;
  } kViews[] = {{"bands.bmp", 24, "viewer-8bit"},
                {"colours.tga", 24, "viewer-24bit"},
                {"colours.tga", 8, "viewer-24bit-on-256-colours"},
                {"large.bmp", 24, "viewer-larger-than-the-screen"}};
  for (const auto& view : kViews) {
    if (ViewerWindow* viewer = OpenViewer(&window, dir / view.file, view.display_bits)) {
      Save(*viewer, out + "/kinetdesk-" + view.shot + ".png");
      viewer->close();
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
