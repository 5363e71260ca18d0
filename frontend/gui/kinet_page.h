// The compression page (Tkinetform, caption "Kinet"): the input picker, the output name with
// its "&Type" menu, the option tabs, and the "&Kinet" button that runs kinetpackw.
#pragma once

#include "frontend/core/pack_page.h"
#include "frontend/gui/kinet_tabs.h"
#include "frontend/gui/option_page.h"

namespace kinet::desk {

class MainWindow;

class KinetPage : public OptionPage {
 public:
  explicit KinetPage(MainWindow& window);
  void Store(Settings& settings) override;

  // The page's choices as the widgets show them.
  PackPage Values() const;
  void Show(const PackPage& page);
  // The "&Kinet" button.
  void Run();

 private:
  void Defaults();

  KinetTab* kinet_;
  PaletteTab* palette_;
  FrameTab* frame_;
  SoundTab* sound_;
  ExpertTab* expert_;
};

}  // namespace kinet::desk
