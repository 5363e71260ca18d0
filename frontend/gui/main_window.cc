#include "frontend/gui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QShortcut>
#include <QUrl>

#include "frontend/core/file_finder.h"
#include "frontend/core/list_operations.h"
#include "frontend/core/page_names.h"
#include "frontend/gui/analysis_window.h"
#include "frontend/gui/batch_window.h"
#include "frontend/gui/dialogs.h"
#include "frontend/gui/find_window.h"
#include "frontend/gui/list_editor.h"
#include "frontend/gui/pages.h"
#include "frontend/gui/text_editor.h"
#include "frontend/gui/viewer_window.h"

namespace kinet::desk {
namespace {

constexpr const char* kCaption = "Kinetor for Windows";
constexpr const char* kPageCaptions[kPageCount] = {
    "Main",   "Kinet", "Mixer", "Player", "Scriptor", "Graphics Processor", "Sound Processor",
    "Command"};
constexpr int kTagClose = 32, kTagRefresh = 64, kTagHelp = 128;
// What "&Help" and F1 open on each page: the manual page of the tool the page drives, the
// desktop's own for the main and command pages.
constexpr const char* kHelpTopics[kPageCount] = {
    "man:kinetdesk(1)", "man:kinetpackw(1)", "man:kinetmixw(1)",   "man:kinetplayw(1)",
    "man:kinetscriptw(1)", "man:pixworkw(1)", "man:tonworkw(1)", "man:kinetdesk(1)"};
constexpr const char* kHowToTopic = "man:kinetdesk(1)";

Settings ReadSettings(const DeskSetup& setup) {
  Settings settings(setup.places);
  settings.Read(platform::IniFile::Load(setup.settings.read_path));
  return settings;
}

}  // namespace

MainWindow::MainWindow(const DeskSetup& setup)
    : setup_(setup),
      settings_(ReadSettings(setup)),
      runner_(*this, *setup.starter,
              StartingCommandDirectory(settings_.Text("KinetCommand", "Directory"),
                                       setup.places.start_dir),
              settings_.Text("KinetMain", "Directory")) {
  setWindowTitle(kCaption);
  open_url = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  view_picture = [this](const std::string& path) { return OpenViewer(this, path) != nullptr; };
  runner_.recent_commands = settings_.recent_commands;
  runner_.recent_files = settings_.recent_files;
  runner_.recent_dirs = settings_.recent_dirs;

  // The report channel: the first free number from the process id on.
  for (uint32_t n = static_cast<uint32_t>(QCoreApplication::applicationPid()), i = 0; i < 16;
       ++i, ++n)
    if ((listener_ = platform::ReportListener::Open(n))) break;
  runner_.report_number = report_number();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  tabs_ = new QTabBar;
  tabs_->setObjectName("maintab");
  tabs_->setExpanding(false);
  for (const char* caption : kPageCaptions) tabs_->addTab(caption);
  layout->addWidget(tabs_);
  body_ = new QVBoxLayout;
  layout->addLayout(body_, 1);
  connect(tabs_, &QTabBar::tabBarClicked, this, [this](int i) { SetTag(i); });

  new QShortcut(Qt::Key_F1, this, [this] { SetTag(kTagHelp); });
  for (int i = 0; i < kPageCount; ++i)
    new QShortcut(QKeySequence(Qt::Key_F2 + i), this, [this, i] { SetTag(i); });

  tab_timer_.setInterval(20);
  connect(&tab_timer_, &QTimer::timeout, this, [this] { OnTabTimer(); });
  tab_timer_.start();
  report_timer_.setInterval(50);
  connect(&report_timer_, &QTimer::timeout, this, [this] { PumpReports(); });
  report_timer_.start();

  resize(kWidth, kHeight);
  move(settings_.Integer("KinetMain", "X"), settings_.Integer("KinetMain", "Y"));
}

MainWindow::~MainWindow() = default;

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_) return;
  shown_ = true;
  const int tab = settings_.Integer("KinetMain", "CurrentTab");
  ShowPage(setup_.settings.batch_files.empty() ? (tab >= 0 && tab < kPageCount ? tab : 0)
                                               : kCommandPage);
  runner_.Prompt();
  HistoryFlush();
  if (!setup_.settings.batch_files.empty())
    QTimer::singleShot(0, this, [this] { RunStartBatches(); });
}

void MainWindow::RunStartBatches() {
  for (const std::string& file : setup_.settings.batch_files) Run("", file);
}

RunOutcome MainWindow::Run(const std::string& directory, const std::string& command) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const RunOutcome outcome = runner_.Run(directory, command);
  QApplication::restoreOverrideCursor();
  HistoryFlush();
  return outcome;
}

void MainWindow::ShowPage(int index) {
  if (index < 0 || index >= kPageCount || index == page_index_) return;
  if (page_ && !page_->MayClose()) {
    tabs_->setCurrentIndex(page_index_);
    return;
  }
  if (page_) {
    page_->Store(settings_);
    body_->removeWidget(page_);
    delete page_;
  }
  page_index_ = index;
  page_ = MakePage(index, *this);
  body_->addWidget(page_);
  tabs_->setCurrentIndex(index);
  page_->show();
  page_->ShowHistory();
}

