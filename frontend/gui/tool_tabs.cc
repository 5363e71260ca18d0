#include "frontend/gui/tool_tabs.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "frontend/core/page_names.h"
#include "frontend/gui/main_window.h"

namespace kinet::desk {

QSlider* LossySlider(const QString& name, QLabel* label) {
  auto* slider = new QSlider(Qt::Horizontal);
  slider->setObjectName(name);
  slider->setRange(0, 9);
  slider->setPageStep(1);
  slider->setTickPosition(QSlider::TicksBelow);
  QObject::connect(slider, &QSlider::valueChanged, label,
                   [label](int position) { label->setText(QString("Lossy (%1):").arg(position)); });
  label->setText("Lossy (0):");
  return slider;
}

InputInfoTab::InputInfoTab(bool data_type) {
  type_ = ChoiceBox("inputtype", {"Use the default input type.", "Force to 8 bit, mono.",
                                  "Force to 8 bit, stereo.", "Force to 16 bit, mono.",
                                  "Force to 16 bit, stereo."});
  if (data_type) type_->addItem("Input file contains non-sound data.");
  forced_rate_ = NumberField("forcerate", 6);
  skip_bytes_ = NumberField("skipbytes", 10);
  track_ = new CheckedField("mixintrack", "Convert a specific track:", 1);
  start_ = new CheckedField("mixstartm", "Starting time (milliseconds):", 9);
  end_ = new CheckedField("mixendm", "Ending time (milliseconds):", 9);
  auto* form = new QFormLayout(this);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->addRow("Input sound file type:", type_);
  form->addRow("Forced input data rate:", forced_rate_);
  form->addRow("Skip into input  (bytes):", skip_bytes_);
  form->addRow(track_);
  form->addRow(start_);
  form->addRow(end_);
}

void InputInfoTab::Show(const SoundConversion& page) {
  type_->setCurrentIndex(page.input.type < type_->count() ? page.input.type : 0);
  forced_rate_->setText(QString::fromStdString(page.input.forced_rate));
  skip_bytes_->setText(QString::fromStdString(page.input.skip_bytes));
  track_->SetValue(page.track);
  start_->SetValue(page.start_ms);
  end_->SetValue(page.end_ms);
}

void InputInfoTab::Take(SoundConversion& page) const {
  page.input = {type_->currentIndex(), forced_rate_->text().toStdString(),
                skip_bytes_->text().toStdString()};
  page.track = track_->value();
  page.start_ms = start_->value();
  page.end_ms = end_->value();
}

MixingTab::MixingTab() {
  track_ = ChoiceBox("mixtrack", {"Track 1", "Track 2", "Track 3", "Track 4", "Track 5",
                                  "Track 6", "Track 7"});
  lossy_label_ = new QLabel;
  lossy_ = LossySlider("mixlossy", lossy_label_);
  lossy_->setMinimumWidth(lossy_->fontMetrics().horizontalAdvance("Frame to begin mixing at:"));
  frame_rate_ = new CheckedField("mixframerate", "Frame rate:", 4);
  perm_ = Button("mixperm", "Perm.");
  start_ = new CheckedField("mixstart", "Frame to begin mixing at:", 6);
  loop_ = CheckBox("mixloop", "Loop sound?");
  overwrite_ = CheckBox("mixover", "Overwrite without asking?");
  auto* form = new QFormLayout(this);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->addRow("Mix data into:", track_);
  form->addRow(lossy_label_, lossy_);
  auto* rate_row = new QHBoxLayout;
  rate_row->addWidget(frame_rate_, 1);
  rate_row->addWidget(perm_);
  form->addRow(rate_row);
  form->addRow(start_);
  form->addRow(loop_);
  form->addRow(overwrite_);
  connect(perm_, &QPushButton::clicked, this, [this] {
    if (on_perm) on_perm();
  });
}

void MixingTab::Show(const MixPage& page) {
  track_->setCurrentIndex(page.track - 1);
  lossy_->setValue(page.lossy);
  frame_rate_->SetValue(page.frame_rate);
  start_->SetValue(page.start_frame);
  loop_->setChecked(page.loop);
  overwrite_->setChecked(page.sound.overwrite);
}

void MixingTab::Take(MixPage& page) const {
  page.track = track_->currentIndex() + 1;
  page.lossy = lossy_->value();
  page.frame_rate = frame_rate_->value();
  page.start_frame = start_->value();
  page.loop = loop_->isChecked();
  page.sound.overwrite = overwrite_->isChecked();
}

void OfferFrameRateTool(QPushButton* button, MainWindow& window, const char* purpose) {
  const bool installed = window.runner().HasTool("KinetFR");
  button->setEnabled(installed);
  button->setToolTip(installed ? QString(purpose)
                               : QString::fromStdString("The frame-rate tool kinetfrw is not installed in " +
                                                      window.runner().program_dir() + "."));
}

void ChangeFrameRate(MainWindow& window, const std::string& file, const std::string& directory,
                     const std::string& rate) {
  const PageCommand perm = FrameRateCommand(file.empty() ? "" : CommandName(file, directory), rate);
  if (!perm.error.empty()) {
    window.ShowError(perm.error);
    return;
  }
  if (window.Ask(std::string(kPermQuestion)) == Answer::kYes) window.Run(directory, perm.command);
}

}  // namespace kinet::desk
