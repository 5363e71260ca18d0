#include "frontend/gui/script_page.h"

#include <QFile>
#include <QFontDatabase>
#include <QInputDialog>
#include <QMessageBox>
#include <QShortcut>
#include <QTextBlock>
#include <QVBoxLayout>

#include "frontend/core/page_names.h"
#include "frontend/core/tool_pages.h"
#include "frontend/gui/form_widgets.h"
#include "frontend/gui/main_window.h"
#include "frontend/gui/page_run.h"

namespace kinet::desk {
namespace {

constexpr const char* kSection = "KinetScript";
constexpr const char* kFilter = "Script files|*.ss;*.txt|All files *.*|*.*";
constexpr int kEditTab = 1;

// A question with its own caption and OK button.
std::optional<QString> AskText(QWidget* parent, const char* title, const char* label,
                               const char* button, const QString& text) {
  QInputDialog dialog(parent);
  dialog.setWindowTitle(title);
  dialog.setLabelText(label);
  dialog.setOkButtonText(button);
  dialog.setTextValue(text);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

}  // namespace

ScriptPageForm::ScriptPageForm(MainWindow& window) : window_(window) {
  picker_ = new FilePicker({" Highlight a &script file: ", "script", kFilter, false});
  text_ = new QPlainTextEdit;
  text_->setObjectName("scripttext");
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  QPushButton* save = Button("scriptsave", "&Save");
  QPushButton* find = Button("scriptfind", "&Find...");
  QPushButton* go = Button("scriptgoto", "&Goto...");
  auto* edit = new QWidget;
  auto* edit_layout = new QVBoxLayout(edit);
  edit_layout->addWidget(text_, 1);
  auto* edit_buttons = new QHBoxLayout;
  for (QPushButton* b : {save, find, go}) edit_buttons->addWidget(b);
  edit_buttons->addStretch(1);
  edit_layout->addLayout(edit_buttons);
  tabs_ = new QTabWidget;
  tabs_->setObjectName("scripttabs");
  tabs_->addTab(picker_, "File");
  tabs_->addTab(edit, "Edit");
  run_ = Button("scriptrun", "&Run");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 6, 0, 0);
  layout->addWidget(tabs_, 1);
  layout->addLayout(ButtonRow(window, this, {run_}));

  const Settings& settings = window.settings();
  find_text_ = QString::fromStdString(settings.Text(kSection, "FindText"));
  goto_line_ = QString::fromStdString(settings.Text(kSection, "GotoLine"));
  picker_->on_open = [this] { Run(); };
  RestorePicker(*picker_, settings, kSection, window.runner().command_dir());
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
    if (tab == kEditTab) Load();
  });
  connect(run_, &QPushButton::clicked, this, [this] { Run(); });
  connect(save, &QPushButton::clicked, this, [this] { Save(); });
  connect(find, &QPushButton::clicked, this, [this] { Find(); });
  connect(go, &QPushButton::clicked, this, [this] { GotoLine(); });
  new QShortcut(QKeySequence("Ctrl+F"), text_, [this] { Find(); });
  new QShortcut(QKeySequence("Ctrl+G"), text_, [this] { GotoLine(); });
}

// The Edit tab shows the highlighted script, unless it holds changes of its own.
void ScriptPageForm::Load() {
  const std::vector<std::string> selected = picker_->Selected();
  if (text_->document()->isModified() || selected.empty() || selected.front() == file_) return;
  QFile file(QString::fromStdString(selected.front()));
  if (!file.open(QIODevice::ReadOnly)) return;
  file_ = selected.front();
  text_->setPlainText(QString::fromLocal8Bit(file.readAll()));
  text_->document()->setModified(false);
}

bool ScriptPageForm::Save() {
  if (file_.empty()) return false;
  QFile file(QString::fromStdString(file_));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(text_->toPlainText().toLocal8Bit()) < 0) {
    window_.ShowError("Error, " + file_ + " could not be saved.");
    return false;
  }
  text_->document()->setModified(false);
  return true;
}

bool ScriptPageForm::OfferSaving() {
  if (!text_->document()->isModified() || file_.empty()) return true;
  const auto answer = QMessageBox::question(
      this, QString::fromStdString("Save changes to " + file_), "Save your changes ?",
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (answer == QMessageBox::Cancel) return false;
  return answer == QMessageBox::No || Save();
}

void ScriptPageForm::Run() {
  std::string file;
  if (tabs_->currentIndex() == kEditTab) {
    if (!OfferSaving()) return;
    file = file_;
  } else {
    const std::vector<std::string> selected = picker_->Selected();
    if (selected.empty()) return;
    file = selected.front();
  }
  const std::string directory = file.empty() ? picker_->directory() : DirectoryOf(file);
  const PageCommand command = ScriptCommand(file.empty() ? "" : CommandName(file, directory));
  if (!command.error.empty()) {
    window_.ShowError(command.error);
    return;
  }
  RunAndRemember(window_, directory, command.command, {file}, {picker_});
}

void ScriptPageForm::Find() {
  const auto text = AskText(this, "Find Text:", "Find:", "&Find Next", find_text_);
  if (!text || text->isEmpty()) return;
  find_text_ = *text;
  if (!text_->find(find_text_)) {
    QTextCursor from_top = text_->textCursor();
    from_top.movePosition(QTextCursor::Start);
    text_->setTextCursor(from_top);
    if (!text_->find(find_text_)) QMessageBox::information(this, "Scriptor", "Find text was not found.");
  }
}

void ScriptPageForm::GotoLine() {
  const auto line = AskText(this, "Goto Line Number:", "Goto:", "&Goto", goto_line_);
  if (!line) return;
  goto_line_ = *line;
  const QTextBlock block = text_->document()->findBlockByLineNumber(std::max(0, line->toInt() - 1));
  if (!block.isValid()) return;
  text_->setTextCursor(QTextCursor(block));
  text_->setFocus();
}

void ScriptPageForm::Store(Settings& settings) {
  StorePicker(*picker_, settings, kSection);
  settings.SetText(kSection, "FindText", find_text_.toStdString());
  settings.SetText(kSection, "GotoLine", goto_line_.toStdString());
}

}  // namespace kinet::desk
