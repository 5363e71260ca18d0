#include "frontend/gui/command_page.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QVBoxLayout>
#include <filesystem>
#include <fstream>

#include "frontend/gui/dialogs.h"
#include "frontend/gui/form_widgets.h"
#include "frontend/gui/main_window.h"

namespace kinet::desk {
namespace {

QStringList ToQt(const std::vector<std::string>& entries) {
  QStringList list;
  for (const std::string& e : entries) list << QString::fromStdString(e);
  return list;
}

}  // namespace

CommandPage::CommandPage(MainWindow& window) : window_(window) {
  history_ = new QPlainTextEdit;
  history_->setObjectName("commandhistory");
  history_->setReadOnly(true);
  history_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  history_->setLineWrapMode(QPlainTextEdit::NoWrap);
  history_->setToolTip("Right click for command history options.");
  history_->setContextMenuPolicy(Qt::CustomContextMenu);
  command_ = new QLineEdit;
  command_->setObjectName("commandtorun");
  command_->setFont(history_->font());
  command_->setToolTip("Right click for command options.");
  command_->setContextMenuPolicy(Qt::CustomContextMenu);
  run_ = Button("commandrun", "&Run Specific");
  run_->setDefault(true);
  run_->setEnabled(false);
  QPushButton* batch = Button("newbatch", "&New Batch");
  QPushButton* back = Button("commandmain", "Back to &Main");
  QPushButton* how = Button("commandhow", "Ho&w do I...?");
  QPushButton* help = Button("commandhelp", "&Help");

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 6, 0, 0);
  layout->addWidget(history_, 1);
  auto* line = new QHBoxLayout;
  auto* label = new QLabel("&Command:");
  label->setBuddy(command_);
  line->addWidget(label);
  line->addWidget(command_, 1);
  line->addWidget(run_);
  layout->addLayout(line);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(batch);
  buttons->addWidget(back);
  buttons->addStretch(1);
  buttons->addWidget(how);
  buttons->addWidget(help);
  layout->addLayout(buttons);

  command_->installEventFilter(this);
  history_->installEventFilter(this);
  connect(command_, &QLineEdit::textChanged, this,
          [this](const QString& text) { run_->setEnabled(!text.trimmed().isEmpty()); });
  connect(command_, &QLineEdit::textEdited, this, [this] { recall_.Reset(); });
  connect(command_, &QLineEdit::returnPressed, this, [this] { RunSpecific(); });
  connect(run_, &QPushButton::clicked, this, [this] { RunSpecific(); });
  connect(batch, &QPushButton::clicked, this, [this] { NewBatch(); });
  connect(back, &QPushButton::clicked, this, [this] { window_.SetTag(kMainPage); });
  connect(how, &QPushButton::clicked, this, [this] { window_.OpenHowTo(); });
  connect(help, &QPushButton::clicked, this, [this] { window_.OpenHelp(); });
  connect(command_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { CommandMenu(at); });
  connect(history_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { HistoryMenu(at); });
  setFocusProxy(command_);
}

void CommandPage::ShowHistory() {
  const CommandHistory& history = window_.runner().history;
  if (history.version() == shown_version_) return;
  shown_version_ = history.version();
  history_->setPlainText(QString::fromStdString(history.Text()));
  history_->moveCursor(QTextCursor::End);
  history_->ensureCursorVisible();
}

void CommandPage::RunSpecific() {
  const QString text = command_->text().trimmed();
  if (text.isEmpty()) return;
  CommandRunner& runner = window_.runner();
  runner.run_specific = true;
  window_.Run("", text.toStdString());
  runner.run_specific = false;
  command_->clear();
  recall_.Reset();
}

// "Edit" on a new, empty batch file in the command directory.
void CommandPage::NewBatch() {
  const std::filesystem::path dir = window_.runner().command_dir();
  std::filesystem::path file;
  for (int n = 1; file.empty() || std::filesystem::exists(file); ++n)
    file = dir / ("batch" + std::to_string(n) + ".sbt");
  std::ofstream{file};
  window_.Run("", "Edit " + file.string());
}

