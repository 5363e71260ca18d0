// The data-rate analysis window (`knttune file`): the chart of one video file's frame sizes
// with its scroll bar, the status bar with its zoom buttons, and the pop-up menu with the
// display choices, copying and printing. One exists at a time; closing it deletes it.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QScrollBar>
#include <QWidget>
#include <optional>

#include "frontend/core/rate_analysis.h"
#include "frontend/gui/rate_chart.h"

namespace kinet::desk {

class AnalysisWindow : public QWidget {
 public:
  explicit AnalysisWindow(QWidget* owner);
  // Loads `file` and shows the window; false, after the error box, when it cannot be loaded.
  bool Open(const std::string& file);

  const RateAnalysis* analysis() const { return analysis_ ? &*analysis_ : nullptr; }
  const ChartSpan& span() const { return span_; }
  QMenu& menu() { return menu_; }
  RateChart& chart() { return *chart_; }
  // The window scaled to fit `printer`'s page, as "Print Graph..." prints it; false when the
  // printer could not be started.
  bool PrintTo(QPrinter& printer);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* AddToggle(const char* text, const QKeySequence& keys, bool checked);
  void BuildMenu();
  bool Load();
  void Zoom(int32_t width);
  void Redraw();
  void FlipUnit();
  void CopyGraph();
  void CopyValues();
  void ReportFrame();

  std::string file_;
  RateUnit unit_ = RateUnit::kBytesPerSecond;
  std::optional<RateAnalysis> analysis_;
  ChartSpan span_;
  ChartOptions options_;
  int suppress_scroll_ = 0;
  int last_mouse_x_ = 0;
  RateChart* chart_;
  QScrollBar* scroll_;
  QLabel* note_;
  QMenu menu_;
  QAction *legend_, *values_, *grid_, *average_, *line2_, *line4_, *line1_, *unit_action_;
};

}  // namespace kinet::desk
