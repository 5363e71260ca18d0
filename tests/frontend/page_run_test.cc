// The run buttons of the mix, play, script, graphics and sound pages driven through their
// widgets: the form filled in, the button pressed, the command line the (recording) starter
// got; with the mix page's questions and the frame-rate buttons.
#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <QTabWidget>

#include "tests/frontend/desk_fixture.h"

namespace kinet::desk {
namespace {

using Hand = testing::ModalHand;

class PageRun : public testing::DeskTest {
 protected:
  void SetUp() override {
    DeskTest::SetUp();
    for (const char* name : {"walk.knt", "tune.wav", "pic.bmp", "show.ss"}) dir_.Write(name, "x");
  }
  // Shows `page` and highlights `name` in the list `list`.
  void Open(MainWindow& window, int page, const char* list, const char* name) {
    window.show();
    window.ShowPage(page);
    auto* files = Find<QListWidget>(window, list);
    files->clearSelection();
    for (QListWidgetItem* item : files->findItems(name, Qt::MatchExactly)) item->setSelected(true);
  }
  std::string Started() {
    EXPECT_EQ(starter_.started.size(), 1u);
    return starter_.started.empty() ? "" : starter_.started.back();
  }
};

TEST_F(PageRun, TheMixerMixesTheSoundIntoTheChosenTrack) {
  MainWindow window(Setup());
  Open(window, kMixerPage, "mixkinetfile", "walk.knt");
  Open(window, kMixerPage, "mixwavefile", "tune.wav");
  EXPECT_EQ(Find<QLineEdit>(window, "mixout")->text(), "New_walk.knt");
  Find<QComboBox>(window, "mixtrack")->setCurrentIndex(2);
  Find<QSlider>(window, "mixlossy")->setValue(4);
  Find<QCheckBox>(window, "mixloop")->setChecked(true);
  Find<QPushButton>(window, "mixmix")->click();
  EXPECT_EQ(Started(), "/opt/kinet/bin/kinetmixw walk.knt tune.wav New_walk.knt /L4/M3/P" + Report(window));
  EXPECT_EQ(window.runner().recent_files.entries().front(), dir_ / "New_walk.knt");
}

TEST_F(PageRun, OnlyTheMixersSoundMayBeANumberedSeriesOrSeveralFiles) {
  for (const char* name : {"clip1.knt", "clip2.knt", "say1.wav", "say2.wav", "say3.wav"}) dir_.Write(name, "x");
  MainWindow window(Setup());
  Open(window, kMixerPage, "mixwavefile", "say2.wav");
  Open(window, kMixerPage, "mixkinetfile", "clip1.knt");
  auto* videos = Find<QListWidget>(window, "mixkinetfile");
  EXPECT_EQ(videos->selectionMode(), QAbstractItemView::SingleSelection);
  {
    Hand hand({Hand::Press(QMessageBox::Yes)});
    Find<QPushButton>(window, "mixmix")->click();
    EXPECT_EQ(hand.seen, std::vector<std::string>{
                             "This file appears to be part of a sequence of files (say1.wav to "
                             "say3.wav).\r\nDo you want to treat the sequence as a single animation?"});
  }
  EXPECT_EQ(Started(), "/opt/kinet/bin/kinetmixw clip1.knt say?.wav*1-3 New_clip1.knt" + Report(window));
}

TEST_F(PageRun, ThePlayerPlaysWithItsSwitches) {
  MainWindow window(Setup());
  Open(window, kPlayerPage, "playfile", "walk.knt");
  Find<QCheckBox>(window, "playloop")->setChecked(true);  // no count: forever
  Find<QCheckBox>(window, "playpreload")->setChecked(true);
  Find<QCheckBox>(window, "playtrack2")->setChecked(false);
  Find<QComboBox>(window, "playstyle")->setCurrentIndex(4);
  Find<QCheckBox>(window, "playsimulate")->setChecked(true);
  Find<QLineEdit>(window, "playsimulatenum")->setText("300000");
  Find<QPushButton>(window, "playplay")->click();
  EXPECT_EQ(Started(), "/opt/kinet/bin/kinetplayw walk.knt /L/P/I4/T125/M300000" + Report(window));
}

TEST_F(PageRun, TheScriptorRunsTheHighlightedScript) {
  MainWindow window(Setup());
  Open(window, kScriptorPage, "scriptfile", "show.ss");
  Find<QPushButton>(window, "scriptrun")->click();
  EXPECT_EQ(Started(), "/opt/kinet/bin/kinetscriptw show.ss" + Report(window));
}

TEST_F(PageRun, TheGraphicsProcessorConvertsWithPaletteAndFrameSwitches) {
  MainWindow window(Setup());
  Open(window, kGraphicsPage, "graphicsfile", "pic.bmp");
  EXPECT_EQ(Find<QLineEdit>(window, "graphicsout")->text(), "pic.flc");
  Find<QCheckBox>(window, "graphicspalcol")->setChecked(true);
  Find<QLineEdit>(window, "graphicspalcolnum")->setText("64");
  Find<QComboBox>(window, "halftone")->setCurrentIndex(2);
  Find<QCheckBox>(window, "graphicsw")->setChecked(true);
  Find<QLineEdit>(window, "graphicswnum")->setText("160");
  Find<QPushButton>(window, "graphicsconvert")->click();
  EXPECT_EQ(Started(), "/opt/kinet/bin/pixworkw pic.bmp pic.flc /Q64/T2/W160" + Report(window));
}

TEST_F(PageRun, TheSoundProcessorForcesTheInputType) {
  MainWindow window(Setup());
  Open(window, kSoundPage, "wavefile", "tune.wav");
  EXPECT_EQ(Find<QLineEdit>(window, "waveout")->text(), "New_tune.wav");
  Find<QComboBox>(window, "inputtype")->setCurrentIndex(3);  // 16 bit, mono
  Find<QLineEdit>(window, "forcerate")->setText("22050");
  Find<QCheckBox>(window, "waveover")->setChecked(true);
  Find<QPushButton>(window, "waveconvert")->click();
  EXPECT_EQ(Started(), "/opt/kinet/bin/tonworkw tune.wav New_tune.wav /O/Y3/D22050" + Report(window));
}

TEST_F(PageRun, ThePermButtonsWorkOnlyWithTheFrameRateToolInstalled) {
  {
    MainWindow window(Setup());
    window.show();
    window.ShowPage(kMixerPage);
    auto* perm = Find<QPushButton>(window, "mixperm");
    EXPECT_FALSE(perm->isEnabled());
    EXPECT_EQ(perm->toolTip(), "The frame-rate tool kinetfrw is not installed in /opt/kinet/bin/.");
    window.ShowPage(kPlayerPage);
    EXPECT_FALSE(Find<QPushButton>(window, "playperm")->isEnabled());
    window.ShowPage(kMainPage);
    EXPECT_FALSE(Find<QPushButton>(window, "mainframerate")->isEnabled());
  }
  dir_.Write("kinetfrw", "#!/bin/sh\n");
  chmod((dir_ / "kinetfrw").c_str(), 0755);
  MainWindow window(testing::TestDeskSetup(dir_, starter_, dir_.path()));
  Open(window, kPlayerPage, "playfile", "walk.knt");
  auto* perm = Find<QPushButton>(window, "playperm");
  ASSERT_TRUE(perm->isEnabled());
  {
    Hand hand({Hand::Press(QMessageBox::Ok)});
    perm->click();
    EXPECT_EQ(hand.seen, std::vector<std::string>{"Error, a frame rate number must be entered."});
  }
  Find<QLineEdit>(window, "playframeratenum")->setText("12");
  {
    Hand hand({Hand::Press(QMessageBox::Yes)});
    perm->click();
    EXPECT_EQ(hand.seen, std::vector<std::string>{"Are you sure you want to change the frame rate permanently?"});
  }
  EXPECT_EQ(Started(), dir_ / "kinetfrw walk.knt /f12" + Report(window));
  window.ShowPage(kMainPage);
  Find<QPushButton>(window, "mainframerate")->click();
  EXPECT_EQ(starter_.started.back(), dir_ / "kinetfrw" + Report(window));
}

}  // namespace
}  // namespace kinet::desk
