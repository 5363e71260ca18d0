// The graphics page (Tmkflicform, caption "Graphics Processor"): a graphics input converted by
// pixworkw into a flic or pictures of the type chosen in the "&Type" menu.
#pragma once

#include "frontend/gui/kinet_tabs.h"
#include "frontend/gui/option_page.h"

namespace kinet::desk {

class MainWindow;

class GraphicsPageForm : public OptionPage {
 public:
  explicit GraphicsPageForm(MainWindow& window);
  void Store(Settings& settings) override;
  GraphicsPage Values() const;
  void Run();

 private:
  PaletteTab* palette_;
  FrameTab* frame_;
};

}  // namespace kinet::desk
