// The option pages in the main window under the offscreen platform: pages by tabs and
// F-keys, a completion report re-reading the file list, the numbered-files and list-file
// questions, the compression page's values kept across a restart, and a compression run by
// the real kinetpackw whose report reaches the history while its output joins the list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>

#include "tests/frontend/desk_fixture.h"
#include "tests/frontend/series_fixture.h"

namespace kinet::desk {
namespace {

namespace fs = std::filesystem;

QStringList Listed(QListWidget* list) {
  QStringList names;
  for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
  return names;
}

void Highlight(QListWidget* list, const QStringList& names) {
  list->clearSelection();
  for (const QString& name : names)
    for (QListWidgetItem* item : list->findItems(name, Qt::MatchExactly)) item->setSelected(true);
}

class DeskPages : public testing::DeskTest {
 protected:
  DeskSetup Desk(platform::ProgramStarter& starter, const std::string& program_dir) {
    return testing::TestDeskSetup(dir_, starter, program_dir);
  }
  DeskSetup Desk() { return Setup(); }
};

using Hand = testing::ModalHand;

TEST_F(DeskPages, TabsAndFunctionKeysBringEveryPageToTheFront) {
  MainWindow window(Desk());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  auto* tabs = Find<QTabBar>(window, "maintab");
  for (int page = kPageCount - 1; page >= 0; --page) {
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
    Ticks();
    EXPECT_EQ(window.page_index(), page);
  }
  for (int page = 0; page < kPageCount; ++page) {
    QTest::keyClick(&window, static_cast<Qt::Key>(Qt::Key_F2 + page));
    Ticks();
    EXPECT_EQ(window.page_index(), page) << "F" << page + 2;
    EXPECT_EQ(tabs->currentIndex(), page);
  }
}

TEST_F(DeskPages, ACompletionReportRereadsTheFileListOfThePageInFront) {
  dir_.Write("walk.flc", "flic");
  MainWindow window(Desk());
  window.show();
  window.ShowPage(kKinetPage);
  auto* files = Find<QListWidget>(window, "kinetfile");
  EXPECT_EQ(Listed(files), QStringList{"walk.flc"});
  Highlight(files, {"walk.flc"});
  dir_.Write("walk.knt", "made by a tool");
  window.ReceiveReport("Kinet - KinetPackW compressor\r\n  Kineted in 5 milliseconds.");
  Ticks();
  EXPECT_EQ(Listed(files), (QStringList{"walk.flc", "walk.knt"}));
  EXPECT_TRUE(files->findItems("walk.flc", Qt::MatchExactly).front()->isSelected())
      << "the highlighted file stays highlighted";
}

TEST_F(DeskPages, ANumberedFileIsOfferedAsItsWholeSequence) {
  for (const char* name : {"run08.bmp", "run09.bmp", "run10.bmp", "other.bmp"}) dir_.Write(name, "BM");
  MainWindow window(Desk());
  window.show();
  window.ShowPage(kKinetPage);
  Highlight(Find<QListWidget>(window, "kinetfile"), {"run09.bmp"});
  EXPECT_EQ(Find<QLineEdit>(window, "kinetout")->text(), "run09.knt");
  auto* run = Find<QPushButton>(window, "kinetkinet");
  {
    Hand boxes({Hand::Press(QMessageBox::Cancel)});
    run->click();
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0],
              "This file appears to be part of a sequence of files (run08.bmp to run10.bmp).\r\n"
              "Do you want to treat the sequence as a single animation?");
    EXPECT_TRUE(starter_.started.empty()) << "Cancel runs nothing";
  }
  const std::string report = " /#" + std::to_string(window.report_number());
  {
    Hand boxes({Hand::Press(QMessageBox::Yes)});
    run->click();
    ASSERT_EQ(starter_.started.size(), 1u);
    EXPECT_EQ(starter_.started[0],
              "/opt/kinet/bin/kinetpackw run??.bmp*8-10 run.knt /N240000/K20/A95/L0" + report);
  }
  {
    Hand boxes({Hand::Press(QMessageBox::No)});
    run->click();
    ASSERT_EQ(starter_.started.size(), 2u);
    EXPECT_EQ(starter_.started[1], "/opt/kinet/bin/kinetpackw run09.bmp run09.knt /N240000/K20/A95/L0" + report);
  }
  EXPECT_EQ(window.runner().recent_files.entries().front(), dir_ / "run09.knt");
}

