#include "frontend/gui/output_field.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QMenu>

#include "frontend/core/page_names.h"

namespace kinet::desk {

OutputField::OutputField(const OutputOptions& options, QWidget* parent)
    : QGroupBox(" &Enter the output file name:", parent), options_(options) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(6, 4, 6, 4);
  name_ = new QLineEdit;
  name_->setObjectName(options.name);
  row->addWidget(name_, 1);
  connect(name_, &QLineEdit::textEdited, this, [this] { typed_ = true; });
  if (options.types.size() < 2 && !options.mix_original && !options.overwrite) return;

  type_button_ = new QPushButton("&Type");
  type_button_->setObjectName("outtype");
  auto* menu = new QMenu(type_button_);
  auto* group = new QActionGroup(menu);
  for (size_t i = 0; i < options.types.size(); ++i) {
    QAction* action = menu->addAction(QString(options.types[i]).toUpper());
    action->setCheckable(true);
    group->addAction(action);
    type_actions_.push_back(action);
    connect(action, &QAction::triggered, this, [this, i] {
      SetType(static_cast<int>(i));
      typed_ = false;
      if (!input_.empty()) Propose(input_);
      if (on_type) on_type();
    });
  }
  menu->addSeparator();
  if (options.mix_original) (mix_ = menu->addAction("Mix original into output?"))->setCheckable(true);
  if (options.overwrite) (overwrite_ = menu->addAction("Overwrite without asking?"))->setCheckable(true);
  type_button_->setMenu(menu);
  row->addWidget(type_button_);
  SetType(0);
}

std::string OutputField::Path(const std::string& input_dir) const {
  return OutputPath(shown(), input_dir);
}

void OutputField::Load(const Settings& settings, std::string_view section) {
  name_->setText(QString::fromStdString(settings.Text(section, "OutputName")));
  based_on_ = settings.Text(section, "OutputBasedOn");
}

void OutputField::Store(Settings& settings, std::string_view section) const {
  settings.SetText(section, "OutputName", shown());
  settings.SetText(section, "OutputBasedOn", based_on_);
}

std::string OutputField::Extension() const {
  const std::string extension = options_.types.empty() ? "" : options_.types[type_];
  const std::string name = shown();
  const size_t dot = name.rfind('.');
  if (typed_ && dot != std::string::npos && dot > name.rfind('/') + 1)
    return name.substr(dot + 1);
  return extension;
}

void OutputField::Propose(const std::string& input) {
  input_ = input;
  const std::string previous = based_on_.empty() ? "" : Path(DirectoryOf(based_on_));
  name_->setText(QString::fromStdString(ProposeOutput(input, Extension(), previous, based_on_)));
  based_on_ = input;
}

void OutputField::SetType(int index) {
  if (index < 0 || index >= static_cast<int>(options_.types.size())) index = 0;
  type_ = index;
  if (index < static_cast<int>(type_actions_.size())) type_actions_[index]->setChecked(true);
  if (mix_) mix_->setEnabled(index != 0);
}

void OutputField::SetMixOriginal(bool on) {
  if (mix_) mix_->setChecked(on);
}

void OutputField::SetOverwrite(bool on) {
  if (overwrite_) overwrite_->setChecked(on);
}

}  // namespace kinet::desk
