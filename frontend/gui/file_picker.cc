#include "frontend/gui/file_picker.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QStorageInfo>

namespace kinet::desk {

QList<QPair<QString, QStringList>> FilterTypes(const QString& filter) {
  QList<QPair<QString, QStringList>> types;
  const QStringList parts = filter.split('|');
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    for (QString& p : patterns)
      if (p == "*.*") p = "*";
    types.append(qMakePair(parts[i], patterns));
  }
  if (types.isEmpty()) types.append(qMakePair(QString("All files (*.*)"), QStringList{"*"}));
  return types;
}

FilePicker::FilePicker(const PickerOptions& options, QWidget* parent)
    : QGroupBox(options.caption, parent), types_(FilterTypes(options.filter)) {
  const QString prefix = options.prefix;
  files_ = new QListWidget;
  files_->setObjectName(prefix + "file");
  files_->setSelectionMode(options.several ? QAbstractItemView::ExtendedSelection
                                        : QAbstractItemView::SingleSelection);
  files_->setToolTip("Right click for file managment options.");
  dirs_ = new QListWidget;
  dirs_->setObjectName(prefix + "dir");
  dirs_->setToolTip("Right click for directory managment options.");
  filter_ = new QComboBox;
  filter_->setObjectName(prefix + "filter");
  for (const auto& type : types_) filter_->addItem(type.first);
  drives_ = new QComboBox;
  drives_->setObjectName(prefix + "drive");
  drives_->setToolTip("Right click for drive managment options.");
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    if (volume.isValid() && volume.isReady()) drives_->addItem(volume.rootPath());
  path_ = new QLabel;
  path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  path_->setMinimumWidth(40);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->addWidget(path_, 0, 0, 1, 2);
  grid->addWidget(files_, 1, 0);
  grid->addWidget(dirs_, 1, 1);
  grid->addWidget(filter_, 2, 0);
  grid->addWidget(drives_, 2, 1);
  // The columns share the width by their stretch alone, whatever the names in them.
  for (QWidget* w : {static_cast<QWidget*>(files_), static_cast<QWidget*>(dirs_),
                     static_cast<QWidget*>(filter_), static_cast<QWidget*>(drives_)})
    w->setSizePolicy(QSizePolicy::Ignored, w->sizePolicy().verticalPolicy());
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 2);

  connect(filter_, &QComboBox::currentIndexChanged, this, [this] {
    mask_.clear();
    Fill({});
  });
  connect(drives_, &QComboBox::textActivated, this,
          [this](const QString& d) { SetDirectory(d.toStdString()); });
  connect(dirs_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    SetDirectory(QDir(QString::fromStdString(directory_)).absoluteFilePath(item->text()).toStdString());
  });
  connect(files_, &QListWidget::itemSelectionChanged, this, [this] {
    if (on_selection) on_selection();
  });
  connect(files_, &QListWidget::itemActivated, this, [this] {
    if (on_open) on_open();
  });
}

void FilePicker::SetDirectory(const std::string& path) {
  QDir dir(QString::fromStdString(path));
  if (path.empty() || !dir.exists()) dir = QDir::home();
  directory_ = QDir::cleanPath(dir.canonicalPath()).toStdString();
  path_->setText(QString::fromStdString(directory_));
  const QSignalBlocker quiet(drives_);
  drives_->setCurrentText(QStorageInfo(dir).rootPath());
  Fill({});
}

void FilePicker::SetFilter(int index) {
  if (index >= 0 && index < filter_->count()) filter_->setCurrentIndex(index);
}

std::vector<std::string> FilePicker::Selected() const {
  std::vector<std::string> paths;
  const std::string prefix = directory_ == "/" ? "/" : directory_ + "/";
  for (int i = 0; i < files_->count(); ++i)
    if (files_->item(i)->isSelected()) paths.push_back(prefix + files_->item(i)->text().toStdString());
  return paths;
}

std::vector<std::string> FilePicker::Listed() const {
  std::vector<std::string> names;
  for (int i = 0; i < files_->count(); ++i) names.push_back(files_->item(i)->text().toStdString());
  return names;
}

bool FilePicker::Select(const std::string& name) {
  const auto found = files_->findItems(QString::fromStdString(name), Qt::MatchExactly);
  if (found.isEmpty()) return false;
  files_->clearSelection();
  files_->setCurrentItem(found.front());
  found.front()->setSelected(true);
  files_->scrollToItem(found.front());
  return true;
}

void FilePicker::Refresh() {
  QStringList selected;
  for (const QListWidgetItem* item : files_->selectedItems()) selected << item->text();
  Fill(selected);
}

void FilePicker::SetMask(const QString& mask) {
  mask_ = QStringList{mask};
  Fill({});
}

bool FilePicker::ShowFile(const std::string& path) {
  const QFileInfo file(QString::fromStdString(path));
  if (!file.isFile()) return false;
  SetDirectory(file.absolutePath().toStdString());
  const std::string name = file.fileName().toStdString();
  if (Select(name)) return true;
  mask_.clear();
  SetFilter(filter_->count() - 1);  // every type list ends with all files
  Fill({});
  return Select(name);
}

std::string FilePicker::HighlightedDirectory() const {
  const QListWidgetItem* item = dirs_->currentItem();
  if (!item || !item->isSelected() || item->text() == "..") return directory_;
  return QDir(QString::fromStdString(directory_)).absoluteFilePath(item->text()).toStdString();
}

void FilePicker::Fill(const QStringList& keep_selected) {
  const QSignalBlocker quiet(files_);
  const QDir dir(QString::fromStdString(directory_));
  dirs_->clear();
  files_->clear();
  if (!dir.isRoot()) dirs_->addItem("..");
  dirs_->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name));
  const QStringList patterns = mask_.isEmpty() ? types_.value(filter_->currentIndex()).second : mask_;
  files_->addItems(dir.entryList(patterns, QDir::Files, QDir::Name));
  for (const QString& name : keep_selected)
    for (QListWidgetItem* item : files_->findItems(name, Qt::MatchExactly)) item->setSelected(true);
  if (on_selection) on_selection();
}

}  // namespace kinet::desk
