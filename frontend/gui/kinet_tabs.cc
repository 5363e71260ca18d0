#include "frontend/gui/kinet_tabs.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "frontend/core/tool_pages.h"

namespace kinet::desk {
namespace {

QFormLayout* Form(QWidget* tab) {
  auto* form = new QFormLayout(tab);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  return form;
}

FrameTab::Fields FrameFields(PackPage& p) {
  return {&p.start, &p.end, &p.frame_rate, &p.x, &p.y, &p.width, &p.height_px};
}

FrameTab::Fields FrameFields(GraphicsPage& p) {
  return {&p.start, &p.end, &p.frame_rate, &p.x, &p.y, &p.width, &p.height};
}

}  // namespace

RateBox::RateBox(const QString& list_name, const QString& field_name) {
  type_ = ChoiceBox(list_name, {"to a specific data rate.", "as a % of the average frame.",
                                "as a % of its size.", "under a total error %.", "losslessly."});
  rate_ = NumberField(field_name, 8);
  percent_ = NumberField(field_name + "perc", 3);
  percent_sign_ = new QLabel("%");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(type_);
  row->addWidget(rate_);
  row->addWidget(percent_);
  row->addWidget(percent_sign_);
  row->addStretch(1);
  connect(type_, &QComboBox::currentIndexChanged, this, [this](int type) {
    choice_.number() = (choice_.type == RateType::kDataRate ? rate_ : percent_)->text().toStdString();
    ShowType(type);
  });
  ShowType(0);
}

void RateBox::ShowType(int type) {
  choice_.type = static_cast<RateType>(type);
  rate_->setVisible(choice_.type == RateType::kDataRate);
  const bool percent = choice_.type != RateType::kDataRate && choice_.type != RateType::kLossless;
  percent_->setVisible(percent);
  percent_sign_->setVisible(percent);
  (choice_.type == RateType::kDataRate ? rate_ : percent_)
      ->setText(QString::fromStdString(choice_.number()));
}

RateChoice RateBox::value() const {
  RateChoice choice = choice_;
  if (choice.type != RateType::kLossless)
    choice.number() = (choice.type == RateType::kDataRate ? rate_ : percent_)->text().toStdString();
  return choice;
}

void RateBox::SetValue(const RateChoice& choice) {
  choice_ = choice;
  const QSignalBlocker quiet(type_);
  type_->setCurrentIndex(static_cast<int>(choice.type));
  ShowType(static_cast<int>(choice.type));
}

KinetTab::KinetTab() {
  regular_ = new RateBox("regcomptype", "regedit");
  key_ = new RateBox("keycomptype", "keyedit");
  auto_key_ = NumberField("autokey", 3);
  key_every_ = new CheckedField("kinetkey", "Use a key frame at least every:", 4);
  height_ = ChoiceBox("kinetyscale", {"None.", "Interlace.", "Double."});
  auto* layout = new QVBoxLayout(this);
  auto* regular = new QGroupBox(" Compress regular frames: ");
  (new QVBoxLayout(regular))->addWidget(regular_);
  auto* key = new QGroupBox(" Compress key frames: ");
  (new QVBoxLayout(key))->addWidget(key_);
  layout->addWidget(regular);
  layout->addWidget(key);
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  auto* auto_row = new QHBoxLayout;
  auto_row->addWidget(auto_key_);
  auto_row->addWidget(new QLabel(" %"));
  form->addRow("Auto-key frame at what % change:", auto_row);
  form->addRow(key_every_);
  form->addRow("Height compression:", height_);
  layout->addLayout(form);
  layout->addStretch(1);
}

void KinetTab::Show(const PackPage& page) {
  regular_->SetValue(page.regular);
  key_->SetValue(page.key);
  auto_key_->setText(QString::fromStdString(page.auto_key));
  key_every_->SetValue(page.key_every);
  height_->setCurrentIndex(page.height);
}

void KinetTab::Take(PackPage& page) const {
  page.regular = regular_->value();
  page.key = key_->value();
  page.auto_key = auto_key_->text().toStdString();
  page.key_every = key_every_->value();
  page.height = height_->currentIndex();
}

PaletteTab::PaletteTab(const QString& prefix) {
  name_ = new QLineEdit;
  name_->setObjectName("palname");
  QPushButton* browse = Button("browsepal", "...");
  browse->setFixedWidth(32);
  colours_ = new CheckedField(prefix + "palcol", "Total palette colors to use:", 3);
  start_ = new CheckedField(prefix + "palstart", "Starting palette index to use:", 3);
  every_ = new CheckedField(prefix + "palevery", "New palette at least every:", 5);
  halftone_ = ChoiceBox("halftone", {"When high color.", "Always.", "Never."});
  control_ = ChoiceBox("palcontrol", {"Copy existing.", "Create new.", "New when changes."});
  system_ = ChoiceBox(prefix + "wincol", {"On new palettes.", "Always.", "Never."});
  auto* form = Form(this);
  form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
  auto* name_row = new QHBoxLayout;
  name_row->addWidget(name_, 1);
  name_row->addWidget(browse);
  form->addRow("Use/Create palette from: ", name_row);
  form->addRow(colours_);
  form->addRow(start_);
  form->addRow(every_);
  form->addRow("Halftone input files?", halftone_);
  form->addRow("8-bit input palettes?", control_);
  form->addRow("Win system colors?", system_);
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString file = QFileDialog::getOpenFileName(this, "Use/Create palette from:");
    if (!file.isEmpty()) name_->setText(file);
  });
}

