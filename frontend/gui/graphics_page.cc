#include "frontend/gui/graphics_page.h"

#include "frontend/core/page_names.h"
#include "frontend/core/page_settings.h"
#include "frontend/gui/main_window.h"
#include "frontend/gui/page_run.h"

namespace kinet::desk {
namespace {

constexpr const char* kSection = "GraphicsProcessor";
constexpr const char* kFilter =
    "Graphics files|*.avi;*.flc;*.fli;*.knt;*.tga;*.bmp;*.jpg;*.pcx;*.tif;*.gif;*.png;*.lst|Flic "
    "files only|*.flc;*.fli|BMP files only|*.bmp|List files only|*.lst|All files *.*|*.*";

}  // namespace

GraphicsPageForm::GraphicsPageForm(MainWindow& window) : window_(window) {
  picker_ = new FilePicker({" Highlight a &Graphics file: ", "graphics", kFilter, true});
  output_ = new OutputField(
      {"graphicsout", {std::begin(kGraphicsOutputTypes), std::end(kGraphicsOutputTypes)}, false, true});
  tabs_ = new QTabWidget;
  tabs_->setObjectName("graphicstabs");
  tabs_->addTab(palette_ = new PaletteTab("graphics"), "Palette");
  tabs_->addTab(frame_ = new FrameTab("graphics", false), "Frame");
  run_ = Button("graphicsconvert", "&Convert");
  LayOutPage(this, window, {picker_, output_}, tabs_, {run_});

  const Settings& settings = window.settings();
  const GraphicsPage page = LoadPage<GraphicsPage>(settings);
  palette_->Show(page);
  frame_->Show(page);
  output_->SetType(page.output_type);
  output_->SetOverwrite(page.overwrite);
  output_->Load(settings, kSection);
  tabs_->setCurrentIndex(settings.Integer(kSection, "CurrentTab"));
  ProposeFrom(*picker_, *output_, run_, [this] { return !picker_->Selected().empty(); });
  RestorePicker(*picker_, settings, kSection, window.runner().command_dir());
  run_->setEnabled(!picker_->Selected().empty());
  connect(run_, &QPushButton::clicked, this, [this] { Run(); });
}

GraphicsPage GraphicsPageForm::Values() const {
  GraphicsPage page;
  palette_->Take(page);
  frame_->Take(page);
  page.output_type = output_->type();
  page.overwrite = output_->overwrite();
  return page;
}

void GraphicsPageForm::Run() {
  const std::optional<RunInput> input = ChooseInput(window_, *picker_);
  if (!input) return;
  std::string output = output_->Path(input->directory);
  if (input->sequence) output = SequenceOutput(output, input->file);
  const std::string command =
      GraphicsCommand(Values(), CommandNames({input->path, output}), input->directory);
  RunAndRemember(window_, input->directory, command, {input->path, output}, {picker_});
}

void GraphicsPageForm::Store(Settings& settings) {
  StorePage(Values(), settings);
  StorePicker(*picker_, settings, kSection);
  output_->Store(settings, kSection);
  settings.SetInteger(kSection, "CurrentTab", tabs_->currentIndex());
}

}  // namespace kinet::desk
