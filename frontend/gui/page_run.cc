#include "frontend/gui/page_run.h"

#include <QMessageBox>
#include <QVBoxLayout>

#include "frontend/core/page_files.h"
#include "frontend/core/page_names.h"
#include "frontend/gui/file_menus.h"
#include "frontend/gui/form_widgets.h"
#include "frontend/gui/main_window.h"
#include "frontend/gui/output_field.h"

namespace kinet::desk {
namespace {

// Several files: a new list file replaces the selection when the user wants one.
void OfferListFile(MainWindow& window, FilePicker& picker, const std::vector<std::string>& selected) {
  if (window.Ask(std::string(kManySelectedQuestion)) != Answer::kYes) {
    QMessageBox::information(&window, "Kinetor", QString::fromStdString(std::string(kManySelectedRefusal)));
    return;
  }
  const std::string list = WriteListFile(platform::SystemFileSystem(), selected);
  if (list.empty()) {
    window.ShowError("Error, the list file could not be written in " + picker.directory() + ".");
    return;
  }
  picker.Refresh();
  picker.Select(BaseName(list));
  QMessageBox::information(&window, "Kinetor", QString::fromStdString(ListFileCreatedText(BaseName(list))));
}

}  // namespace

std::optional<RunInput> ChooseInput(MainWindow& window, FilePicker& picker) {
  const std::vector<std::string> selected = picker.Selected();
  if (selected.size() > 1) {
    OfferListFile(window, picker, selected);
    return std::nullopt;
  }
  if (selected.empty()) return std::nullopt;
  RunInput input{selected.front(), selected.front(), picker.directory(), false};
  if (const auto sequence = FindSequence(BaseName(input.file), picker.Listed())) {
    const Answer answer = window.Ask(sequence->question);
    if (answer == Answer::kCancel) return std::nullopt;
    if (answer == Answer::kYes) {
      input.path = (input.directory == "/" ? "/" : input.directory + "/") + sequence->input;
      input.sequence = true;
    }
  }
  return input;
}

void RunAndRemember(MainWindow& window, const std::string& directory, const std::string& command,
                    const std::vector<std::string>& files, std::initializer_list<FilePicker*> pickers) {
  window.Run(directory, command);
  for (FilePicker* picker : pickers) picker->Refresh();
  for (const std::string& file : files)
    if (!file.empty()) window.runner().recent_files.Add(file);
}

void LayOutPage(QWidget* page, MainWindow& window, std::initializer_list<QWidget*> left,
                QWidget* right, std::initializer_list<QPushButton*> buttons) {
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 6, 0, 0);
  auto* columns = new QHBoxLayout;
  auto* column = new QVBoxLayout;
  for (QWidget* w : left) {
    auto* picker = dynamic_cast<FilePicker*>(w);
    if (picker) AttachFileMenus(*picker, window);
    column->addWidget(w, picker ? 1 : 0);
  }
  columns->addLayout(column, 4);
  columns->addWidget(right, 5);
  layout->addLayout(columns, 1);
  layout->addLayout(ButtonRow(window, page, buttons));
}

void ProposeFrom(FilePicker& picker, OutputField& output, QPushButton* run,
                 std::function<bool()> ready) {
  picker.on_selection = [&picker, &output, run, ready] {
    run->setEnabled(ready());
    const std::vector<std::string> selected = picker.Selected();
    if (!selected.empty() && selected.front() != output.based_on()) output.Propose(selected.front());
  };
}

void RestorePicker(FilePicker& picker, const Settings& settings, const char* section,
                   const std::string& fallback_dir, const std::string& prefix) {
  picker.SetFilter(settings.Integer(section, prefix + "Filter"));
  const std::string directory = settings.Text(section, prefix + "Directory");
  picker.SetDirectory(directory.empty() ? fallback_dir : directory);
  picker.Select(settings.Text(section, prefix + "Filename"));
}

void StorePicker(const FilePicker& picker, Settings& settings, const char* section,
                 const std::string& prefix) {
  settings.SetInteger(section, prefix + "Filter", picker.filter());
  settings.SetText(section, prefix + "Directory", picker.directory());
  const std::vector<std::string> selected = picker.Selected();
  settings.SetText(section, prefix + "Filename", selected.empty() ? "" : BaseName(selected.front()));
}

}  // namespace kinet::desk
