#include "frontend/gui/play_page.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "frontend/core/page_names.h"
#include "frontend/core/page_settings.h"
#include "frontend/gui/main_window.h"
#include "frontend/gui/page_run.h"
#include "frontend/gui/tool_tabs.h"

namespace kinet::desk {
namespace {

constexpr const char* kSection = "KinetPlay";
constexpr const char* kFilter = "Kinet files only|*.knt|All files *.*|*.*";

QFormLayout* Form(QWidget* tab) {
  auto* form = new QFormLayout(tab);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  return form;
}

}  // namespace

PlayPageForm::PlayPageForm(MainWindow& window) : window_(window) {
  picker_ = new FilePicker({" Highlight a &Kinetor file to play: ", "play", kFilter, false});
  tabs_ = new QTabWidget;
  tabs_->setObjectName("playtabs");
  tabs_->addTab(PlaybackTab(), "Playback");
  tabs_->addTab(WindowTab(), "Window");
  tabs_->addTab(ExpertTab(), "Expert");
  run_ = Button("playplay", "&Play");
  LayOutPage(this, window, {picker_}, tabs_, {run_});

  const Settings& settings = window.settings();
  Show(LoadPage<PlayPage>(settings));
  tabs_->setCurrentIndex(settings.Integer(kSection, "CurrentTab"));
  picker_->on_selection = [this] { run_->setEnabled(!picker_->Selected().empty()); };
  picker_->on_open = [this] { Run(); };
  RestorePicker(*picker_, settings, kSection, window.runner().command_dir());
  run_->setEnabled(!picker_->Selected().empty());
  connect(run_, &QPushButton::clicked, this, [this] { Run(); });
}

QWidget* PlayPageForm::PlaybackTab() {
  auto* tab = new QWidget;
  auto* layout = new QVBoxLayout(tab);
  loop_ = new CheckedField("playloop", "Loop [forever]:", 8);
  frame_rate_ = new CheckedField("playframerate", "Frame rate [fast]:", 4);
  QPushButton* perm = Button("playperm", "Perm.");
  auto* rate_row = new QHBoxLayout;
  rate_row->addWidget(frame_rate_, 1);
  rate_row->addWidget(perm);
  layout->addWidget(loop_);
  layout->addLayout(rate_row);
  auto* boxes = new QGridLayout;
  int n = 0;
  for (auto [box, name, caption] :
       {std::tuple{&preload_, "playpreload", "Preload the entire file."},
        {&summary_, "playsummary", "Show a playback summary."},
        {&no_drop_, "playnodrop", "Don't drop frames."},
        {&sound_only_, "playsoundonly", "Sound only."},
        {&frame_numbers_, "playframes", "Show frame numbers."},
        {&device_sound_, "playdirectsound", "Use DirectSound for playback?"}}) {
    *box = CheckBox(name, caption);
    boxes->addWidget(*box, n / 2, n % 2);
    ++n;
  }
  layout->addLayout(boxes);
  auto* tracks = new QGroupBox(" Sound tracks to play: ");
  auto* track_row = new QHBoxLayout(tracks);
  for (int t = 0; t < 7; ++t)
    track_row->addWidget(tracks_[t] = CheckBox(QString("playtrack%1").arg(t + 1), QString::number(t + 1)));
  layout->addWidget(tracks);
  layout->addStretch(1);
  OfferFrameRateTool(perm, window_);
  connect(perm, &QPushButton::clicked, this, [this] {
    const std::vector<std::string> selected = picker_->Selected();
    ChangeFrameRate(window_, selected.empty() ? "" : selected.front(), picker_->directory(),
                    frame_rate_->value().number);
  });
  return tab;
}

QWidget* PlayPageForm::WindowTab() {
  auto* tab = new QWidget;
  auto* form = Form(tab);
  x_ = new CheckedField("playx", "Use X Coordinate:", 5);
  y_ = new CheckedField("playy", "Use Y Coordinate:", 5);
  width_ = new CheckedField("playw", "Stretch to Width:", 5);
  height_ = new CheckedField("playh", "Stretch to Height:", 5);
  for (CheckedField* f : {x_, y_, width_, height_}) form->addRow(f);
  style_ = ChoiceBox("playstyle", {"Caption, thick border.", "Caption, thin border.",
                                   "No caption, thin border.", "No caption, thick border.",
                                   "No caption, no border."});
  display_ = ChoiceBox("playdisplay", {"Automatic", "Full Screen 320x240", "Full Screen 320x200",
                                       "Standard Windows DIBs", "CreateDIBSection or WinG"});
  resolution_ = ChoiceBox("playuse", {"Current Resolution", "640 x 400", "640 x 480", "800 x 600",
                                      "1024 x 768"});
  height_mode_ = ChoiceBox("playyscale", {"Default.", "Interlace.", "Double.", "Force no scaling."});
  form->addRow("Window style:", style_);
  form->addRow("Display:", display_);
  form->addRow("Use:", resolution_);
  form->addRow("Height scaling:", height_mode_);
  auto* boxes = new QHBoxLayout;
  boxes->addWidget(double_buffer_ = CheckBox("playdouble", "Double-buffer."));
  boxes->addWidget(no_clear_ = CheckBox("playnoclear", "Don't clear between."));
  boxes->addWidget(no_remap_ = CheckBox("playnoremap", "Don't remap palette."));
  form->addRow(boxes);
  return tab;
}

QWidget* PlayPageForm::ExpertTab() {
  auto* tab = new QWidget;
  auto* form = Form(tab);
  form->addRow(extra_read_ahead_ = CheckBox("playloadextra", "Load extra memory."));
  form->addRow(changes_only_ = CheckBox("playdeltas", "Show differences only."));
  form->addRow(keep_playing_ = CheckBox("playnopause", "Don't pause on lost focus."));
  controls_ = ChoiceBox("playcontrols",
                        {"All enabled.", "No pause.", "No skip.", "No pause, no skip.", "No quit.",
                         "No pause, no quit.", "No skip, no quit.", "No pause. no skip, no quit."});
  form->addRow("Controls:", controls_);
  simulate_ = new CheckedField("playsimulate", "Simulate bytes/sec:", 9);
  simulate_->setToolTip(
      "This is a bytes per second value, so a double-speed CD-ROM would be 300,000.");
  extra_memory_ = new CheckedField("playextramem", "Use extra memory:", 9);
  form->addRow(simulate_);
  form->addRow(extra_memory_);
  return tab;
}

PlayPageForm::Bindings PlayPageForm::Bound() const {
  return {{{&PlayPage::loop, loop_}, {&PlayPage::frame_rate, frame_rate_}, {&PlayPage::x, x_},
           {&PlayPage::y, y_}, {&PlayPage::width, width_}, {&PlayPage::height, height_},
           {&PlayPage::simulate, simulate_}, {&PlayPage::extra_memory, extra_memory_}},
          {{&PlayPage::preload, preload_}, {&PlayPage::summary, summary_},
           {&PlayPage::no_drop, no_drop_}, {&PlayPage::sound_only, sound_only_},
           {&PlayPage::double_buffer, double_buffer_}, {&PlayPage::no_clear, no_clear_},
           {&PlayPage::no_remap, no_remap_}, {&PlayPage::extra_read_ahead, extra_read_ahead_},
           {&PlayPage::changes_only, changes_only_},
           {&PlayPage::keep_playing_unfocused, keep_playing_},
           {&PlayPage::device_sound, device_sound_}, {&PlayPage::frame_numbers, frame_numbers_}},
          {{&PlayPage::window_style, style_}, {&PlayPage::display, display_},
           {&PlayPage::resolution, resolution_}, {&PlayPage::controls, controls_},
           {&PlayPage::height_mode, height_mode_}}};
}

PlayPage PlayPageForm::Values() const {
  PlayPage page;
  const Bindings bound = Bound();
  for (auto [value, field] : bound.fields) page.*value = field->value();
  for (auto [value, box] : bound.flags) page.*value = box->isChecked();
  for (auto [value, list] : bound.lists) page.*value = list->currentIndex();
  page.tracks = 0;
  for (int t = 0; t < 7; ++t) page.tracks |= tracks_[t]->isChecked() ? 1 << t : 0;
  return page;
}

void PlayPageForm::Show(const PlayPage& page) {
  const Bindings bound = Bound();
  for (auto [value, field] : bound.fields) field->SetValue(page.*value);
  for (auto [value, box] : bound.flags) box->setChecked(page.*value);
  for (auto [value, list] : bound.lists) list->setCurrentIndex(page.*value);
  for (int t = 0; t < 7; ++t) tracks_[t]->setChecked(page.tracks & (1 << t));
}

void PlayPageForm::Run() {
  const std::vector<std::string> selected = picker_->Selected();
  if (selected.empty()) return;
  const std::string& file = selected.front();
  RunAndRemember(window_, picker_->directory(),
                 PlayCommand(Values(), CommandName(file, picker_->directory())), {file}, {});
}

void PlayPageForm::Store(Settings& settings) {
  StorePage(Values(), settings);
  StorePicker(*picker_, settings, kSection);
  settings.SetInteger(kSection, "CurrentTab", tabs_->currentIndex());
}

}  // namespace kinet::desk
