#include "frontend/gui/viewer_window.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "frontend/core/view_picture.h"
#include "frontend/gui/printing.h"

namespace kinet::desk {
namespace {

constexpr int kMargin = 5;   // each way round the picture
constexpr int kOffset = 50;  // from the main window's corner

QImage ToQImage(const platform::Image& picture) {
  const int w = static_cast<int>(picture.width), h = static_cast<int>(picture.height);
  const auto row = static_cast<qsizetype>(picture.RowBytes());
  if (picture.bits == 8) {
    QImage image(picture.pixels.data(), w, h, row, QImage::Format_Indexed8);
    QList<QRgb> colours(256);
    for (int i = 0; i < 256; ++i)
      colours[i] = qRgb(picture.palette[3 * i], picture.palette[3 * i + 1], picture.palette[3 * i + 2]);
    image.setColorTable(colours);
    return image.copy();
  }
  return QImage(picture.pixels.data(), w, h, row, QImage::Format_RGB888).copy();
}

}  // namespace

ViewerWindow::ViewerWindow(QWidget* owner, const std::string& file, const platform::Image& shown)
    : QWidget(owner, Qt::Window), image_(ToQImage(shown)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromStdString("View graphics file: " + file));
  setFixedSize(image_.width() + 2 * kMargin, image_.height() + 2 * kMargin);
  if (owner) move(owner->window()->frameGeometry().topLeft() + QPoint(kOffset, kOffset));
  QAction* print = menu_.addAction("&Print...");
  print->setShortcut(QKeySequence("Ctrl+P"));
  connect(print, &QAction::triggered, this,
          [this] { AskAndPrint(this, QPixmap::fromImage(image_)); });
  connect(menu_.addAction("&Close"), &QAction::triggered, this, &QWidget::close);
}

void ViewerWindow::paintEvent(QPaintEvent*) {
  QPainter(this).drawImage(kMargin, kMargin, image_);
}

void ViewerWindow::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  // A modifier alone closes nothing, so that Ctrl+P can be pressed.
  if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta)
    return;
  if (event->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_P)) {
    AskAndPrint(this, QPixmap::fromImage(image_));
  } else {
    close();
  }
}

void ViewerWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    menu_.exec(event->globalPosition().toPoint());
  } else {
    close();
  }
}

ViewerWindow* OpenViewer(QWidget* owner, const std::string& file, int display_bits) {
  const std::optional<platform::Image> picture = LoadViewPicture(platform::SystemFileSystem(), file);
  if (!picture) return nullptr;
  if (display_bits == 0) {
    const QScreen* screen = owner ? owner->screen() : nullptr;
    display_bits = screen ? screen->depth() : 24;
  }
  auto* viewer = new ViewerWindow(owner, file, ShownPicture(*picture, display_bits));
  viewer->show();
  return viewer;
}

}  // namespace kinet::desk
