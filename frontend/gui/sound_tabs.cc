// The compression page's Sound and Expert tabs and the sound lists the mix and sound pages
// share with it.
#include <QFontDatabase>
#include <QFormLayout>
#include <QVBoxLayout>

#include "frontend/core/tool_pages.h"
#include "frontend/gui/kinet_tabs.h"
#include "frontend/gui/tool_tabs.h"

namespace kinet::desk {

SoundLists::SoundLists(const QString& prefix) {
  rate_ = ChoiceBox(prefix + "rate", {"Copy the input playback rate.", "Output as 11,025 hz.",
                                      "Output as 22,050 hz.", "Output as 44,100 hz.",
                                      "Let me enter a specific rate."});
  typed_rate_ = NumberField(prefix + "ratenum", 6);
  bits_ = ChoiceBox(prefix + "bits", {"Copy the input sound quality.", "Output as 8 bit sound.",
                                      "Output as 16 bit sound."});
  channels_ = ChoiceBox(prefix + "channels", {"Copy the input sound channels.",
                                              "Output as mono sound.", "Output as stereo sound."});
  auto* form = new QFormLayout(this);
  form->setContentsMargins(0, 0, 0, 0);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  auto* rate_row = new QHBoxLayout;
  rate_row->addWidget(rate_);
  rate_row->addWidget(typed_rate_);
  form->addRow("Playback rate:", rate_row);
  form->addRow("Sound quality:", bits_);
  form->addRow("Channels:", channels_);
  connect(rate_, &QComboBox::currentIndexChanged, this,
          [this](int item) { typed_rate_->setEnabled(item == 4); });
  typed_rate_->setEnabled(false);
}

template <typename P>
void SoundLists::Show(const P& page) {
  rate_->setCurrentIndex(page.rate);
  typed_rate_->setText(QString::fromStdString(page.typed_rate));
  bits_->setCurrentIndex(page.bits);
  channels_->setCurrentIndex(page.channels);
}

template <typename P>
void SoundLists::Take(P& page) const {
  page.rate = rate_->currentIndex();
  page.typed_rate = typed_rate_->text().toStdString();
  page.bits = bits_->currentIndex();
  page.channels = channels_->currentIndex();
}

template void SoundLists::Show(const PackPage&);
template void SoundLists::Take(PackPage&) const;
template void SoundLists::Show(const SoundConversion&);
template void SoundLists::Take(SoundConversion&) const;

SoundTab::SoundTab() {
  no_sound_ = CheckBox("dosound", "Don't process the sound in the input file.");
  lossy_label_ = new QLabel;
  lossy_ = LossySlider("mixlossy", lossy_label_);
  lists_ = new SoundLists("mix");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(no_sound_);
  auto* lossy_row = new QHBoxLayout;
  lossy_row->addWidget(lossy_label_);
  lossy_row->addWidget(lossy_, 1);
  layout->addLayout(lossy_row);
  layout->addWidget(lists_);
  layout->addStretch(1);
  connect(no_sound_, &QCheckBox::toggled, this, [this] { Enable(); });
}

void SoundTab::Enable() {
  const bool on = !no_sound_->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(lossy_label_), static_cast<QWidget*>(lossy_),
                     static_cast<QWidget*>(lists_)})
    w->setEnabled(on);
}

void SoundTab::Show(const PackPage& page) {
  no_sound_->setChecked(page.no_sound);
  lossy_->setValue(page.lossy);
  lists_->Show(page);
  Enable();
}

void SoundTab::Take(PackPage& page) const {
  page.no_sound = no_sound_->isChecked();
  page.lossy = lossy_->value();
  lists_->Take(page);
}

ExpertTab::ExpertTab() {
  auto* layout = new QVBoxLayout(this);
  // The example's blanks do not break, so the line never wraps inside it.
  const QString example = QString("\"50 60 300000 0\"").replace(' ', QChar::Nbsp);
  auto* explain = new QLabel(
      "Enter your specific frame compression choices in the window below, separated by spaces.  "
      "For example, if you wanted to compress frames 50 to 60 at 300 kps, then enter " +
      example + ".");
  explain->setWordWrap(true);
  layout->addWidget(explain);
  text_ = new QPlainTextEdit;
  text_->setObjectName("kinetframeinfo");
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* headings = new QLabel(QString("Start").leftJustified(7) + QString("End").leftJustified(7) +
                              QString("Data Rate").leftJustified(11) + "Key?");
  headings->setFont(text_->font());
  headings->setIndent(text_->frameWidth() + static_cast<int>(text_->document()->documentMargin()));
  layout->addWidget(headings);
  layout->addWidget(text_, 1);
}

}  // namespace kinet::desk
