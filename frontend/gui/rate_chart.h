// The analysis window's chart: the per-frame series in red and the one-second average in
// yellow over the visible frames, the CD-ROM lines (1x aqua, 2x blue, 4x lime), axis titles,
// an optional grid, value labels and legend. Drawn with QPainter, so files of 100,000 frames
// draw only the points on screen.
#pragma once

#include <QWidget>
#include <array>

#include "frontend/core/rate_analysis.h"

namespace kinet::desk {

struct ChartOptions {
  bool legend = false, values = false, grid = false, average = true;
  std::array<bool, 3> lines = {false, true, false};  // 1x, 2x, 4x CD-ROM
};

class RateChart : public QWidget {
 public:
  explicit RateChart(QWidget* parent) : QWidget(parent) { setMinimumSize(200, 120); }
  void Show(const RateAnalysis* analysis, const ChartSpan& span, const ChartOptions& options);
  // The frame under a horizontal pixel position of the chart (0 outside the plot).
  int32_t FrameAt(int x) const;

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QRect Plot() const;
  void DrawAxes(QPainter& p, const QRect& plot, double top) const;
  void DrawSeries(QPainter& p, const QRect& plot, double top, const std::vector<double>& ys,
                  const QColor& colour) const;
  void DrawLegend(QPainter& p, const QRect& plot) const;

  const RateAnalysis* a_ = nullptr;
  ChartSpan span_;
  ChartOptions options_;
};

}  // namespace kinet::desk
