#include "frontend/gui/sound_pages.h"

#include <QVBoxLayout>

#include "frontend/core/page_names.h"
#include "frontend/core/page_settings.h"
#include "frontend/gui/main_window.h"
#include "frontend/gui/page_run.h"

namespace kinet::desk {
namespace {

constexpr const char* kMixSection = "KinetMix";
constexpr const char* kSoundSection = "ToneProcessor";
constexpr const char* kVideoFilter = "Kinet files only|*.knt|All files *.*|*.*";
constexpr const char* kWaveFilter =
    "WAV files only|*.wav|Sound files|*.wav;*.raw;*.knt;*.avi;*.lst|All files *.*|*.*";

}  // namespace

MixPageForm::MixPageForm(MainWindow& window) : window_(window) {
  // The mixer reads one video file as it lies on disk: no list files or numbered series there,
  // while the sound may be either.
  video_ = new FilePicker({" Highlight a &Kinetor file to mix: ", "mixkinet", kVideoFilter, false});
  sound_ = new FilePicker({" Highlight a &WAV file to mix: ", "mixwave", kWaveFilter, true});
  output_ = new OutputField({"mixout", {"knt"}});
  tabs_ = new QTabWidget;
  tabs_->setObjectName("mixtabs");
  tabs_->addTab(mixing_ = new MixingTab, "Mixing");
  tabs_->addTab(lists_ = new SoundLists("mix"), "Output Info");
  tabs_->addTab(input_ = new InputInfoTab(true), "Input Info");
  run_ = Button("mixmix", "Mi&x");
  LayOutPage(this, window, {video_, sound_, output_}, tabs_, {run_});

  const Settings& settings = window.settings();
  const MixPage page = LoadPage<MixPage>(settings);
  mixing_->Show(page);
  lists_->Show(page.sound);
  input_->Show(page.sound);
  output_->Load(settings, kMixSection);
  tabs_->setCurrentIndex(settings.Integer(kMixSection, "CurrentTab"));
  const auto ready = [this] { return !video_->Selected().empty() && !sound_->Selected().empty(); };
  ProposeFrom(*video_, *output_, run_, ready);
  sound_->on_selection = [this, ready] { run_->setEnabled(ready()); };
  const std::string& start = window.runner().command_dir();
  RestorePicker(*video_, settings, kMixSection, start, "Kinet");
  RestorePicker(*sound_, settings, kMixSection, start, "Wave");
  run_->setEnabled(ready());
  connect(run_, &QPushButton::clicked, this, [this] { Run(); });
  OfferFrameRateTool(mixing_->perm(), window);
  mixing_->on_perm = [this] {
    const std::vector<std::string> selected = video_->Selected();
    ChangeFrameRate(window_, selected.empty() ? "" : selected.front(), video_->directory(),
                    mixing_->frame_rate());
  };
}

MixPage MixPageForm::Values() const {
  MixPage page;
  mixing_->Take(page);
  lists_->Take(page.sound);
  input_->Take(page.sound);
  return page;
}

void MixPageForm::RefreshLists() {
  video_->Refresh();
  sound_->Refresh();
}

void MixPageForm::Run() {
  const std::vector<std::string> videos = video_->Selected();
  if (videos.empty()) return;
  const std::string& video = videos.front();
  const std::optional<RunInput> sound = ChooseInput(window_, *sound_);
  if (!sound) return;
  const std::string output = output_->Path(video_->directory());
  const std::string command = MixCommand(Values(), CommandNames({video, sound->path, output}));
  RunAndRemember(window_, video_->directory(), command, {video, sound->path, output},
                 {video_, sound_});
}

void MixPageForm::Store(Settings& settings) {
  StorePage(Values(), settings);
  StorePicker(*video_, settings, kMixSection, "Kinet");
  StorePicker(*sound_, settings, kMixSection, "Wave");
  output_->Store(settings, kMixSection);
  settings.SetInteger(kMixSection, "CurrentTab", tabs_->currentIndex());
}

SoundPageForm::SoundPageForm(MainWindow& window)
    : OptionPage(window, kSoundSection,
                 {" Highlight a file containing &sound: ", "wave", kWaveFilter, true},
                 {"waveout", {"wav"}}) {
  auto* output_info = new QWidget;
  auto* output_layout = new QVBoxLayout(output_info);
  output_layout->addWidget(lists_ = new SoundLists("wave"));
  output_layout->addWidget(overwrite_ = CheckBox("waveover", "Overwrite without asking?"));
  output_layout->addStretch(1);
  tabs_->addTab(output_info, "Output Info");
  tabs_->addTab(input_ = new InputInfoTab(false), "Input Info");
  run_ = Button("waveconvert", "&Convert");
  LayOutPage(this, window, {picker_, output_}, tabs_, {run_});

  const SoundConversion page = LoadPage<SoundConversion>(window.settings());
  lists_->Show(page);
  overwrite_->setChecked(page.overwrite);
  input_->Show(page);
  Restore();
  connect(run_, &QPushButton::clicked, this, [this] { Run(); });
}

SoundConversion SoundPageForm::Values() const {
  SoundConversion page;
  lists_->Take(page);
  page.overwrite = overwrite_->isChecked();
  input_->Take(page);
  return page;
}

void SoundPageForm::Run() {
  const std::optional<Names> names = ChooseNames();
  if (!names) return;
  RunWith(*names, SoundCommand(Values(), CommandNames({names->input.path, names->output})));
}

void SoundPageForm::Store(Settings& settings) {
  StorePage(Values(), settings);
  StoreFiles(settings);
}

}  // namespace kinet::desk
