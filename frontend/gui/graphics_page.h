// The graphics page (Tmkflicform, caption "Graphics Processor"): a graphics input converted by
// pixworkw into a flic or pictures of the type chosen in the "&Type" menu.
#pragma once

#include <QTabWidget>

#include "frontend/gui/file_picker.h"
#include "frontend/gui/kinet_tabs.h"
#include "frontend/gui/output_field.h"
#include "frontend/gui/page.h"

namespace kinet::desk {

class MainWindow;

class GraphicsPageForm : public Page {
 public:
  explicit GraphicsPageForm(MainWindow& window);
  void Store(Settings& settings) override;
  void RefreshLists() override { picker_->Refresh(); }
  GraphicsPage Values() const;
  void Run();

 private:
  MainWindow& window_;
  FilePicker* picker_;
  OutputField* output_;
  QTabWidget* tabs_;
  PaletteTab* palette_;
  FrameTab* frame_;
  QPushButton* run_;
};

}  // namespace kinet::desk
