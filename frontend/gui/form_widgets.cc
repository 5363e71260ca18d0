#include "frontend/gui/form_widgets.h"

#include <QFontMetrics>
#include <QRegularExpressionValidator>

#include "frontend/gui/main_window.h"

namespace kinet::desk {

QLineEdit* NumberField(const QString& name, int digits, bool sign) {
  auto* field = new QLineEdit;
  field->setObjectName(name);
  const QString pattern = QString(sign ? "-?" : "") + "\\d{0,%1}";
  field->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern.arg(digits)), field));
  const QFontMetrics metrics(field->font());
  field->setFixedWidth(metrics.horizontalAdvance(QString(digits + (sign ? 2 : 1), '0')) + 16);
  return field;
}

CheckedField::CheckedField(const QString& name, const QString& caption, int digits, bool sign) {
  box_ = CheckBox(name, caption);
  number_ = NumberField(name + "num", digits, sign);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(box_);
  row->addStretch(1);
  row->addWidget(number_);
}

CheckedNumber CheckedField::value() const {
  return {box_->isChecked(), number_->text().trimmed().toStdString()};
}

void CheckedField::SetValue(const CheckedNumber& value) {
  box_->setChecked(value.on);
  number_->setText(QString::fromStdString(value.number));
}

QComboBox* ChoiceBox(const QString& name, std::initializer_list<const char*> items) {
  auto* box = new QComboBox;
  box->setObjectName(name);
  for (const char* item : items) box->addItem(item);
  return box;
}

QCheckBox* CheckBox(const QString& name, const QString& caption) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(name);
  return box;
}

QPushButton* Button(const QString& name, const QString& caption) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  return button;
}

QHBoxLayout* ButtonRow(MainWindow& window, QWidget* page, std::initializer_list<QPushButton*> own) {
  auto* row = new QHBoxLayout;
  QPushButton* back = Button("backtomain", "Back to &Main");
  QPushButton* help = Button("help", "&Help");
  QPushButton* how = Button("howdoi", "Ho&w do I...?");
  for (QPushButton* b : {back, help, how}) row->addWidget(b);
  row->addStretch(1);
  for (QPushButton* b : own) row->addWidget(b);
  QObject::connect(back, &QPushButton::clicked, page, [&window] { window.SetTag(kMainPage); });
  QObject::connect(help, &QPushButton::clicked, page, [&window] { window.OpenHelp(); });
  QObject::connect(how, &QPushButton::clicked, page, [&window] { window.OpenHowTo(); });
  return row;
}

}  // namespace kinet::desk
