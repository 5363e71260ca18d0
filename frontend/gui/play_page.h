// The play page (Tplayform, caption "Player"): a video file played by kinetplayw with the
// switches of its three option tabs; "&Play" or a double click plays.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
#include <utility>
#include <vector>

#include "frontend/core/tool_pages.h"
#include "frontend/gui/file_picker.h"
#include "frontend/gui/form_widgets.h"
#include "frontend/gui/page.h"

namespace kinet::desk {

class MainWindow;

class PlayPageForm : public Page {
 public:
  explicit PlayPageForm(MainWindow& window);
  void Store(Settings& settings) override;
  void RefreshLists() override { picker_->Refresh(); }
  PlayPage Values() const;
  void Show(const PlayPage& page);
  void Run();

 private:
  QWidget* PlaybackTab();
  QWidget* WindowTab();
  QWidget* ExpertTab();
  // Which control shows which value of the page.
  struct Bindings {
    std::vector<std::pair<CheckedNumber PlayPage::*, CheckedField*>> fields;
    std::vector<std::pair<bool PlayPage::*, QCheckBox*>> flags;
    std::vector<std::pair<int PlayPage::*, QComboBox*>> lists;
  };
  Bindings Bound() const;

  MainWindow& window_;
  FilePicker* picker_;
  QTabWidget* tabs_;
  QPushButton* run_;
  CheckedField *loop_, *frame_rate_, *x_, *y_, *width_, *height_, *simulate_, *extra_memory_;
  QCheckBox *preload_, *summary_, *no_drop_, *sound_only_, *double_buffer_, *no_clear_,
      *no_remap_, *extra_read_ahead_, *changes_only_, *keep_playing_, *device_sound_,
      *frame_numbers_;
  QCheckBox* tracks_[7];
  QComboBox *style_, *display_, *resolution_, *controls_, *height_mode_;
};

}  // namespace kinet::desk