void MainWindow::OnTabTimer() {
  if (batch_ && batch_->finished()) batch_.reset();
  const int tag = tag_;
  tag_ = -1;
  if (tag == kTagClose) {
    close();
  } else if (tag == kTagRefresh) {
    if (page_) page_->RefreshLists();
  } else if (tag == kTagHelp) {
    OpenHelp();
  } else if (tag >= 0 && tag < kPageCount) {
    ShowPage(tag);
  }
  if (page_) page_->ShowHistory();
}

void MainWindow::PumpReports() {
  if (!listener_) return;
  for (int i = 0; i < 8; ++i) {
    std::optional<platform::ReportMessage> message = listener_->Receive(0);
    if (!message) break;
    if (message->id != platform::kReportCompletion) continue;
    ReceiveReport(message->payload);
  }
}

void MainWindow::ReceiveReport(const std::string& report) {
  runner_.ReceiveReport(report);
  SetTag(kTagRefresh);
  if (batch_) batch_->ReportArrived();
  HistoryFlush();
}

bool MainWindow::SaveSettings() {
  if (page_) page_->Store(settings_);
  settings_.SetInteger("KinetMain", "X", pos().x());
  settings_.SetInteger("KinetMain", "Y", pos().y());
  settings_.SetInteger("KinetMain", "CurrentTab", std::max(page_index_, 0));
  settings_.SetText("KinetCommand", "Directory", runner_.command_dir());
  settings_.SetText("KinetMain", "Directory", runner_.program_dir());
  settings_.recent_commands = runner_.recent_commands;
  settings_.recent_files = runner_.recent_files;
  settings_.recent_dirs = runner_.recent_dirs;
  platform::IniFile ini = platform::IniFile::Load(setup_.settings.write_path);
  settings_.Write(ini);
  return ini.Save(setup_.settings.write_path);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (batch_ && !batch_->finished()) {
    QMessageBox::critical(this, kCaption, "Error, cannot close now.");
    event->ignore();
    return;
  }
  if (page_ && !page_->MayClose()) {
    event->ignore();
    return;
  }
  // The text editors are windows of their own: each offers its unsaved changes before it goes
  // with this one, and Cancel in any keeps everything open.
  for (QWidget* editor : findChildren<QWidget*>(kTextEditorName, Qt::FindDirectChildrenOnly)) {
    if (!editor->close()) {
      event->ignore();
      return;
    }
  }
  if (!SaveSettings())
    QMessageBox::critical(this, kCaption,
                          "Error, could not write the settings to " +
                              QString::fromStdString(setup_.settings.write_path));
  event->accept();
}

Answer MainWindow::Ask(const std::string& question) {
  return AskYesNoCancel(this, kCaption, QString::fromStdString(question));
}

void MainWindow::ShowError(const std::string& text) {
  QMessageBox::critical(this, kCaption, QString::fromStdString(text));
}

bool MainWindow::ShiftHeld() {
  return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
}

bool MainWindow::CopyProgress(uint64_t, uint64_t) {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  return true;
}

void MainWindow::HistoryFlush() {
  if (page_) page_->ShowHistory();
}

void MainWindow::OpenTextEditor(const std::string& file) {
  ShowTextEditor(this, file, [this] { OpenHelp(); });
}

// Without a name, a new list in the command directory, as "Create a list file" starts one.
void MainWindow::OpenListEditor(const std::string& file) {
  if (file.empty())
    NewListFile(this, runner_.command_dir(), {});
  else
    EditListFile(this, file);
}

AnalysisWindow* MainWindow::analysis_window() const { return analysis_; }

// One analysis window at a time: a later knttune loads its file into the same window.
void MainWindow::OpenAnalysis(const std::string& file) {
  if (!analysis_) analysis_ = new AnalysisWindow(this);
  if (!analysis_->Open(file)) analysis_->close();
}

void MainWindow::OpenHelp() { open_url(QUrl(kHelpTopics[std::max(page_index_, 0)])); }
void MainWindow::OpenHowTo() { open_url(QUrl(kHowToTopic)); }

void MainWindow::ViewFile(const std::string& directory, const std::string& path) {
  const std::string name = CommandName(path, directory);
  if (const std::optional<ViewCommand> view = ViewByCommand(name)) {
    Run(directory, view->command);
    if (view->refresh) SetTag(kTagRefresh);
  } else if (!view_picture(path)) {
    Run(directory, DesktopOpenCommand(name));
  }
}

// Each hit goes to the history as two blanks and its full name (names keep their case here).
void MainWindow::FindFiles(const std::string& pattern) {
  const std::vector<std::string> hits = FindWithProgress(this, pattern);
  for (const std::string& hit : hits) runner_.WriteResult("  " + hit);
  if (hits.empty()) runner_.WriteResult(kNoFilesFound);
}

void MainWindow::RunBatch(const std::string& file, const std::string& parameters) {
  if (batch_) {
    runner_.WriteResult("  A batch file is running already: " + file + " was not started.");
    return;
  }
  batch_ = std::make_unique<BatchWindow>(*this, *setup_.starter);
  if (!batch_->Start(file, parameters)) batch_.reset();
}

}  // namespace kinet::desk
