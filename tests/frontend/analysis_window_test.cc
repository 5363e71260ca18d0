// The analysis window under the offscreen platform: knttune opens it on a file, the menu's
// keys zoom, flip the unit and copy the values, and one window serves every later knttune.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPrinter>
#include <QTest>

#include "frontend/gui/analysis_window.h"
#include "frontend/gui/main_window.h"
#include "tests/frontend/desk_setup.h"

namespace kinet::desk {
namespace {

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(char(v >> (8 * i) & 0xFF));
}

// A header (66 ms a frame) and a frame-size table of `frames` entries.
std::string TableFile(uint32_t frames) {
  std::string f = "KNT2";
  for (uint32_t v : {320u, 240u, frames, 66u}) Put32(f, v);
  f.resize(104, '\0');
  for (uint32_t i = 0; i < frames; ++i) Put32(f, 4000 + (i % 15) * 500);
  return f;
}

QAction* Action(AnalysisWindow& w, const QString& text) {
  for (QAction* a : w.menu().actions())
    if (a->text() == text) return a;
  ADD_FAILURE() << text.toStdString();
  return nullptr;
}

TEST(AnalysisWindow, KntTuneOpensOneWindowThatZoomsFlipsAndCopies) {
  testing::TempFolder dir;
  setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
  dir.Write("clip.knt", TableFile(1000));
  dir.Write("bad.knt", "KNT1");
  platform::RecordingProgramStarter starter(1);
  MainWindow main(testing::TestDeskSetup(dir, starter));
  main.show();
  main.Run("", "knttune " + (dir / "clip"));
  AnalysisWindow* w = main.analysis_window();
  ASSERT_TRUE(w);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->windowTitle(), "Kinet Analyze: clip.knt");
  ASSERT_TRUE(w->analysis());
  EXPECT_EQ(w->span().first, 1);
  Action(*w, "Zoom Default")->trigger();
  EXPECT_EQ(w->span().width, DefaultWidth(w->width()));

  const int32_t width = w->span().width;
  Action(*w, "Zoom Out")->trigger();
  EXPECT_EQ(w->span().width, ZoomedOut(width));
  Action(*w, "Zoom In")->trigger();
  Action(*w, "Zoom In")->trigger();
  EXPECT_EQ(w->span().width, ZoomedIn(ZoomedIn(ZoomedOut(width))));

  EXPECT_EQ(w->analysis()->unit, RateUnit::kBytesPerSecond);
  Action(*w, "Show as Bytes Per Frame")->trigger();
  EXPECT_EQ(w->analysis()->unit, RateUnit::kBytesPerFrame);
  ASSERT_TRUE(Action(*w, "Show as Bytes Per Second"));
  Action(*w, "Copy Values")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), ValueTable(*w->analysis()));
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Kinetor file: "));

  // A later knttune reuses the window; a file it cannot load leaves none.
  main.Run("", "knttune " + (dir / "clip.knt"));
  EXPECT_EQ(main.analysis_window(), w);
  QTimer::singleShot(50, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  main.Run("", "knttune " + (dir / "bad.knt"));
  QTest::qWait(20);
  EXPECT_EQ(main.analysis_window(), nullptr);
}

// Printing needs no printer: the chart goes to a PDF file.
TEST(AnalysisWindow, PrintsTheChartToAPdfFile) {
  testing::TempFolder dir;
  dir.Write("clip.knt", TableFile(300));
  AnalysisWindow w(nullptr);
  ASSERT_TRUE(w.Open(dir / "clip.knt"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(dir / "chart.pdf"));
  ASSERT_TRUE(w.PrintTo(printer));
  const std::string pdf = dir.Read("chart.pdf");
  EXPECT_GT(pdf.size(), 1000u);
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace kinet::desk
