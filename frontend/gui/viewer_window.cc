#include "frontend/gui/viewer_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

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
  const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  FitInto(screen ? screen->availableGeometry().size() - QSize(kOffset, kOffset) : QSize(1 << 14, 1 << 14));
  if (owner) move(owner->window()->frameGeometry().topLeft() + QPoint(kOffset, kOffset));
  QAction* print = menu_.addAction("&Print...");
  print->setShortcut(QKeySequence("Ctrl+P"));
  connect(print, &QAction::triggered, this,
          [this] { AskAndPrint(this, QPixmap::fromImage(image_)); });
  connect(menu_.addAction("&Close"), &QAction::triggered, this, &QWidget::close);
}

void ViewerWindow::FitInto(const QSize& room) {
  const QSize whole = image_.size() + QSize(2 * kMargin, 2 * kMargin);
  if (whole.width() <= room.width() && whole.height() <= room.height()) {
    setFixedSize(whole);
    return;
  }
  across_ = new QScrollBar(Qt::Horizontal, this);
  down_ = new QScrollBar(Qt::Vertical, this);
  const int bar = down_->sizeHint().width(), thick = across_->sizeHint().height();
  const QSize window = whole.boundedTo(room);
  const QSize view = window - QSize(bar, thick);
  setFixedSize(window);
  across_->setGeometry(0, view.height(), view.width(), thick);
  down_->setGeometry(view.width(), 0, bar, view.height());
  for (auto [scroll, seen, all] : {std::tuple{across_, view.width(), whole.width()},
                                   std::tuple{down_, view.height(), whole.height()}}) {
    scroll->setRange(0, std::max(0, all - seen));
    scroll->setPageStep(seen);
    scroll->setSingleStep(std::max(1, seen / 20));
    connect(scroll, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
  }
}

bool ViewerWindow::Scrolled(int key) {
  if (!down_) return false;
  switch (key) {
    case Qt::Key_Left: across_->triggerAction(QAbstractSlider::SliderSingleStepSub); return true;
    case Qt::Key_Right: across_->triggerAction(QAbstractSlider::SliderSingleStepAdd); return true;
    case Qt::Key_Up: down_->triggerAction(QAbstractSlider::SliderSingleStepSub); return true;
    case Qt::Key_Down: down_->triggerAction(QAbstractSlider::SliderSingleStepAdd); return true;
    case Qt::Key_PageUp: down_->triggerAction(QAbstractSlider::SliderPageStepSub); return true;
    case Qt::Key_PageDown: down_->triggerAction(QAbstractSlider::SliderPageStepAdd); return true;
    default: return false;
  }
}

void ViewerWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QPoint scrolled;
  if (down_) {
    scrolled = {across_->value(), down_->value()};
    painter.setClipRect(0, 0, down_->x(), across_->y());  // the corner between the bars stays blank
  }
  painter.drawImage(QPoint(kMargin, kMargin) - scrolled, image_);
}

void ViewerWindow::wheelEvent(QWheelEvent* event) {
  if (!down_) return;
  // A wheel's notch is 120; touchpads send fractions of it, which scroll in proportion.
  const QPoint delta = event->angleDelta();
  QScrollBar* scroll = delta.y() != 0 ? down_ : across_;
  const int turned = delta.y() != 0 ? delta.y() : delta.x();
  scroll->setValue(scroll->value() - turned * scroll->singleStep() * 3 / 120);
}

void ViewerWindow::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  // A modifier alone closes nothing, so that Ctrl+P can be pressed.
  if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta)
    return;
  if (event->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_P)) {
    AskAndPrint(this, QPixmap::fromImage(image_));
  } else if (!Scrolled(key)) {
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
