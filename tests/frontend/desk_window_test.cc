// The main window and the command page under the offscreen platform: typing and Run
// Specific, recall with Up and Down, Escape, the menus' keys, F-keys, completion reports
// arriving through the report channel, the settings written at close and read at the next
// start, and a batch file named on the command line.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "frontend/gui/main_window.h"
#include "platform/report/report_channel.h"
#include "tests/frontend/desk_fixture.h"

namespace kinet::desk {
namespace {

using DeskWindow = testing::DeskTest;

TEST_F(DeskWindow, RunSpecificStartsTheToolAndTheReportReachesTheHistory) {
  MainWindow window(Setup());
  window.show();
  window.ShowPage(kCommandPage);
  auto* command = Find<QLineEdit>(window, "commandtorun");
  auto* run = Find<QPushButton>(window, "commandrun");
  auto* history = Find<QPlainTextEdit>(window, "commandhistory");
  EXPECT_FALSE(run->isEnabled());
  QTest::keyClicks(command, "kinetpack walk.flc walk.knt");
  EXPECT_TRUE(run->isEnabled());
  QTest::mouseClick(run, Qt::LeftButton);
  ASSERT_EQ(starter_.started.size(), 1u);
  EXPECT_EQ(starter_.started[0], "/opt/kinet/bin/kinetpackw walk.flc walk.knt /#" +
                                     std::to_string(window.report_number()) + "/#");
  EXPECT_TRUE(command->text().isEmpty());
  EXPECT_TRUE(history->toPlainText().contains("> kinetpack walk.flc walk.knt"));

  std::string report = "Kinet - KinetPackW compressor\r\n  Kineted in 5 milliseconds.";
  report.push_back('\0');
  ASSERT_TRUE(platform::SendReport(window.report_number(), platform::kReportCompletion, report));
  Ticks();
  EXPECT_TRUE(history->toPlainText().endsWith(QString::fromStdString(
      "  Kinet - KinetPackW compressor\n  Kineted in 5 milliseconds.\n" + dir_.path() + "> ")))
      << history->toPlainText().toStdString();
}

TEST_F(DeskWindow, UpAndDownRecallAndEscapeClearsThenGoesBack) {
  MainWindow window(Setup());
  window.runner().recent_commands.Add("old");
  window.runner().recent_commands.Add("new");
  window.show();
  window.ShowPage(kCommandPage);
  auto* command = Find<QLineEdit>(window, "commandtorun");
  QTest::keyClick(command, Qt::Key_Up);
  EXPECT_EQ(command->text(), "new");
  QTest::keyClick(command, Qt::Key_Up);
  EXPECT_EQ(command->text(), "old");
  QTest::keyClick(command, Qt::Key_Up);
  EXPECT_EQ(command->text(), "new");  // wrapped to the newest
  QTest::keyClick(command, Qt::Key_X);
  QTest::keyClick(command, Qt::Key_Down);
  EXPECT_EQ(command->text(), "new") << "an edit starts the recall over";
  QTest::keyClick(command, Qt::Key_Down);
  EXPECT_EQ(command->text(), "old");
  EXPECT_EQ(command->cursorPosition(), 3);
  QTest::keyClick(command, Qt::Key_Escape);
  EXPECT_TRUE(command->text().isEmpty());
  EXPECT_EQ(window.page_index(), kCommandPage);
  QTest::keyClick(command, Qt::Key_Escape);
  Ticks();
  EXPECT_EQ(window.page_index(), kMainPage);
}

TEST_F(DeskWindow, MenuKeysOfTheCommandLineAndTheHistory) {
  MainWindow window(Setup());
  window.runner().recent_commands.Add("dir");
  window.show();
  window.ShowPage(kCommandPage);
  auto* command = Find<QLineEdit>(window, "commandtorun");
  // Recent Commands (Ctrl+C): the list opens; choosing puts the command into the line.
  QTimer::singleShot(50, [] {
    QWidget* list = QApplication::activeModalWidget();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->windowTitle(), "List of Recent Commands:");
    QTest::keyClick(list->findChild<QListWidget*>(), Qt::Key_Return);
  });
  QTest::keyClick(command, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(command->text(), "dir");
  // Clear History (Ctrl+H) leaves only the prompt.
  auto* history = Find<QPlainTextEdit>(window, "commandhistory");
  window.Run("", "rem something");
  QTest::keyClick(history, Qt::Key_H, Qt::ControlModifier);
  EXPECT_EQ(history->toPlainText().toStdString(), dir_.path() + "> ");
  QTest::keyClick(history, Qt::Key_Escape);
  Ticks();
  EXPECT_EQ(window.page_index(), kMainPage);
}

TEST_F(DeskWindow, FunctionKeysSwitchPagesWithinATick) {
  MainWindow window(Setup());
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_F4);
  Ticks();
  EXPECT_EQ(window.page_index(), kMixerPage);
  QTest::keyClick(&window, Qt::Key_F9);
  Ticks();
  EXPECT_EQ(window.page_index(), kCommandPage);
  QTest::keyClick(&window, Qt::Key_F2);
  Ticks();
  EXPECT_EQ(window.page_index(), kMainPage);
}

TEST_F(DeskWindow, SettingsAreWrittenAtCloseAndReadAtTheNextStart) {
  std::filesystem::create_directory(dir_ / "work");
  {
    MainWindow window(Setup());
    window.show();
    window.ShowPage(kCommandPage);
    window.Run("", "cd work");
    window.Run("", "rem remembered");
    window.close();
  }
  const std::string ini = dir_.Read("Kinetor.INI");
  EXPECT_NE(ini.find("CurrentTab=7"), std::string::npos) << ini;
  EXPECT_NE(ini.find("KeyCompressType=3"), std::string::npos);
  EXPECT_NE(ini.find("Recall0=rem remembered"), std::string::npos);
  MainWindow again(Setup());
  again.show();
  EXPECT_EQ(again.page_index(), kCommandPage);
  EXPECT_EQ(again.runner().command_dir(), dir_ / "work");
  EXPECT_EQ(again.runner().recent_commands.entries().front(), "rem remembered");
}

TEST_F(DeskWindow, ABatchFileOnTheCommandLineRunsOnceTheWindowIsShown) {
  dir_.Write("job.sbt", "rem first\nrem second\n");
  MainWindow window(Setup({dir_ / "job.sbt"}));
  window.show();
  EXPECT_EQ(window.page_index(), kCommandPage);
  for (int i = 0; i < 20 && window.runner().history.Text().find("rem second") == std::string::npos;
       ++i)
    Ticks();
  const std::string text = window.runner().history.Text();
  EXPECT_NE(text.find("> rem first"), std::string::npos) << text;
  EXPECT_NE(text.find("> rem second"), std::string::npos) << text;
}

}  // namespace
}  // namespace kinet::desk
