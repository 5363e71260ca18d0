// The option tabs of the compression page (Tkinetform): Kinet, Palette, Frame, Sound and
// Expert, each showing and taking back its part of a PackPage.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTabWidget>

#include "frontend/core/pack_page.h"
#include "frontend/core/tool_pages.h"
#include "frontend/gui/form_widgets.h"

namespace kinet::desk {

// A compression-type list with its number field, which shows the number of the chosen type.
class RateBox : public QWidget {
 public:
  RateBox(const QString& list_name, const QString& field_name);
  RateChoice value() const;
  void SetValue(const RateChoice& choice);

 private:
  void ShowType(int type);
  QComboBox* type_;
  QLineEdit *rate_, *percent_;
  QLabel* percent_sign_;
  RateChoice choice_;
};

class KinetTab : public QWidget {
 public:
  KinetTab();
  void Show(const PackPage& page);
  void Take(PackPage& page) const;

 private:
  RateBox *regular_, *key_;
  QLineEdit* auto_key_;
  CheckedField* key_every_;
  QComboBox* height_;
};

// The palette tab, shared with the graphics page.
class PaletteTab : public QWidget {
 public:
  explicit PaletteTab(const QString& prefix);
  template <typename P>
  void Show(const P& page);
  template <typename P>
  void Take(P& page) const;

 private:
  QLineEdit* name_;
  CheckedField *colours_, *start_, *every_;
  QComboBox *halftone_, *control_, *system_;
};

// The frame tab of the compression page (with "Create ring?" and "Skip every other?") and of
// the graphics page.
class FrameTab : public QWidget {
 public:
  explicit FrameTab(const QString& prefix, bool ring_and_skip);
  void Show(const PackPage& page);
  void Take(PackPage& page) const;
  void Show(const GraphicsPage& page);
  void Take(GraphicsPage& page) const;

  // Start, end, frame rate, x, y, width, height.
  using Fields = std::array<CheckedNumber*, 7>;

 private:
  void Show(const Fields& values);
  void Take(const Fields& values) const;
  CheckedField* fields_[7];
  QCheckBox *ring_ = nullptr, *every_other_ = nullptr;
};

// The sound output lists of the compression, mix and sound pages: rate (with the typed rate
// for "Let me enter a specific rate."), bits and channels, in a form layout.
class SoundLists : public QWidget {
 public:
  explicit SoundLists(const QString& prefix);
  template <typename P>
  void Show(const P& page);
  template <typename P>
  void Take(P& page) const;

 private:
  QComboBox *rate_, *bits_, *channels_;
  QLineEdit* typed_rate_;
};

// The sound output lists with the lossy slider and the "don't process" box.
class SoundTab : public QWidget {
 public:
  SoundTab();
  void Show(const PackPage& page);
  void Take(PackPage& page) const;

 private:
  void Enable();
  QCheckBox* no_sound_;
  QLabel* lossy_label_;
  QSlider* lossy_;
  SoundLists* lists_;
};

class ExpertTab : public QWidget {
 public:
  ExpertTab();
  void Show(const PackPage& page) { text_->setPlainText(QString::fromStdString(page.expert)); }
  void Take(PackPage& page) const { page.expert = text_->toPlainText().toStdString(); }

 private:
  QPlainTextEdit* text_;
};

}  // namespace kinet::desk
