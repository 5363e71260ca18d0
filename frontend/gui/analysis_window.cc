#include "frontend/gui/analysis_window.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <cmath>

#include "frontend/gui/printing.h"
#include "platform/files/file_system.h"

namespace kinet::desk {
namespace {

constexpr int kScrollMargin = 22;  // the scroll bar is this much narrower than the window

const char* UnitName(RateUnit unit) {
  return unit == RateUnit::kBytesPerSecond ? "Show as Bytes Per Second" : "Show as Bytes Per Frame";
}

}  // namespace

AnalysisWindow::AnalysisWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  resize(500, 344);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 2);
  note_ = new QLabel(this);
  note_->hide();
  layout->addWidget(note_);
  chart_ = new RateChart(this);
  chart_->installEventFilter(this);
  layout->addWidget(chart_, 1);
  scroll_ = new QScrollBar(Qt::Horizontal, this);
  layout->addWidget(scroll_);
  auto* status = new QHBoxLayout;
  status->addWidget(new QLabel("Right click on the graph for options.", this), 1);
  layout->addLayout(status);
  BuildMenu();
  const std::pair<const char*, std::function<void()>> buttons[] = {
      {"Zoom In", [this] { Zoom(ZoomedIn(span_.width)); }},
      {"Zoom Out", [this] { Zoom(ZoomedOut(span_.width)); }},
      {"Zoom Default", [this] { Zoom(DefaultWidth(width())); }},
      {"Close", [this] { close(); }}};
  for (const auto& [text, act] : buttons) {
    auto* b = new QPushButton(text, this);
    b->setFlat(true);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QPushButton::released, this, act);
    status->addWidget(b);
  }
  connect(scroll_, &QScrollBar::valueChanged, this, [this](int position) {
    if (suppress_scroll_ || !analysis_) return;
    span_ = ScrolledTo(span_, position);
    Redraw();
  });
}

QAction* AnalysisWindow::AddToggle(const char* text, const QKeySequence& keys, bool checked) {
  QAction* a = menu_.addAction(text);
  a->setShortcut(keys);
  a->setCheckable(true);
  a->setChecked(checked);
  addAction(a);
  connect(a, &QAction::toggled, this, [this] { Redraw(); });
  return a;
}

void AnalysisWindow::BuildMenu() {
  const auto add = [this](const char* text, const QKeySequence& keys, auto act) {
    QAction* a = menu_.addAction(text);
    a->setShortcut(keys);
    addAction(a);
    connect(a, &QAction::triggered, this, act);
    return a;
  };
  add("Close", QKeySequence(), [this] { close(); });
  add("Zoom In", QKeySequence("Ctrl+I"), [this] { Zoom(ZoomedIn(span_.width)); });
  add("Zoom Out", QKeySequence("Ctrl+O"), [this] { Zoom(ZoomedOut(span_.width)); });
  add("Zoom Default", QKeySequence("Ctrl+D"), [this] { Zoom(DefaultWidth(width())); });
  menu_.addSeparator();
  legend_ = AddToggle("Show Legend", QKeySequence("Ctrl+L"), false);
  values_ = AddToggle("Show Values", QKeySequence("Ctrl+V"), false);
  grid_ = AddToggle("Show Grid", QKeySequence("Ctrl+G"), false);
  average_ = AddToggle("Show 1 Second Ave.", QKeySequence("Ctrl+A"), true);
  line2_ = AddToggle("Show 2x CD-ROM", QKeySequence("Ctrl+F2"), true);
  line4_ = AddToggle("Show 4x CD-ROM", QKeySequence("Ctrl+F4"), false);
  line1_ = AddToggle("Show 1x CD-ROM", QKeySequence("Ctrl+F1"), false);
  unit_action_ = add(UnitName(RateUnit::kBytesPerFrame), QKeySequence("Ctrl+S"),
                     [this] { FlipUnit(); });
  menu_.addSeparator();
  add("Copy Graph", QKeySequence(), [this] { CopyGraph(); });
  add("Copy Values", QKeySequence("Ctrl+C"), [this] { CopyValues(); });
  add("Print Graph...", QKeySequence("Ctrl+P"), [this] { AskAndPrint(this, grab()); });
}

