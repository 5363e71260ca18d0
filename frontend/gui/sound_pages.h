// The mix page (Tmixform, caption "Mixer": a video file and a sound file into a new video
// file through kinetmixw) and the sound page (Tmkwavform, caption "Sound Processor": any
// sound input into a WAV file through tonworkw).
#pragma once

#include <QTabWidget>

#include "frontend/gui/file_picker.h"
#include "frontend/gui/kinet_tabs.h"
#include "frontend/gui/option_page.h"
#include "frontend/gui/output_field.h"
#include "frontend/gui/page.h"
#include "frontend/gui/tool_tabs.h"

namespace kinet::desk {

class MainWindow;

class MixPageForm : public Page {
 public:
  explicit MixPageForm(MainWindow& window);
  void Store(Settings& settings) override;
  void RefreshLists() override;
  MixPage Values() const;
  void Run();

 private:
  MainWindow& window_;
  FilePicker *video_, *sound_;
  OutputField* output_;
  QTabWidget* tabs_;
  MixingTab* mixing_;
  SoundLists* lists_;
  InputInfoTab* input_;
  QPushButton* run_;
};

class SoundPageForm : public OptionPage {
 public:
  explicit SoundPageForm(MainWindow& window);
  void Store(Settings& settings) override;
  SoundConversion Values() const;
  void Run();

 private:
  SoundLists* lists_;
  QCheckBox* overwrite_;
  InputInfoTab* input_;
};

}  // namespace kinet::desk
