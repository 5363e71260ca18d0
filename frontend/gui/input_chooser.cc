// The input-file chooser: a file picker with its own caption in a window with its own OK
// button, as the list editor's Insert and the text editor's Open ask for files.
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/gui/dialogs.h"
#include "frontend/gui/file_picker.h"

namespace kinet::desk {

std::vector<std::string> ChooseInputFiles(QWidget* parent, const InputRequest& request) {
  QDialog dialog(parent);
  dialog.setWindowTitle(request.title);
  auto* layout = new QVBoxLayout(&dialog);
  auto* picker = new FilePicker({request.caption, "input", request.filter, request.several});
  picker->SetDirectory(request.directory);
  layout->addWidget(picker, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText(request.button);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  picker->on_open = [&dialog] { dialog.accept(); };
  dialog.resize(560, 380);
  if (dialog.exec() != QDialog::Accepted) return {};
  return picker->Selected();
}

}  // namespace kinet::desk
