// Small controls the option pages are made of: a check box with its number field, a list
// choice, a number field of so many digits, and the row of buttons every page ends with.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <initializer_list>

#include "frontend/core/switch_text.h"

namespace kinet::desk {

class MainWindow;

// A number field taking up to `digits` digits (a leading '-' too when `sign`).
QLineEdit* NumberField(const QString& name, int digits, bool sign = false);

// A check box with the number field beside it; the field is named `name` + "num".
class CheckedField : public QWidget {
 public:
  CheckedField(const QString& name, const QString& caption, int digits, bool sign = false);
  CheckedNumber value() const;
  void SetValue(const CheckedNumber& value);
  QCheckBox* box() const { return box_; }

 private:
  QCheckBox* box_;
  QLineEdit* number_;
};

QComboBox* ChoiceBox(const QString& name, std::initializer_list<const char*> items);
QCheckBox* CheckBox(const QString& name, const QString& caption);
QPushButton* Button(const QString& name, const QString& caption);

// "Back to &Main", "&Help", "Ho&w do I...?" and the page's own buttons after a stretch.
QHBoxLayout* ButtonRow(MainWindow& window, QWidget* page, std::initializer_list<QPushButton*> own);

}  // namespace kinet::desk