template <typename P>
void PaletteTab::Show(const P& page) {
  name_->setText(QString::fromStdString(page.palette_file));
  colours_->SetValue(page.colours);
  start_->SetValue(page.start_index);
  every_->SetValue(page.palette_every);
  halftone_->setCurrentIndex(page.halftone);
  control_->setCurrentIndex(page.palette_control);
  system_->setCurrentIndex(page.system_colours);
}

template <typename P>
void PaletteTab::Take(P& page) const {
  page.palette_file = name_->text().trimmed().toStdString();
  page.colours = colours_->value();
  page.start_index = start_->value();
  page.palette_every = every_->value();
  page.halftone = halftone_->currentIndex();
  page.palette_control = control_->currentIndex();
  page.system_colours = system_->currentIndex();
}

template void PaletteTab::Show(const PackPage&);
template void PaletteTab::Take(PackPage&) const;
template void PaletteTab::Show(const GraphicsPage&);
template void PaletteTab::Take(GraphicsPage&) const;

FrameTab::FrameTab(const QString& prefix, bool ring_and_skip) {
  static constexpr const char* kFields[7][2] = {
      {"start", "Starting frame:"}, {"end", "Ending frame:"}, {"frame", "Frame rate override:"},
      {"x", "X Offset:"},           {"y", "Y Offset:"},       {"w", "Width:"},
      {"h", "Height:"}};
  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(18);
  for (int i = 0; i < 7; ++i) {
    fields_[i] = new CheckedField(prefix + kFields[i][0], kFields[i][1], i == 2 ? 4 : 5, i == 2);
    grid->addWidget(fields_[i], i < 3 ? i : i - 3, i < 3 ? 0 : 1);
  }
  if (ring_and_skip) {
    grid->addWidget(ring_ = CheckBox(prefix + "ring", "Create ring?"), 3, 0);
    grid->addWidget(every_other_ = CheckBox(prefix + "every", "Skip every other?"), 4, 0);
  }
  grid->setRowStretch(5, 1);
}

void FrameTab::Show(const PackPage& page) {
  PackPage shown = page;
  Show(FrameFields(shown));
  ring_->setChecked(page.ring);
  every_other_->setChecked(page.every_other);
}

void FrameTab::Take(PackPage& page) const {
  Take(FrameFields(page));
  page.ring = ring_->isChecked();
  page.every_other = every_other_->isChecked();
}

void FrameTab::Show(const GraphicsPage& page) {
  GraphicsPage shown = page;
  Show(FrameFields(shown));
}

void FrameTab::Take(GraphicsPage& page) const { Take(FrameFields(page)); }

void FrameTab::Show(const Fields& values) {
  for (size_t i = 0; i < values.size(); ++i) fields_[i]->SetValue(*values[i]);
}

void FrameTab::Take(const Fields& values) const {
  for (size_t i = 0; i < values.size(); ++i) *values[i] = fields_[i]->value();
}

}  // namespace kinet::desk
