// The compression page (Tkinetform, caption "Kinet"): the input picker, the output name with
// its "&Type" menu, the option tabs, and the "&Kinet" button that runs kinetpackw.
#pragma once

#include <QPushButton>
#include <QTabWidget>

#include "frontend/core/pack_page.h"
#include "frontend/gui/file_picker.h"
#include "frontend/gui/kinet_tabs.h"
#include "frontend/gui/output_field.h"
#include "frontend/gui/page.h"

namespace kinet::desk {

class MainWindow;

class KinetPage : public Page {
 public:
  explicit KinetPage(MainWindow& window);
  void Store(Settings& settings) override;
  void RefreshLists() override { picker_->Refresh(); }

  // The page's choices as the widgets show them.
  PackPage Values() const;
  void Show(const PackPage& page);
  // The "&Kinet" button.
  void Run();

 private:
  void Defaults();

  MainWindow& window_;
  FilePicker* picker_;
  OutputField* output_;
  QTabWidget* tabs_;
  KinetTab* kinet_;
  PaletteTab* palette_;
  FrameTab* frame_;
  SoundTab* sound_;
  ExpertTab* expert_;
  QPushButton* run_;
};

}  // namespace kinet::desk
