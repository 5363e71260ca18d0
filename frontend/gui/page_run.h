// How an option page's run button names its files and runs its command: several highlighted
// files are offered as a new list file, a file of a numbered sequence as the whole sequence;
// the command runs in the input's directory, then the lists are read again and the input and
// output join the recent files. A picker's place is kept in its page's settings section.
#pragma once

#include <QPushButton>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "frontend/core/settings.h"
#include "frontend/gui/file_picker.h"

namespace kinet::desk {

class MainWindow;
class OutputField;

struct RunInput {
  std::string path;       // the file, or the sequence as "dir/walk???.bmp*1-12"
  std::string file;       // the highlighted file
  std::string directory;  // the input's directory, where the command runs
  bool sequence = false;
};

// The input the picker's selection stands for, after the questions; nothing when nothing may
// run (several files, a cancelled question, no file).
std::optional<RunInput> ChooseInput(MainWindow& window, FilePicker& picker);

// Runs `command` in `directory`, re-reads the pickers and adds `files` to the recent files.
void RunAndRemember(MainWindow& window, const std::string& directory, const std::string& command,
                    const std::vector<std::string>& files, std::initializer_list<FilePicker*> pickers);

// Picker, output and whatever else on the left, `right` (the tabs) beside them, the buttons
// under both. The pickers get their file menus.
void LayOutPage(QWidget* page, MainWindow& window, std::initializer_list<QWidget*> left,
                QWidget* right, std::initializer_list<QPushButton*> buttons);

// A newly highlighted file gets its output proposed; `run` is enabled while `ready` says so.
void ProposeFrom(FilePicker& picker, OutputField& output, QPushButton* run,
                 std::function<bool()> ready);

// The picker's directory, filter and highlighted file under `prefix` + "Directory", "Filter"
// and "Filename" of `section`; a picker never used starts in `fallback_dir`.
void RestorePicker(FilePicker& picker, const Settings& settings, const char* section,
                   const std::string& fallback_dir, const std::string& prefix = "");
void StorePicker(const FilePicker& picker, Settings& settings, const char* section,
                 const std::string& prefix = "");

}  // namespace kinet::desk
