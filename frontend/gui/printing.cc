#include "frontend/gui/printing.h"

#include <QPainter>
#include <QPrintDialog>

namespace kinet::desk {

bool PrintFitted(QPrinter& printer, const QPixmap& picture) {
  QPainter p;
  if (!p.begin(&printer)) return false;
  const QRect page = p.viewport();
  const QSize fitted = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
  p.drawPixmap(QRect(page.topLeft(), fitted), picture);
  return p.end();
}

void AskAndPrint(QWidget* parent, const QPixmap& picture) {
  QPrinter printer;
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() == QDialog::Accepted) PrintFitted(printer, picture);
}

}  // namespace kinet::desk
