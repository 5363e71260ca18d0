// Tabs of the mix and sound pages: the mix page's Mixing tab and the Input Info tab both
// pages share (the input type with its forced rate and skipped bytes, track and times).
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <functional>

#include "frontend/core/tool_pages.h"
#include "frontend/gui/form_widgets.h"

namespace kinet::desk {

class InputInfoTab : public QWidget {
 public:
  // `data_type`: the list ends with "Input file contains non-sound data." (the mix page).
  explicit InputInfoTab(bool data_type);
  void Show(const SoundConversion& page);
  void Take(SoundConversion& page) const;

 private:
  QComboBox* type_;
  QLineEdit *forced_rate_, *skip_bytes_;
  CheckedField *track_, *start_, *end_;
};

class MixingTab : public QWidget {
 public:
  MixingTab();
  void Show(const MixPage& page);
  void Take(MixPage& page) const;
  // The frame rate typed beside "Perm.".
  std::string frame_rate() const { return frame_rate_->value().number; }

  std::function<void()> on_perm;  // the "Perm." button
  QPushButton* perm() const { return perm_; }

 private:
  QPushButton* perm_;
  QComboBox* track_;
  QLabel* lossy_label_;
  QSlider* lossy_;
  CheckedField *frame_rate_, *start_;
  QCheckBox *loop_, *overwrite_;
};

// A button that starts the frame-rate tool: the "Perm." buttons of the mix and play pages,
// which change the frame rate of `file` for good after the question, and the main page's.
// Where that tool is not installed the button is off and says why.
void OfferFrameRateTool(QPushButton* button, MainWindow& window,
                        const char* purpose = "Change the frame rate stored in the highlighted file.");
void ChangeFrameRate(MainWindow& window, const std::string& file, const std::string& directory,
                     const std::string& rate);

// The lossy slider 0 to 9 with its label "Lossy (n):".
QSlider* LossySlider(const QString& name, QLabel* label);

}  // namespace kinet::desk
