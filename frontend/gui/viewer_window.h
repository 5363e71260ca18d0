// The viewer (TViewform), "View graphics file: " + the file's name: one still picture with a
// margin of 5 pixels, opened 50 pixels right of and below the main window's corner. A key or
// a left click closes it; Ctrl+P or the right button's menu prints the picture. A picture
// larger than the screen gets scroll bars, moved by the wheel and by the arrow and page keys.
#pragma once

#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <QWidget>
#include <string>

#include "platform/images/image.h"

namespace kinet::desk {

class ViewerWindow : public QWidget {
 public:
  // `shown` as ShownPicture gives it: 8-bit with its palette, or 24-bit colour.
  ViewerWindow(QWidget* owner, const std::string& file, const platform::Image& shown);
  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Sizes the window to the picture, or to `room` with scroll bars where it does not fit.
  void FitInto(const QSize& room);
  // True when `key` moved a scroll bar.
  bool Scrolled(int key);

  QImage image_;
  QMenu menu_;
  QScrollBar *across_ = nullptr, *down_ = nullptr;
};

// Shows `file` if it is a picture the viewer reads: the window, or nullptr when no format
// fits (the caller then hands the file to another program). `display_bits` 0 means the
// screen's depth.
ViewerWindow* OpenViewer(QWidget* owner, const std::string& file, int display_bits = 0);

}  // namespace kinet::desk