bool CommandPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && watched == command_ && !entered_) {
    entered_ = true;
    history_->moveCursor(QTextCursor::End);
  }
  if (event->type() != QEvent::KeyPress) return Page::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (watched == command_) return CommandKey(key);
  if (watched == history_) return HistoryKey(key);
  return false;
}

bool CommandPage::CommandKey(QKeyEvent* key) {
  const auto& recent = window_.runner().recent_commands.entries();
  const bool ctrl = key->modifiers() & Qt::ControlModifier;
  if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
    const std::string shown = key->key() == Qt::Key_Up ? recall_.Up(recent) : recall_.Down(recent);
    command_->setText(QString::fromStdString(shown));
    command_->end(false);
  } else if (key->key() == Qt::Key_Escape) {
    if (command_->text().isEmpty())
      window_.SetTag(kMainPage);
    else
      command_->clear();
  } else if (ctrl && key->key() == Qt::Key_C && !command_->hasSelectedText()) {
    RecentCommands();
  } else if (ctrl && key->key() == Qt::Key_T) {
    RecentDirectories();
  } else {
    return false;
  }
  return true;
}

bool CommandPage::HistoryKey(QKeyEvent* key) {
  const bool ctrl = key->modifiers() & Qt::ControlModifier;
  if (key->key() == Qt::Key_Escape) {
    window_.SetTag(kMainPage);
  } else if (key->key() == Qt::Key_PageDown && (key->modifiers() & Qt::ShiftModifier)) {
    history_->moveCursor(QTextCursor::End);
  } else if (ctrl && key->key() == Qt::Key_C) {
    CopyHistory();
  } else if (ctrl && key->key() == Qt::Key_H) {
    ClearHistory();
  } else if (ctrl && key->key() == Qt::Key_A) {
    SaveHistoryAs();
  } else {
    return false;
  }
  return true;
}

void CommandPage::CommandMenu(const QPoint& at) {
  QMenu menu(this);
  menu.addAction("Recent &Commands", QKeySequence("Ctrl+C"), this, [this] { RecentCommands(); });
  menu.addAction("Recen&t Directories", QKeySequence("Ctrl+T"), this,
                 [this] { RecentDirectories(); });
  menu.exec(command_->mapToGlobal(at));
}

void CommandPage::HistoryMenu(const QPoint& at) {
  QMenu menu(this);
  menu.addAction("&Copy", QKeySequence("Ctrl+C"), this, [this] { CopyHistory(); });
  menu.addAction("Clear &History", QKeySequence("Ctrl+H"), this, [this] { ClearHistory(); });
  menu.addAction("Save &As", QKeySequence("Ctrl+A"), this, [this] { SaveHistoryAs(); });
  menu.exec(history_->mapToGlobal(at));
}

void CommandPage::RecentCommands() {
  if (auto chosen =
          ChooseFromList(this, "List of Recent Commands:", " Select a recently used command: ",
                         ToQt(window_.runner().recent_commands.entries())))
    command_->setText(*chosen);
}

void CommandPage::RecentDirectories() {
  if (auto chosen =
          ChooseFromList(this, "List of Recent Directories:", " Select a recently used directory: ",
                         ToQt(window_.runner().recent_dirs.entries())))
    window_.Run("", "CD " + chosen->toStdString());
}

void CommandPage::CopyHistory() {
  QString selected = history_->textCursor().selectedText();
  QApplication::clipboard()->setText(selected.isEmpty() ? history_->toPlainText()
                                                        : selected.replace(QChar(0x2029), '\n'));
}

void CommandPage::ClearHistory() {
  window_.runner().history.Clear();
  window_.runner().Prompt();
  ShowHistory();
}

void CommandPage::SaveHistoryAs() {
  OutputRequest request;
  request.title = "Save Command History:";
  request.button = "&Save";
  request.directory = QString::fromStdString(window_.runner().command_dir());
  request.proposed = "untitled.txt";
  request.filter = "Text files (*.Txt)|*.TXT|All files (*.*)|*.*";
  const QString file = ChooseOutputFile(this, request);
  if (file.isEmpty()) return;
  if (!SaveHistoryText(window_.runner().history, file.toStdString()))
    QMessageBox::critical(this, "Command", "Error: could not save command history.");
}

}  // namespace kinet::desk
