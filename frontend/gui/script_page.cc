#include "frontend/gui/script_page.h"

#include <QFile>
#include <QFontDatabase>
#include <QShortcut>
#include <QVBoxLayout>

#include "frontend/core/page_names.h"
#include "frontend/core/tool_pages.h"
#include "frontend/gui/file_menus.h"
#include "frontend/gui/form_widgets.h"
#include "frontend/gui/main_window.h"
#include "frontend/gui/page_run.h"
#include "frontend/gui/text_commands.h"

namespace kinet::desk {
namespace {

constexpr const char* kSection = "KinetScript";
constexpr const char* kFilter = "Script files|*.ss;*.txt|All files *.*|*.*";
constexpr int kEditTab = 1;

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
  AttachFileMenus(*picker_, window);
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
  if (!WriteText(file_, text_->toPlainText())) {
    window_.ShowError(kTextNotSaved);
    return false;
  }
  text_->document()->setModified(false);
  return true;
}

bool ScriptPageForm::OfferSaving() {
  if (!text_->document()->isModified() || file_.empty()) return true;
  const Answer answer = AskSaveChanges(this, "Scriptor", file_);
  if (answer == Answer::kCancel) return false;
  return answer == Answer::kNo || Save();
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

void ScriptPageForm::Find() { AskAndFind(*text_, find_text_, "Scriptor"); }

void ScriptPageForm::GotoLine() { AskAndGoto(*text_, goto_line_); }

void ScriptPageForm::Store(Settings& settings) {
  StorePicker(*picker_, settings, kSection);
  settings.SetText(kSection, "FindText", find_text_.toStdString());
  settings.SetText(kSection, "GotoLine", goto_line_.toStdString());
}

}  // namespace kinet::desk