TEST_F(DeskPages, SeveralHighlightedFilesBecomeAListFile) {
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) dir_.Write(name, "BM");
  MainWindow window(Desk());
  window.show();
  window.ShowPage(kKinetPage);
  auto* files = Find<QListWidget>(window, "kinetfile");
  Highlight(files, {"a.bmp", "c.bmp"});
  {
    Hand boxes({Hand::Press(QMessageBox::No), Hand::Press(QMessageBox::Ok)});
    Find<QPushButton>(window, "kinetkinet")->click();
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(boxes.seen[1].substr(0, 40), "You must create a list file to process m");
  }
  Hand boxes({Hand::Press(QMessageBox::Yes), Hand::Press(QMessageBox::Ok)});
  Find<QPushButton>(window, "kinetkinet")->click();
  ASSERT_EQ(boxes.seen.size(), 2u);
  EXPECT_EQ(boxes.seen[0],
            "You have highlighted more than one file to process.\r\nDo you want to create a list file?");
  EXPECT_EQ(boxes.seen[1], "The list file, a.lst, has been created and is highlighted.\r\n"
                            "You may now use it to process your multiple selections.");
  EXPECT_EQ(dir_.Read("a.lst"), "a.bmp\nc.bmp\n");
  ASSERT_EQ(files->selectedItems().size(), 1);
  EXPECT_EQ(files->selectedItems().front()->text(), "a.lst");
  EXPECT_TRUE(starter_.started.empty());
}

TEST_F(DeskPages, TheCompressionPageKeepsItsValuesAcrossARestart) {
  dir_.Write("walk.flc", "flic");
  {
    MainWindow window(Desk());
    window.show();
    window.ShowPage(kKinetPage);
    Highlight(Find<QListWidget>(window, "kinetfile"), {"walk.flc"});
    Find<QComboBox>(window, "regcomptype")->setCurrentIndex(1);
    Find<QLineEdit>(window, "regeditperc")->setText("55");
    Find<QComboBox>(window, "regcomptype")->setCurrentIndex(0);  // back: its own number
    EXPECT_EQ(Find<QLineEdit>(window, "regedit")->text(), "240000");
    Find<QSlider>(window, "mixlossy")->setValue(4);
    Find<QCheckBox>(window, "kinetstart")->setChecked(true);
    Find<QLineEdit>(window, "kinetstartnum")->setText("5");
    window.close();
  }
  const std::string ini = dir_.Read("Kinetor.INI");
  for (const char* line : {"CurrentTab=1", "NormalFilePerc=55", "LossySound=4", "StartNum=5",
                           "Filename=walk.flc", "OutputName=walk.knt"})
    EXPECT_NE(ini.find(line), std::string::npos) << line << "\n" << ini;
  MainWindow again(Desk());
  again.show();
  ASSERT_EQ(again.page_index(), kKinetPage);
  EXPECT_EQ(Find<QSlider>(again, "mixlossy")->value(), 4);
  Find<QComboBox>(again, "regcomptype")->setCurrentIndex(1);
  EXPECT_EQ(Find<QLineEdit>(again, "regeditperc")->text(), "55");
  Find<QComboBox>(again, "regcomptype")->setCurrentIndex(0);
  Find<QPushButton>(again, "kinetkinet")->click();
  ASSERT_EQ(starter_.started.size(), 1u);
  EXPECT_EQ(starter_.started[0].substr(0, 67),
            "/opt/kinet/bin/kinetpackw walk.flc walk.knt /N240000/K20/A95/S5/L4 ");
}

TEST_F(DeskPages, TheKinetButtonCompressesASeriesWithTheRealCompressor) {
  WriteSeries(dir_);
  MainWindow window(Desk(platform::SystemProgramStarter(), TOOLS_DIR));
  window.show();
  window.ShowPage(kKinetPage);
  auto* files = Find<QListWidget>(window, "kinetfile");
  Highlight(files, {"walk2.bmp"});
  Find<QComboBox>(window, "regcomptype")->setCurrentIndex(4);  // losslessly
  Find<QComboBox>(window, "keycomptype")->setCurrentIndex(4);
  Find<QCheckBox>(window, "dosound")->setChecked(true);
  {
    Hand boxes({Hand::Press(QMessageBox::Yes)});
    Find<QPushButton>(window, "kinetkinet")->click();
  }
  const auto history = [&] { return window.runner().history.Text(); };
  for (int i = 0; i < 300 && history().find("Kineted") == std::string::npos; ++i) QTest::qWait(100);
  EXPECT_NE(history().find("> KinetPack walk?.bmp*1-3 walk.knt /N0/K0/A95/L-1\n"),
            std::string::npos)
      << history();
  EXPECT_NE(history().find("\n  Kinet - KinetPackW"), std::string::npos) << history();
  Ticks();
  EXPECT_TRUE(Listed(files).contains("walk.knt")) << Listed(files).join(' ').toStdString();
  EXPECT_GT(fs::file_size(dir_ / "walk.knt"), 0u);
}

}  // namespace
}  // namespace kinet::desk
