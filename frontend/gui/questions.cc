// The questions the windows ask: a text with its own caption, label and OK button, and
// Yes, No or Cancel.
#include <QInputDialog>
#include <QMessageBox>

#include "frontend/gui/dialogs.h"

namespace kinet::desk {

std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& label,
                               const QString& button, const QString& text) {
  QInputDialog dialog(parent);
  dialog.setWindowTitle(title);
  dialog.setLabelText(label);
  dialog.setOkButtonText(button);
  dialog.setTextValue(text);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

Answer AskYesNoCancel(QWidget* parent, const QString& caption, const QString& question) {
  const auto button = QMessageBox::question(parent, caption, question,
                                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  return button == QMessageBox::Yes  ? Answer::kYes
         : button == QMessageBox::No ? Answer::kNo
                                     : Answer::kCancel;
}

}  // namespace kinet::desk
