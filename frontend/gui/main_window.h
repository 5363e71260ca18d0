// The main window (Ttopwin): the row of page tabs over the page in front, the F-keys and the
// tab timer, the report channel's receiving end, and the host through which the command
// runner asks questions and opens windows.
#pragma once

#include <QPointer>
#include <QTabBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "frontend/core/batch_player.h"
#include "frontend/core/command_runner.h"
#include "frontend/core/settings.h"
#include "frontend/core/settings_location.h"
#include "frontend/gui/page.h"
#include "platform/process/program_starter.h"
#include "platform/report/report_channel.h"

namespace kinet::desk {

class AnalysisWindow;
class BatchWindow;

struct DeskSetup {
  SettingsLocation settings;
  StartPlaces places;                 // program directory, start directory
  platform::ProgramStarter* starter;  // how programs start (a recording one in tests)
};

class MainWindow : public QWidget, public DeskHost {
 public:
  // The size it opens with; the start places centre it on the screen by default.
  static constexpr int kWidth = 760, kHeight = 520;

  explicit MainWindow(const DeskSetup& setup);
  ~MainWindow() override;

  // Runs a command through the runner and shows the history.
  RunOutcome Run(const std::string& directory, const std::string& command);
  // Brings page `index` to the front (closing the old page, which stores its values).
  void ShowPage(int index);
  // What the tab timer acts on: 0-7 a page, 32 close, 64 refresh the lists, 128 help.
  void SetTag(int tag) { tag_ = tag; }
  // Runs the batch files named on the command line (after the window is shown).
  void RunStartBatches();
  // A completion report, as the report channel delivers it.
  void ReceiveReport(const std::string& report);

  CommandRunner& runner() { return runner_; }
  Settings& settings() { return settings_; }
  Page* page() const { return page_; }
  int page_index() const { return page_index_; }
  uint32_t report_number() const { return listener_ ? listener_->number() : 0; }
  BatchWindow* batch_window() const { return batch_.get(); }
  AnalysisWindow* analysis_window() const;
  // Writes every setting to the settings file; false when it could not be written.
  bool SaveSettings();

  // Views `path` as the file lists do: a list file in the list editor, a video file in the
  // player, a picture in the built-in viewer, anything else in the desktop's program for it.
  // The commands run in `directory`.
  void ViewFile(const std::string& directory, const std::string& path);
  // The built-in viewer: shows `path` and answers true, or false when it cannot show it.
  std::function<bool(const std::string& path)> view_picture;
  // How the help topics are opened.
  std::function<bool(const QUrl&)> open_url;
  // "Ho&w do I...?": the desktop's own manual page.
  void OpenHowTo();

  // DeskHost
  Answer Ask(const std::string& question) override;
  void ShowError(const std::string& text) override;
  bool CommandPageInFront() override { return page_index_ == kCommandPage; }
  bool ShiftHeld() override;
  bool CopyProgress(uint64_t done, uint64_t total) override;
  void HistoryFlush() override;
  void OpenTextEditor(const std::string& file) override;
  void OpenListEditor(const std::string& file) override;
  void OpenAnalysis(const std::string& file) override;
  void OpenHelp() override;
  void FindFiles(const std::string& pattern) override;
  void CloseMainWindow() override { SetTag(32); }
  void RunBatch(const std::string& file, const std::string& parameters) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void OnTabTimer();
  void PumpReports();

  DeskSetup setup_;
  Settings settings_;
  CommandRunner runner_;
  std::optional<platform::ReportListener> listener_;
  std::unique_ptr<BatchWindow> batch_;
  QPointer<AnalysisWindow> analysis_;
  QTabBar* tabs_;
  QVBoxLayout* body_;
  Page* page_ = nullptr;
  int page_index_ = -1;
  int tag_ = -1;
  bool shown_ = false;
  QTimer tab_timer_, report_timer_;
};

}  // namespace kinet::desk
