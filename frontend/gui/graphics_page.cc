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

GraphicsPageForm::GraphicsPageForm(MainWindow& window)
    : OptionPage(window, kSection, {" Highlight a &Graphics file: ", "graphics", kFilter, true},
                 {"graphicsout", {std::begin(kGraphicsOutputTypes), std::end(kGraphicsOutputTypes)},
                  false, true}) {
  tabs_->addTab(palette_ = new PaletteTab("graphics"), "Palette");
  tabs_->addTab(frame_ = new FrameTab("graphics", false), "Frame");
  run_ = Button("graphicsconvert", "&Convert");
  LayOutPage(this, window, {picker_, output_}, tabs_, {run_});

  const GraphicsPage page = LoadPage<GraphicsPage>(window.settings());
  palette_->Show(page);
  frame_->Show(page);
  output_->SetType(page.output_type);
  output_->SetOverwrite(page.overwrite);
  Restore();
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
  const std::optional<Names> names = ChooseNames();
  if (!names) return;
  RunWith(*names, GraphicsCommand(Values(), CommandNames({names->input.path, names->output}),
                                  names->input.directory));
}

void GraphicsPageForm::Store(Settings& settings) {
  StorePage(Values(), settings);
  StoreFiles(settings);
}

}  // namespace kinet::desk
