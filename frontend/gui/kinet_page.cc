#include "frontend/gui/kinet_page.h"

#include <QMessageBox>
#include <QVBoxLayout>

#include "frontend/core/pack_page.h"
#include "frontend/core/page_files.h"
#include "frontend/core/page_settings.h"
#include "frontend/gui/main_window.h"
#include "frontend/gui/page_run.h"

namespace kinet::desk {
namespace {

constexpr const char* kSection = "Kinet";

}  // namespace

KinetPage::KinetPage(MainWindow& window) : window_(window) {
  picker_ = new FilePicker({" Highlight a &Flic to Kinet: ", "kinet", kGraphicsFilter, true});
  output_ = new OutputField({"kinetout", {kPackOutputTypes.begin(), kPackOutputTypes.end()}, true, true});
  tabs_ = new QTabWidget;
  tabs_->setObjectName("kinettabs");
  tabs_->addTab(kinet_ = new KinetTab, "Kinet");
  tabs_->addTab(palette_ = new PaletteTab("kinet"), "Palette");
  tabs_->addTab(frame_ = new FrameTab("kinet", true), "Frame");
  tabs_->addTab(sound_ = new SoundTab, "Sound");
  tabs_->addTab(expert_ = new ExpertTab, "Expert");
  run_ = Button("kinetkinet", "&Kinet");
  QPushButton* defaults = Button("kinetdefaults", "&Defaults");

  LayOutPage(this, window, {picker_, output_}, tabs_, {defaults, run_});

  const Settings& settings = window.settings();
  Show(LoadPage<PackPage>(settings));
  output_->Load(settings, kSection);
  tabs_->setCurrentIndex(settings.Integer(kSection, "CurrentTab"));
  ProposeFrom(*picker_, *output_, run_, [this] { return !picker_->Selected().empty(); });
  RestorePicker(*picker_, settings, kSection, window.runner().command_dir());
  run_->setEnabled(!picker_->Selected().empty());

  connect(run_, &QPushButton::clicked, this, [this] { Run(); });
  connect(defaults, &QPushButton::clicked, this, [this] { Defaults(); });
}

PackPage KinetPage::Values() const {
  PackPage page;
  kinet_->Take(page);
  palette_->Take(page);
  frame_->Take(page);
  sound_->Take(page);
  expert_->Take(page);
  page.output_type = output_->type();
  page.mix_original = output_->mix_original();
  page.overwrite = output_->overwrite();
  return page;
}

void KinetPage::Show(const PackPage& page) {
  kinet_->Show(page);
  palette_->Show(page);
  frame_->Show(page);
  sound_->Show(page);
  expert_->Show(page);
  output_->SetType(page.output_type);
  output_->SetMixOriginal(page.mix_original);
  output_->SetOverwrite(page.overwrite);
}

void KinetPage::Run() {
  const std::optional<RunInput> input = ChooseInput(window_, *picker_);
  if (!input) return;
  std::string output = output_->Path(input->directory);
  if (input->sequence) output = SequenceOutput(output, input->file);
  const std::string command =
      PackCommand(Values(), CommandNames({input->path, output}), input->directory,
                  [](const std::string& text) {
                    return WriteTemporaryText(platform::SystemFileSystem(), text);
                  });
  RunAndRemember(window_, input->directory, command, {input->path, output}, {picker_});
}

void KinetPage::Defaults() {
  if (QMessageBox::question(this, "Kinet", "Reset all options to their default values?") !=
      QMessageBox::Yes)
    return;
  Show(PackPage{});
  const std::vector<std::string> selected = picker_->Selected();
  if (!selected.empty()) output_->Propose(selected.front());
}

void KinetPage::Store(Settings& settings) {
  StorePage(Values(), settings);
  StorePicker(*picker_, settings, kSection);
  output_->Store(settings, kSection);
  settings.SetInteger(kSection, "CurrentTab", tabs_->currentIndex());
}

}  // namespace kinet::desk
