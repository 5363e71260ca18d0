// What the pages with one input list and an output name share (compression, graphics and
// sound): the picker and the output field kept in the page's settings section with the tab
// in front, the output proposed from the highlighted file, and the names a run uses.
#pragma once

#include <QPushButton>
#include <QTabWidget>
#include <optional>
#include <string>

#include "frontend/gui/file_picker.h"
#include "frontend/gui/output_field.h"
#include "frontend/gui/page.h"
#include "frontend/gui/page_run.h"

namespace kinet::desk {

class MainWindow;

class OptionPage : public Page {
 public:
  void RefreshLists() override { picker_->Refresh(); }

 protected:
  // Makes the picker, the output field and the (empty) tabs, named `prefix` + "tabs".
  OptionPage(MainWindow& window, const char* section, const PickerOptions& picker,
             const OutputOptions& output);
  // Once the page has made its widgets: the picker, the output and the tab in
  // front as the settings left them; `run_` on while a file is highlighted.
  void Restore();
  // Writes what Restore reads.
  void StoreFiles(Settings& settings) const;

  // The input after the questions and the output beside it (without the frame number when
  // the input became its whole sequence); nothing when nothing may run.
  struct Names {
    RunInput input;
    std::string output;
  };
  std::optional<Names> ChooseNames();
  // Runs `command` in the input's directory and remembers both names.
  void RunWith(const Names& names, const std::string& command);

  MainWindow& window_;
  const char* section_;
  FilePicker* picker_;
  OutputField* output_;
  QTabWidget* tabs_;
  QPushButton* run_ = nullptr;
};

}  // namespace kinet::desk
