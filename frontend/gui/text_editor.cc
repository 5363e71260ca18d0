#include "frontend/gui/text_editor.h"

#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QMenu>
#include <QMessageBox>
#include <QVBoxLayout>

#include "frontend/core/page_names.h"
#include "frontend/gui/dialogs.h"
#include "frontend/gui/form_widgets.h"
#include "frontend/gui/text_commands.h"

namespace kinet::desk {
namespace {

constexpr const char* kCaption = "Kinetor Text Editor";
constexpr const char* kTextFilter =
    "Batch files|*.sbt|Text files|*.txt|List files|*.lst|All files *.*|*.*";
constexpr int kLineTick = 200;  // milliseconds between updates of the line number

}  // namespace

TextEditor::TextEditor(QWidget* owner, std::function<void()> help)
    : QWidget(owner, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(kTextEditorName);
  text_ = new QPlainTextEdit;
  text_->setObjectName("edittext");
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  line_ = new QLabel(" Line: 1");
  line_->setObjectName("editline");
  QPushButton* open = Button("editopen", "&Open");
  QPushButton* fresh = Button("editnew", "&New");
  QPushButton* save = Button("editsave", "&Save");
  QPushButton* save_as = Button("editsaveas", "Save &As");
  QPushButton* close = Button("editclose", "&Close");
  QPushButton* help_button = Button("edithelp", "&Help");
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {open, fresh, save, save_as, close, help_button}) buttons->addWidget(b);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(text_, 1);
  layout->addWidget(line_);
  resize(600, 420);

  // The text itself takes the clipboard keys; the menu shows them.
  menu_ = new QMenu(this);
  const auto item = [this](const char* caption, const char* keys, auto action) {
    QAction* a = menu_->addAction(caption);
    a->setShortcut(QKeySequence(keys));
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(a, &QAction::triggered, this, action);
    return a;
  };
  text_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(text_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { menu_->exec(text_->mapToGlobal(at)); });
  item("&Undo", "Ctrl+Z", [this] { text_->undo(); })->setShortcutContext(Qt::WidgetShortcut);
  item("Cu&t", "Ctrl+X", [this] { text_->cut(); })->setShortcutContext(Qt::WidgetShortcut);
  item("&Copy", "Ctrl+C", [this] { text_->copy(); })->setShortcutContext(Qt::WidgetShortcut);
  item("&Paste", "Ctrl+V", [this] { text_->paste(); })->setShortcutContext(Qt::WidgetShortcut);
  menu_->addSeparator();
  addAction(item("&Find Text", "Ctrl+F", [this] { AskAndFind(*text_, find_text_, kCaption); }));
  addAction(item("&Goto Line", "Ctrl+G", [this] { AskAndGoto(*text_, goto_line_); }));

  ask_save = [this](const std::string& name) { return AskSaveChanges(this, kCaption, name); };
  choose_open = [this] {
    const std::vector<std::string> chosen = ChooseInputFiles(
        this, {"Open File:", " Highlight a file to open: ", "&Open", kTextFilter, DirectoryOf(file_)});
    return chosen.empty() ? std::string() : chosen.front();
  };
  choose_save_name = [this] {
    OutputRequest request{"Save As Filename:", "&Save", QString::fromStdString(DirectoryOf(file_)),
                          "untitled", kTextFilter};
    request.label = " Save your file as: ";
    return ChooseOutputFile(this, request).toStdString();
  };

  connect(open, &QPushButton::clicked, this, [this] {
    if (!OfferSaving()) return;
    if (const std::string file = choose_open(); !file.empty()) Open(file);
  });
  connect(fresh, &QPushButton::clicked, this, [this] {
    if (!OfferSaving()) return;
    file_.clear();
    text_->clear();
    text_->document()->setModified(false);
    ShowCaption();
  });
  connect(save, &QPushButton::clicked, this, [this] { Save(); });
  connect(save_as, &QPushButton::clicked, this, [this] { SaveAs(); });
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  connect(help_button, &QPushButton::clicked, this, [help] {
    if (help) help();
  });
  line_timer_.setInterval(kLineTick);
  connect(&line_timer_, &QTimer::timeout, this, [this] {
    line_->setText(QString(" Line: %1").arg(text_->textCursor().blockNumber() + 1));
  });
  line_timer_.start();
  ShowCaption();
}

void TextEditor::ShowCaption() {
  setWindowTitle(QString(kCaption) + ": " +
                 (file_.empty() ? QString("Untitled") : QString::fromStdString(file_)));
}

bool TextEditor::Open(const std::string& name) {
  const std::string file = WithDefaultExtension(name, ".sbt");
  QFile in(QString::fromStdString(file));
  if (!in.open(QIODevice::ReadOnly)) {
    QMessageBox::critical(this, kCaption, QString::fromStdString("Error, cannot open file: " + file));
    return false;
  }
  text_->setPlainText(QString::fromLocal8Bit(in.readAll()));
  text_->document()->setModified(false);
  file_ = file;
  ShowCaption();
  return true;
}

bool TextEditor::Save() {
  if (file_.empty()) return SaveAs();
  if (!WriteText(file_, text_->toPlainText())) {
    QMessageBox::critical(this, kCaption, kTextNotSaved);
    return false;
  }
  text_->document()->setModified(false);
  return true;
}

bool TextEditor::SaveAs() {
  const std::string file = choose_save_name();
  if (file.empty()) return false;
  const std::string earlier = file_;
  file_ = file;
  if (Save()) {
    ShowCaption();
    return true;
  }
  file_ = earlier;
  return false;
}

bool TextEditor::OfferSaving() {
  if (!text_->document()->isModified()) return true;
  switch (ask_save(file_)) {
    case Answer::kYes:
      return Save();
    case Answer::kNo:
      return true;
    case Answer::kCancel:
      break;
  }
  return false;
}

void TextEditor::closeEvent(QCloseEvent* event) {
  if (OfferSaving()) {
    event->accept();
  } else {
    event->ignore();
  }
}

TextEditor* ShowTextEditor(QWidget* owner, const std::string& file, std::function<void()> help) {
  auto* editor = new TextEditor(owner, std::move(help));
  if (!file.empty() && !editor->Open(file)) {
    delete editor;
    return nullptr;
  }
  editor->show();
  return editor;
}

}  // namespace kinet::desk
