#include "frontend/gui/list_editor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

#include "frontend/core/pack_page.h"
#include "frontend/core/page_names.h"
#include "frontend/gui/dialogs.h"
#include "frontend/gui/form_widgets.h"

namespace kinet::desk {
namespace {

constexpr const char* kCaption = "List File Editor";
constexpr const char* kListFilter = "List Files (*.lst)|*.lst|All files (*.*)|*.*";

}  // namespace

ListEditor::ListEditor(QWidget* parent, ListDocument document)
    : QDialog(parent), document_(std::move(document)) {
  auto* group = new QGroupBox(" &Process a list of files: ");
  lines_ = new QListWidget;
  lines_->setObjectName("listlines");
  start_ = NumberField("liststart", 5);
  end_ = NumberField("listend", 5);
  QPushButton* insert = Button("listinsert", "&Insert");
  QPushButton* remove = Button("listremove", "&Remove");
  QPushButton* up = Button("listup", "Move &Up");
  QPushButton* down = Button("listdown", "Move &Down");
  QPushButton* save_as = Button("listsaveas", "Save &As");
  QPushButton* close = Button("listclose", "&Close");

  auto* grid = new QGridLayout(group);
  grid->addWidget(lines_, 0, 0, 8, 1);
  grid->setColumnStretch(0, 1);
  grid->addWidget(new QLabel("Start frame: "), 0, 1);
  grid->addWidget(start_, 0, 2);
  grid->addWidget(new QLabel("End frame: "), 1, 1);
  grid->addWidget(end_, 1, 2);
  int row = 2;
  for (QPushButton* b : {insert, remove, up, down}) grid->addWidget(b, row++, 1, 1, 2);
  grid->setRowStretch(row, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(save_as);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group, 1);
  layout->addLayout(buttons);
  resize(540, 340);

  ask = [this](const std::string& question) {
    return AskYesNoCancel(this, kCaption, QString::fromStdString(question));
  };
  choose_save_name = [this] {
    OutputRequest request{"Save As List:", "&Save",
                          QString::fromStdString(DirectoryOf(document_.path())),
                          QString::fromStdString(BaseName(document_.path())), kListFilter};
    request.label = " Save your file as: ";
    return ChooseOutputFile(this, request).toStdString();
  };
  choose_inserted = [this] {
    return ChooseInputFiles(this, {"Insert files:", " Highlight files to insert: ", "&Insert",
                                   kGraphicsFilter, DirectoryOf(document_.path()), true});
  };

  connect(lines_, &QListWidget::currentRowChanged, this, [this](int line) {
    document_.Select(line);
    Show();
  });
  connect(start_, &QLineEdit::textEdited, this,
          [this](const QString& text) { Edit([&] { document_.SetStart(text.toStdString()); }); });
  connect(end_, &QLineEdit::textEdited, this,
          [this](const QString& text) { Edit([&] { document_.SetEnd(text.toStdString()); }); });
  connect(insert, &QPushButton::clicked, this, [this] {
    std::vector<std::string> names = choose_inserted();
    for (std::string& name : names) name = RelativeName(name, DirectoryOf(document_.path()));
    Edit([&] { document_.Insert(names); });
  });
  connect(remove, &QPushButton::clicked, this, [this] { Edit([this] { document_.Remove(); }); });
  connect(up, &QPushButton::clicked, this, [this] { Edit([this] { document_.MoveUp(); }); });
  connect(down, &QPushButton::clicked, this, [this] { Edit([this] { document_.MoveDown(); }); });
  connect(save_as, &QPushButton::clicked, this, [this] { SaveAs(); });
  connect(close, &QPushButton::clicked, this, [this] { CloseAsked(); });
  Show();
}

// The lines, the selection and its frame fields as the document holds them.
void ListEditor::Show() {
  setWindowTitle(QString::fromStdString(std::string(kCaption) + " - " + document_.path()));
  const QSignalBlocker quiet(lines_);
  const std::vector<std::string>& lines = document_.lines();
  for (size_t i = 0; i < lines.size(); ++i) {
    const QString text = QString::fromStdString(lines[i]);
    if (static_cast<int>(i) < lines_->count()) {
      if (lines_->item(static_cast<int>(i))->text() != text) lines_->item(static_cast<int>(i))->setText(text);
    } else {
      lines_->addItem(text);
    }
  }
  while (lines_->count() > static_cast<int>(lines.size())) delete lines_->takeItem(lines_->count() - 1);
  lines_->setCurrentRow(document_.selected());
  const ListLine line = document_.SelectedLine();
  // A field being typed in keeps its caret: only a field showing something else is set.
  if (start_->text().toStdString() != line.start) start_->setText(QString::fromStdString(line.start));
  if (end_->text().toStdString() != line.end) end_->setText(QString::fromStdString(line.end));
}

void ListEditor::Edit(const std::function<void()>& change) {
  change();
  Show();
}

bool ListEditor::Save(const std::string& path, const std::string& error) {
  if (document_.Save(platform::SystemFileSystem(), path)) {
    Show();
    return true;
  }
  QMessageBox::critical(this, kCaption, QString::fromStdString(error + path));
  return false;
}

std::string ListEditor::SaveAs() {
  const std::string path = choose_save_name();
  return !path.empty() && Save(path, "Error saving to ") ? path : "";
}

bool ListEditor::CloseAsked() {
  if (document_.changed()) {
    switch (ask("Save file " + document_.path() + " ?")) {
      case Answer::kCancel:
        return false;
      case Answer::kYes:
        if (document_.untitled() ? SaveAs().empty() : !Save(document_.path(), "Error saving "))
          return false;
        break;
      case Answer::kNo:
        break;
    }
  }
  done(QDialog::Accepted);
  return true;
}

bool EditListFile(QWidget* parent, const std::string& file) {
  ListDocument document;
  if (!document.Load(platform::SystemFileSystem(), file)) {
    QMessageBox::critical(parent, kCaption, QString::fromStdString("Error loading " + file));
    return false;
  }
  ListEditor(parent, std::move(document)).exec();
  return true;
}

std::string NewListFile(QWidget* parent, const std::string& directory,
                        const std::vector<std::string>& names) {
  ListEditor editor(parent, ListDocument::FromNames(directory, names));
  editor.exec();
  return editor.document().changed() ? "" : editor.document().path();
}

}  // namespace kinet::desk
