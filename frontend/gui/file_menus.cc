#include "frontend/gui/file_menus.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "frontend/core/list_operations.h"
#include "frontend/core/page_files.h"
#include "frontend/core/page_names.h"
#include "frontend/gui/dialogs.h"
#include "frontend/gui/find_window.h"
#include "frontend/gui/main_window.h"

namespace kinet::desk {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

// The menu items of one list: shown by the right button, their keys work while it has focus.
void AddItem(QWidget* list, const char* caption, const QKeySequence& key, std::function<void()> act) {
  auto* action = new QAction(caption, list);
  action->setShortcut(key);
  action->setShortcutContext(Qt::WidgetShortcut);
  QObject::connect(action, &QAction::triggered, list, std::move(act));
  list->addAction(action);
}

void GiveMenu(QWidget* list) {
  list->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(list, &QWidget::customContextMenuRequested, list, [list](const QPoint& at) {
    QMenu menu;
    menu.addActions(list->actions());
    menu.exec(list->mapToGlobal(at));
  });
}

// The "Change File Attributes" window: read-only can change here; a name beginning with a dot
// is what hidden means, and there is no archive or system attribute.
std::optional<bool> AskReadOnly(QWidget* parent, const std::string& file) {
  QDialog dialog(parent);
  dialog.setWindowTitle("Change File Attributes");
  auto* layout = new QVBoxLayout(&dialog);
  const QFileInfo info(Q(file));
  auto* read_only = new QCheckBox("&Read only");
  read_only->setObjectName("attrreadonly");
  read_only->setChecked(!info.isWritable());
  auto* hidden = new QCheckBox("&Hidden");
  hidden->setChecked(info.isHidden());
  hidden->setToolTip("A name beginning with a dot is hidden.");
  auto* archive = new QCheckBox("&Archive");
  auto* system = new QCheckBox("&System");
  for (QCheckBox* box : {archive, system}) box->setToolTip("Files have no such attribute here.");
  layout->addWidget(new QLabel(info.fileName()));
  for (QCheckBox* box : {read_only, hidden, archive, system}) layout->addWidget(box);
  for (QCheckBox* box : {hidden, archive, system}) box->setEnabled(false);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  if (dialog.exec() != QDialog::Accepted || read_only->isChecked() == !info.isWritable())
    return std::nullopt;
  return read_only->isChecked();
}

// Lives as long as the picker whose lists it serves.
class FileMenus : public QObject {
 public:
  FileMenus(FilePicker& picker, MainWindow& window)
      : QObject(&picker), picker_(picker), window_(window) {}

  void Attach();

 private:
  std::string Name(const std::string& path) const { return CommandName(path, picker_.directory()); }
  void Run(const std::string& command) {
    window_.Run(picker_.directory(), command);
    picker_.Refresh();
  }
  // The one highlighted file, or nothing after the error box.
  std::optional<std::string> OneFile(bool only_one);
  void Info(const std::string& text) { QMessageBox::information(&window_, "Kinetor", Q(text)); }

  void CopyOrRename(bool rename);
  void Attributes();
  void CreateList();
  void SwitchToFile();
  void FindFile();
  void RecentFile();
  void MakeDirectory();
  void RenameDirectory();
  void RemoveDirectory();
  void SwitchToDirectory();
  void RecentDirectory();

