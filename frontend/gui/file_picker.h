// The file picker of the option pages: a file list (several files may be selected) with the
// filter box under it, and the directory list with the drive box (the mounted volumes) beside
// it, in one group box captioned as the page asks.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <functional>
#include <string>
#include <vector>

namespace kinet::desk {

// "Label|patterns|Label|patterns" into (label, name patterns) pairs; "*.*" means every file.
QList<QPair<QString, QStringList>> FilterTypes(const QString& filter);

struct PickerOptions {
  const char* caption;   // " Highlight a &Flic to Kinet: "
  const char* prefix;    // object names: prefix + "drive", "dir", "file", "filter"
  const char* filter;    // as FilterTypes reads it
  bool several = false;  // several files may be selected
};

class FilePicker : public QGroupBox {
 public:
  explicit FilePicker(const PickerOptions& options, QWidget* parent = nullptr);

  // Shows `path` (the home directory when it is no directory).
  void SetDirectory(const std::string& path);
  const std::string& directory() const { return directory_; }
  void SetFilter(int index);
  int filter() const { return filter_->currentIndex(); }

  // The selected files as full paths, in list order.
  std::vector<std::string> Selected() const;
  // The names the file list shows.
  std::vector<std::string> Listed() const;
  // Selects `name` (a name of the directory) alone; false when it is not listed.
  bool Select(const std::string& name);
  // Reads the directory again, keeping the selection.
  void Refresh();
  // Lists only the files matching `mask` ("walk*.bmp") until another type is chosen.
  void SetMask(const QString& mask);
  // Shows the directory of `path` and selects the file alone, listing every type when the
  // chosen one hides it; false when it is not there.
  bool ShowFile(const std::string& path);
  // The directory highlighted in the directory list ("..": none), else the one shown.
  std::string HighlightedDirectory() const;

  // The lists, for the menus over them.
  QListWidget* file_list() const { return files_; }
  QListWidget* dir_list() const { return dirs_; }
  QComboBox* drive_box() const { return drives_; }

  std::function<void()> on_selection;  // the selection changed
  std::function<void()> on_open;       // a file was double-clicked or Enter pressed

 private:
  void Fill(const QStringList& keep_selected);

  QList<QPair<QString, QStringList>> types_;
  std::string directory_;
  QStringList mask_;  // set by SetMask: what the list shows instead of the type's patterns
  QListWidget *files_, *dirs_;
  QComboBox *filter_, *drives_;
  QLabel* path_;
};

}  // namespace kinet::desk
