// The output-file chooser (Toutwin): name line, file list and file types on the left, the
// directory list and the drive box (mount points) on the right, as the other pages' file
// pickers are laid out.
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStorageInfo>

#include "frontend/gui/dialogs.h"
#include "frontend/gui/file_picker.h"

namespace kinet::desk {
namespace {

class OutputChooser : public QDialog {
 public:
  OutputChooser(QWidget* parent, const OutputRequest& request)
      : QDialog(parent), request_(request), types_(FilterTypes(request.filter)) {
    setWindowTitle(request.title);
    auto* grid = new QGridLayout(this);
    name_ = new QLineEdit(request.proposed);
    files_ = new QListWidget;
    type_ = new QComboBox;
    path_ = new QLabel;
    dirs_ = new QListWidget;
    drives_ = new QComboBox;
    // Each caption names the list under it, whose key it gives.
    const auto caption = [](const QString& text, QWidget* buddy) {
      auto* label = new QLabel(text);
      label->setBuddy(buddy);
      return label;
    };
    grid->addWidget(caption(request.label, name_), 0, 0);
    grid->addWidget(name_, 1, 0);
    grid->addWidget(files_, 2, 0);
    grid->addWidget(caption("List files of &type:", type_), 3, 0);
    grid->addWidget(type_, 4, 0);
    grid->addWidget(caption("&Directories:", dirs_), 0, 1);
    grid->addWidget(path_, 1, 1);
    grid->addWidget(dirs_, 2, 1);
    grid->addWidget(caption("Dri&ves:", drives_), 3, 1);
    grid->addWidget(drives_, 4, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(request.button);
    grid->addWidget(buttons, 5, 0, 1, 2);
    for (const auto& t : types_) type_->addItem(t.first);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
      if (volume.isValid() && volume.isReady()) drives_->addItem(volume.rootPath());
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    resize(560, 380);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { Accept(); });
    connect(type_, &QComboBox::currentIndexChanged, this, [this] { Fill(); });
    connect(drives_, &QComboBox::textActivated, this, [this](const QString& d) { Enter(d); });
    connect(dirs_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { Enter(dir_.absoluteFilePath(item->text())); });
    connect(files_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { name_->setText(item->text()); });
    Enter(request.directory.isEmpty() ? QDir::currentPath() : request.directory);
  }

  QString chosen;

 private:
  void Enter(const QString& path) {
    QDir dir(path);
    if (!dir.exists()) return;
    dir_ = QDir(dir.canonicalPath());
    path_->setText(dir_.path());
    Fill();
  }

  void Fill() {
    dirs_->clear();
    files_->clear();
    if (!dir_.isRoot()) dirs_->addItem("..");
    dirs_->addItems(dir_.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name));
    const QStringList patterns = types_.value(type_->currentIndex()).second;
    files_->addItems(dir_.entryList(patterns, QDir::Files, QDir::Name));
  }

  void Accept() {
    const OutputChoice choice = ChooseOutput(dir_.path().toStdString(), name_->text().toStdString(),
                                             request_.proposed.toStdString(), request_.mode);
    const QString message = QString::fromStdString(choice.message);
    if (choice.verdict == OutputChoice::Verdict::kRefuse) {
      QMessageBox::critical(this, windowTitle(), message);
      return;
    }
    if (choice.verdict == OutputChoice::Verdict::kAskOverwrite &&
        QMessageBox::question(this, windowTitle(), message) != QMessageBox::Yes)
      return;
    chosen = QString::fromStdString(choice.path);
    accept();
  }

  OutputRequest request_;
  QList<QPair<QString, QStringList>> types_;
  QDir dir_;
  QLineEdit* name_;
  QListWidget *files_, *dirs_;
  QComboBox *type_, *drives_;
  QLabel* path_;
};

}  // namespace

QString ChooseOutputFile(QWidget* parent, const OutputRequest& request) {
  OutputChooser chooser(parent, request);
  return chooser.exec() == QDialog::Accepted ? chooser.chosen : QString();
}

std::optional<QString> ChooseFromList(QWidget* parent, const QString& title, const QString& label,
                                      const QStringList& entries) {
  QDialog dialog(parent);
  dialog.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(label));
  auto* list = new QListWidget;
  list->addItems(entries);
  list->setCurrentRow(0);
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
  dialog.resize(480, 320);
  if (dialog.exec() != QDialog::Accepted || !list->currentItem()) return std::nullopt;
  return list->currentItem()->text();
}

}  // namespace kinet::desk
