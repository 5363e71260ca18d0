#include "frontend/gui/option_page.h"

#include "frontend/core/page_names.h"
#include "frontend/gui/main_window.h"

namespace kinet::desk {

OptionPage::OptionPage(MainWindow& window, const char* section, const PickerOptions& picker,
                       const OutputOptions& output)
    : window_(window),
      section_(section),
      picker_(new FilePicker(picker)),
      output_(new OutputField(output)),
      tabs_(new QTabWidget) {
  tabs_->setObjectName(QString(picker.prefix) + "tabs");
}

void OptionPage::Restore() {
  const Settings& settings = window_.settings();
  output_->Load(settings, section_);
  tabs_->setCurrentIndex(settings.Integer(section_, "CurrentTab"));
  const auto ready = [this] { return !picker_->Selected().empty(); };
  ProposeFrom(*picker_, *output_, run_, ready);
  RestorePicker(*picker_, settings, section_, window_.runner().command_dir());
  run_->setEnabled(ready());
}

void OptionPage::StoreFiles(Settings& settings) const {
  StorePicker(*picker_, settings, section_);
  output_->Store(settings, section_);
  settings.SetInteger(section_, "CurrentTab", tabs_->currentIndex());
}

std::optional<OptionPage::Names> OptionPage::ChooseNames() {
  const std::optional<RunInput> input = ChooseInput(window_, *picker_);
  if (!input) return std::nullopt;
  std::string output = output_->Path(input->directory);
  if (input->sequence) output = SequenceOutput(output, input->file);
  return Names{*input, output};
}

void OptionPage::RunWith(const Names& names, const std::string& command) {
  RunAndRemember(window_, names.input.directory, command, {names.input.path, names.output},
                 {picker_});
}

}  // namespace kinet::desk
