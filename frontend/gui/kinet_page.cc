#include "frontend/gui/kinet_page.h"

#include <QMessageBox>
#include <QVBoxLayout>

#include "frontend/core/page_files.h"
#include "frontend/core/page_settings.h"
#include "frontend/gui/main_window.h"
#include "frontend/gui/page_run.h"

namespace kinet::desk {
namespace {

constexpr const char* kSection = "Kinet";
constexpr const char* kFilter =
    "Graphics files|*.avi;*.flc;*.fli;*.knt;*.tga;*.bmp;*.jpg;*.pcx;*.tif;*.gif;*.lst|AVI files "
    "only|*.avi|Flic files only|*.flc;*.fli|Kinet files only|*.knt|TGA files only|*.tga|BMP files "
    "only|*.bmp|JPG files only|*.jpg|PCX files only|*.pcx|TIF files only|*.tif|GIF files "
    "only|*.gif|List files only|*.lst|WAV files only|*.wav|All files *.*|*.*";

}  // namespace

KinetPage::KinetPage(MainWindow& window) : window_(window) {
  picker_ = new FilePicker({" Highlight a &Flic to Kinet: ", "kinet", kFilter, true});
  output_ = new OutputField({"kinetout", {kPackOutputTypes.begin(), kPackOutputTypes.end()}, true, true});
  tabs_ = new QTabWidget;
  tabs_->setObjectName("kinettabs");
  tabs_->addTab(kinet_ = new KinetTab, "Kinet");
  tabs_->addTab(palette_ = new PaletteTab("kinet"), "Palette");
  tabs_->addTab(frame_ = new FrameTab, "Frame");
  tabs_->addTab(sound_ = new SoundTab, "Sound");
  tabs_->addTab(expert_ = new ExpertTab, "Expert");
  run_ = Button("kinetkinet", "&Kinet");
  QPushButton* defaults = Button("kinetdefaults", "&Defaults");

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 6, 0, 0);
  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(picker_, 1);
  left->addWidget(output_);
  columns->addLayout(left, 4);
  columns->addWidget(tabs_, 5);
  layout->addLayout(columns, 1);
  layout->addLayout(ButtonRow(window, this, {defaults, run_}));

  const Settings& settings = window.settings();
  Show(LoadPage<PackPage>(settings));
  output_->Restore(settings.Text(kSection, "OutputName"), settings.Text(kSection, "OutputBasedOn"));
  tabs_->setCurrentIndex(settings.Integer(kSection, "CurrentTab"));
  picker_->on_selection = [this] { Selected(); };
  RestorePicker(*picker_, settings, kSection, window.runner().command_dir());
  Selected();

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

// A newly highlighted file gets its output proposed.
void KinetPage::Selected() {
  const std::vector<std::string> selected = picker_->Selected();
  run_->setEnabled(!selected.empty());
  if (selected.empty() || selected.front() == selected_) return;
  selected_ = selected.front();
  if (selected_ != output_->based_on()) output_->Propose(selected_);
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
  if (!selected_.empty()) output_->Propose(selected_);
}

void KinetPage::Store(Settings& settings) {
  StorePage(Values(), settings);
  StorePicker(*picker_, settings, kSection);
  settings.SetText(kSection, "OutputName", output_->shown());
  settings.SetText(kSection, "OutputBasedOn", output_->based_on());
  settings.SetInteger(kSection, "CurrentTab", tabs_->currentIndex());
}

}  // namespace kinet::desk
