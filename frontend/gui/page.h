// A page of the main window. Only the page in front exists: it is made when its tab is
// chosen and stores its values into the settings when it goes.
#pragma once

#include <QWidget>

#include "frontend/core/settings.h"

namespace kinet::desk {

class Page : public QWidget {
 public:
  using QWidget::QWidget;
  // Writes the page's values into its section of the settings.
  virtual void Store(Settings&) {}
  // Re-reads the page's file lists (after a tool's completion report).
  virtual void RefreshLists() {}
  // Shows the command history when the page has a view of it.
  virtual void ShowHistory() {}
  // Before the page or the window closes: false keeps them open (unsaved changes kept).
  virtual bool MayClose() { return true; }
};

enum PageIndex {
  kMainPage = 0,
  kKinetPage,
  kMixerPage,
  kPlayerPage,
  kScriptorPage,
  kGraphicsPage,
  kSoundPage,
  kCommandPage,
  kPageCount
};

}  // namespace kinet::desk
