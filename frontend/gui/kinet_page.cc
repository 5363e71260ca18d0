#include "frontend/gui/kinet_page.h"

#include <QMessageBox>

#include "frontend/core/pack_page.h"
#include "frontend/core/page_files.h"
#include "frontend/core/page_settings.h"
#include "frontend/gui/main_window.h"
#include "frontend/gui/page_run.h"

namespace kinet::desk {
namespace {

constexpr const char* kSection = "Kinet";

}  // namespace

KinetPage::KinetPage(MainWindow& window)
    : OptionPage(window, kSection, {" Highlight a &Flic to Kinet: ", "kinet", kGraphicsFilter, true},
                 {"kinetout", {kPackOutputTypes.begin(), kPackOutputTypes.end()}, true, true}) {
  tabs_->addTab(kinet_ = new KinetTab, "Kinet");
  tabs_->addTab(palette_ = new PaletteTab("kinet"), "Palette");
  tabs_->addTab(frame_ = new FrameTab("kinet", true), "Frame");
  tabs_->addTab(sound_ = new SoundTab, "Sound");
  tabs_->addTab(expert_ = new ExpertTab, "Expert");
  run_ = Button("kinetkinet", "&Kinet");
  QPushButton* defaults = Button("kinetdefaults", "&Defaults");

  LayOutPage(this, window, {picker_, output_}, tabs_, {defaults, run_});

  Show(LoadPage<PackPage>(window.settings()));
  Restore();

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
  const std::optional<Names> names = ChooseNames();
  if (!names) return;
  RunWith(*names, PackCommand(Values(), CommandNames({names->input.path, names->output}),
                              names->input.directory, [](const std::string& text) {
                                return WriteTemporaryText(platform::SystemFileSystem(), text);
                              }));
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
  StoreFiles(settings);
}

}  // namespace kinet::desk