bool AnalysisWindow::Open(const std::string& file) {
  file_ = file;
  if (!Load()) return false;
  show();
  raise();
  return true;
}

bool AnalysisWindow::Load() {
  AnalysisLoad load = LoadRateAnalysis(platform::SystemFileSystem(), file_, unit_);
  if (!load.analysis) {
    QMessageBox::critical(parentWidget(), "Kinet Analyze", QString::fromStdString(load.error));
    return false;
  }
  analysis_ = std::move(load.analysis);
  setWindowTitle(QString::fromStdString("Kinet Analyze: " + analysis_->Title()));
  note_->setText(QString::fromStdString(analysis_->note));
  note_->setVisible(!analysis_->note.empty());
  span_ = ChartSpan{};
  Zoom(DefaultWidth(width()));
  return true;
}

void AnalysisWindow::Zoom(int32_t width) {
  if (!analysis_) return;
  ++suppress_scroll_;
  span_ = ZoomTo(span_, width, analysis_->frames);
  scroll_->setRange(1, std::max(span_.scroll_max, 1));
  scroll_->setPageStep(std::max(span_.large_step, 1));
  scroll_->setValue(span_.first);
  --suppress_scroll_;
  Redraw();
}

void AnalysisWindow::Redraw() {
  options_.legend = legend_->isChecked();
  options_.values = values_->isChecked();
  options_.grid = grid_->isChecked();
  options_.average = average_->isChecked();
  options_.lines = {line1_->isChecked(), line2_->isChecked(), line4_->isChecked()};
  chart_->Show(analysis(), span_, options_);
}

void AnalysisWindow::FlipUnit() {
  const RateUnit shown = unit_;
  unit_ = shown == RateUnit::kBytesPerSecond ? RateUnit::kBytesPerFrame : RateUnit::kBytesPerSecond;
  unit_action_->setText(UnitName(shown));
  Load();
}

void AnalysisWindow::CopyGraph() { QApplication::clipboard()->setPixmap(grab()); }

void AnalysisWindow::CopyValues() {
  if (analysis_) QApplication::clipboard()->setText(QString::fromStdString(ValueTable(*analysis_)));
}

bool AnalysisWindow::PrintTo(QPrinter& printer) { return PrintFitted(printer, grab()); }

void AnalysisWindow::ReportFrame() {
  if (!analysis_) return;
  const std::string text = FrameReport(*analysis_, chart_->FrameAt(last_mouse_x_ + 5));
  if (!text.empty()) QMessageBox::information(this, "Kinet Analyze", QString::fromStdString(text));
}

void AnalysisWindow::contextMenuEvent(QContextMenuEvent* event) { menu_.exec(event->globalPos()); }

void AnalysisWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      close();
      return;
    case Qt::Key_F1:
      QDesktopServices::openUrl(QUrl("man:kinetdesk(1)"));
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      menu_.exec(mapToGlobal(QPoint(width() / 2 - menu_.sizeHint().width() / 2, height() / 4)));
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

// The same frames per pixel after a resize.
void AnalysisWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int old_scroll_width = event->oldSize().width() - kScrollMargin;
  if (!analysis_ || old_scroll_width <= 0) return;
  Zoom(static_cast<int32_t>(
      std::trunc(double(width()) * span_.width / (old_scroll_width + kScrollMargin) + 0.5)));
}

bool AnalysisWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == chart_ && event->type() == QEvent::MouseButtonRelease)
    last_mouse_x_ = static_cast<QMouseEvent*>(event)->position().toPoint().x();
  if (watched == chart_ && event->type() == QEvent::MouseButtonDblClick) ReportFrame();
  return QWidget::eventFilter(watched, event);
}

}  // namespace kinet::desk