  FilePicker& picker_;
  MainWindow& window_;
};

std::optional<std::string> FileMenus::OneFile(bool only_one) {
  const std::vector<std::string> selected = picker_.Selected();
  if (selected.empty()) {
    window_.ShowError(std::string(kHighlightAFile));
    return std::nullopt;
  }
  if (only_one && selected.size() > 1) {
    window_.ShowError(std::string(kOneFileAtATime));
    return std::nullopt;
  }
  return selected.front();
}

void FileMenus::CopyOrRename(bool rename) {
  const std::optional<std::string> file = OneFile(true);
  if (!file) return;
  const OutputRequest request{rename ? "Rename or Move a File" : "Copy a File",
                              rename ? "&Rename" : "C&opy", Q(picker_.directory()),
                              QFileInfo(Q(*file)).fileName(), "All files (*.*)|*.*",
                              rename ? OutputMode::kAcceptExisting : OutputMode::kAskOverwrite};
  const QString target = ChooseOutputFile(&window_, request);
  if (target.isEmpty()) return;
  Run(std::string(rename ? "Ren " : "Copy ") + Name(*file) + " " + Name(S(target)));
}

void FileMenus::Attributes() {
  const std::optional<std::string> file = OneFile(false);
  if (!file) return;
  if (const std::optional<bool> read_only = AskReadOnly(&window_, *file))
    Run(std::string("Attr ") + (*read_only ? "+r " : "-r ") + Name(*file));
}

void FileMenus::CreateList() {
  const std::vector<std::string> selected = picker_.Selected();
  if (selected.empty()) return window_.ShowError(std::string(kHighlightAFile));
  const std::string list = WriteListFile(platform::SystemFileSystem(), selected);
  if (list.empty())
    return window_.ShowError("Error, the list file could not be written in " + picker_.directory() + ".");
  Run("ListEdit " + Name(list));
  picker_.Select(S(QFileInfo(Q(list)).fileName()));
}

void FileMenus::SwitchToFile() {
  const auto name = AskText(&window_, "Enter a File Name:", "Switch to file:", "&Switch");
  if (!name || name->trimmed().isEmpty()) return;
  const QFileInfo file(QDir(Q(picker_.directory())), name->trimmed());
  if (file.fileName().contains('*') || file.fileName().contains('?')) {
    picker_.SetDirectory(S(file.absolutePath()));
    picker_.SetMask(file.fileName());
  } else if (!picker_.ShowFile(S(file.absoluteFilePath()))) {
    window_.ShowError("Error, there is no file " + S(file.absoluteFilePath()) + ".");
  }
}

void FileMenus::FindFile() {
  const auto name = AskText(&window_, "Find a File Name:", "Find what file:", "&Find");
  if (!name || name->trimmed().isEmpty()) return;
  const std::string chosen =
      FindAndChoose(&window_, S(QDir(Q(picker_.directory())).absoluteFilePath(name->trimmed())));
  if (!chosen.empty()) picker_.ShowFile(chosen);
}

void FileMenus::RecentFile() {
  QStringList entries;
  for (const std::string& file : window_.runner().recent_files.entries()) entries << Q(file);
  if (const auto chosen = ChooseFromList(&window_, "List of Recent Files:",
                                         " Select a recently used file: ", entries))
    if (!picker_.ShowFile(S(*chosen))) window_.ShowError("Error, there is no file " + S(*chosen) + ".");
}

void FileMenus::MakeDirectory() {
  const auto name = AskText(&window_, "Make New Directory:",
                            Q("Make in " + picker_.directory() + ":"), "&Make Dir.");
  if (!name || name->trimmed().isEmpty()) return;
  Run("MD " + Name(S(QDir(Q(picker_.directory())).absoluteFilePath(name->trimmed()))));
}

// The directory menus act on the highlighted directory, or the one shown, from its parent.
void FileMenus::RenameDirectory() {
  const std::string dir = picker_.HighlightedDirectory();
  if (dir == "/") return window_.ShowError(std::string(kRootNotRenamed));
  const QFileInfo old(Q(dir));
  const auto name = AskText(&window_, "Rename Directory To:", Q("Rename " + dir + " to:"),
                            "&Rename", old.fileName());
  if (!name || name->trimmed().isEmpty()) return;
  const std::string parent = S(old.absolutePath());
  const std::string target = S(QDir(Q(parent)).absoluteFilePath(name->trimmed()));
  window_.Run(parent, "Ren " + CommandName(dir, parent) + " " + CommandName(target, parent));
  if (dir == picker_.directory() && QFileInfo(Q(target)).isDir())
    picker_.SetDirectory(target);
  else
    picker_.Refresh();
}

void FileMenus::RemoveDirectory() {
  const std::string dir = picker_.HighlightedDirectory();
  if (dir == "/") return window_.ShowError(std::string(kRootNotRemoved));
  if (window_.Ask("Remove directory " + dir + " ?") != Answer::kYes) return;
  const std::string parent = S(QFileInfo(Q(dir)).absolutePath());
  window_.Run(parent, "RD " + CommandName(dir, parent));
  if (dir == picker_.directory() && !QFileInfo(Q(dir)).isDir())
    picker_.SetDirectory(parent);
  else
    picker_.Refresh();
}

void FileMenus::SwitchToDirectory() {
  const auto name = AskText(&window_, "Enter a Directory Name:", "Switch to directory:", "&Switch");
  if (!name || name->trimmed().isEmpty()) return;
  const QFileInfo dir(QDir(Q(picker_.directory())), name->trimmed());
  if (!dir.isDir()) return window_.ShowError("Error, there is no directory " + S(dir.absoluteFilePath()) + ".");
  picker_.SetDirectory(S(dir.absoluteFilePath()));
}

void FileMenus::RecentDirectory() {
  QStringList entries;
  for (const std::string& dir : window_.runner().recent_dirs.entries()) entries << Q(dir);
  const auto chosen = ChooseFromList(&window_, "List of Recent Directories:",
                                     " Select a recently used directory: ", entries);
  if (!chosen) return;
  if (!QFileInfo(*chosen).isDir()) return window_.ShowError("Error, there is no directory " + S(*chosen) + ".");
  picker_.SetDirectory(S(*chosen));
  window_.runner().recent_dirs.Add(picker_.directory());
}

void FileMenus::Attach() {
  QListWidget* files = picker_.file_list();
  const auto view = [this] {
    if (const std::optional<std::string> file = OneFile(false)) window_.ViewFile(picker_.directory(), *file);
  };
  AddItem(files, "&View", QKeySequence("Ctrl+V"), view);
  AddItem(files, "&Copy", QKeySequence("Ctrl+C"), [this] { CopyOrRename(false); });
  AddItem(files, "R&ename/Move", QKeySequence("Ctrl+E"), [this] { CopyOrRename(true); });
  AddItem(files, "&Delete", QKeySequence(Qt::Key_Delete), [this] {
    if (const std::optional<std::string> file = OneFile(false)) Run("Del " + Name(*file));
  });
  AddItem(files, "&Attributes", QKeySequence("Ctrl+A"), [this] { Attributes(); });
  AddItem(files, "P&roperties", QKeySequence("Ctrl+R"), [this] {
    if (const std::optional<std::string> file = OneFile(false)) Run("KntInfoW " + Name(*file));
  });
  AddItem(files, "Create a &list file", QKeySequence("Ctrl+L"), [this] { CreateList(); });
  AddItem(files, "&Switch to a specific file", QKeySequence("Ctrl+S"), [this] { SwitchToFile(); });
  AddItem(files, "&Find a file", QKeySequence("Ctrl+F"), [this] { FindFile(); });
  AddItem(files, "Recen&t files", QKeySequence("Ctrl+T"), [this] { RecentFile(); });
  GiveMenu(files);
  picker_.on_open = view;

  QListWidget* dirs = picker_.dir_list();
  AddItem(dirs, "&Make new...", QKeySequence("Ctrl+M"), [this] { MakeDirectory(); });
  AddItem(dirs, "R&ename", QKeySequence("Ctrl+E"), [this] { RenameDirectory(); });
  AddItem(dirs, "&Delete", QKeySequence(Qt::Key_Delete), [this] { RemoveDirectory(); });
  AddItem(dirs, "P&roperties", QKeySequence("Ctrl+R"),
          [this] { Info(DirectorySummary(picker_.HighlightedDirectory())); });
  AddItem(dirs, "&Switch to a specific directory", QKeySequence("Ctrl+S"),
          [this] { SwitchToDirectory(); });
  AddItem(dirs, "Recen&t directories", QKeySequence("Ctrl+T"), [this] { RecentDirectory(); });
  GiveMenu(dirs);

  QComboBox* drives = picker_.drive_box();
  AddItem(drives, "P&roperties", QKeySequence("Ctrl+R"),
          [this] { Info(DriveSummary(S(QStorageInfo(Q(picker_.directory())).rootPath()))); });
  GiveMenu(drives);
}

}  // namespace

void AttachFileMenus(FilePicker& picker, MainWindow& window) {
  (new FileMenus(picker, window))->Attach();
}

}  // namespace kinet::desk
