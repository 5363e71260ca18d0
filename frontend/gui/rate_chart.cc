#include "frontend/gui/rate_chart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace kinet::desk {
namespace {

const QColor kLineColours[3] = {Qt::cyan, Qt::blue, QColor(0, 255, 0)};
const char* const kLineNames[3] = {"1x CD-ROM", "2x CD-ROM", "4x CD-ROM"};
const QColor kPlotBackground(24, 24, 32);

}  // namespace

void RateChart::Show(const RateAnalysis* analysis, const ChartSpan& span,
                     const ChartOptions& options) {
  a_ = analysis;
  span_ = span;
  options_ = options;
  update();
}

QRect RateChart::Plot() const {
  const int left = fontMetrics().horizontalAdvance("0000000") + 28;
  const int line = fontMetrics().height();
  return rect().adjusted(left, 2 * line + 4, -12, -(2 * line + 10));
}

int32_t RateChart::FrameAt(int x) const {
  const QRect plot = Plot();
  if (!a_ || x < plot.left() || x > plot.right() || span_.last <= span_.first) return 0;
  const double frames_per_pixel = double(span_.last - span_.first) / std::max(plot.width(), 1);
  return span_.first + static_cast<int32_t>((x - plot.left()) * frames_per_pixel + 0.5);
}

void RateChart::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().window());
  const QRect plot = Plot();
  p.fillRect(plot, kPlotBackground);
  if (!a_) return;
  const double top = std::max(AxisMaximum(*a_, options_.lines), 1.0);
  DrawAxes(p, plot, top);
  p.setClipRect(plot);
  for (size_t i = 0; i < 3; ++i) {
    if (!options_.lines[i]) continue;
    const int y = plot.bottom() - int(a_->references[i] / top * plot.height());
    p.setPen(QPen(kLineColours[i], 1));
    p.drawLine(plot.left(), y, plot.right(), y);
  }
  DrawSeries(p, plot, top, a_->values, Qt::red);
  if (options_.average) DrawSeries(p, plot, top, a_->averages, Qt::yellow);
  p.setClipping(false);
  if (options_.legend) DrawLegend(p, plot);
}

void RateChart::DrawAxes(QPainter& p, const QRect& plot, double top) const {
  p.setPen(palette().windowText().color());
  QFont bold = font();
  bold.setBold(true);
  p.setFont(bold);
  p.drawText(QRect(0, 2, width(), fontMetrics().height() + 2), Qt::AlignCenter,
             QString::fromStdString(a_->Title()));
  p.setFont(font());
  const QString unit = a_->unit == RateUnit::kBytesPerSecond ? "Bytes Per Second" : "Bytes Per Frame";
  p.drawText(QRect(plot.left(), plot.top() - fontMetrics().height() - 2, plot.width(),
                   fontMetrics().height()),
             Qt::AlignLeft, unit);
  p.drawText(QRect(plot.left(), height() - fontMetrics().height() - 4, plot.width(),
                   fontMetrics().height()),
             Qt::AlignCenter, "Frames");
  // Five steps up the side, and frame numbers along the bottom about every 80 pixels.
  for (int k = 0; k <= 5; ++k) {
    const int y = plot.bottom() - plot.height() * k / 5;
    p.drawText(QRect(0, y - 8, plot.left() - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(qint64(top * k / 5)));
    if (options_.grid && k > 0) {
      p.setPen(QPen(QColor(80, 80, 96), 1, Qt::DotLine));
      p.drawLine(plot.left(), y, plot.right(), y);
      p.setPen(palette().windowText().color());
    }
  }
  const int labels = std::max(plot.width() / 80, 1);
  for (int k = 0; k <= labels; ++k) {
    const int x = plot.left() + plot.width() * k / labels;
    const qint64 frame = span_.first + qint64(span_.last - span_.first) * k / labels;
    p.drawText(QRect(x - 40, plot.bottom() + 3, 80, fontMetrics().height()), Qt::AlignCenter,
               QString::number(frame));
    if (options_.grid && k > 0 && k < labels) {
      p.setPen(QPen(QColor(80, 80, 96), 1, Qt::DotLine));
      p.drawLine(x, plot.top(), x, plot.bottom());
      p.setPen(palette().windowText().color());
    }
  }
}

void RateChart::DrawSeries(QPainter& p, const QRect& plot, double top,
                           const std::vector<double>& ys, const QColor& colour) const {
  const int32_t first = std::max(span_.first, 1);
  const int32_t last = std::min<int32_t>(span_.last, int32_t(ys.size()));
  if (last < first || span_.last <= span_.first) return;
  const double x_scale = double(plot.width()) / (span_.last - span_.first);
  const auto point = [&](int32_t frame) {
    return QPointF(plot.left() + (frame - span_.first) * x_scale,
                   plot.bottom() - ys[size_t(frame) - 1] / top * plot.height());
  };
  QPainterPath path(point(first));
  for (int32_t f = first + 1; f <= last; ++f) path.lineTo(point(f));
  p.setPen(QPen(colour, 1.5));
  p.setRenderHint(QPainter::Antialiasing, true);
  p.drawPath(path);
  p.setRenderHint(QPainter::Antialiasing, false);
  // Labels only where they have room: about one per 40 pixels.
  if (!options_.values) return;
  const int32_t step = std::max<int32_t>(1, int32_t(40 / std::max(x_scale, 1e-9)));
  for (int32_t f = first; f <= last; f += step)
    p.drawText(point(f) + QPointF(2, -3), QString::number(qint64(ys[size_t(f) - 1])));
}

void RateChart::DrawLegend(QPainter& p, const QRect& plot) const {
  std::vector<std::pair<QString, QColor>> entries = {{"Animation", Qt::red},
                                                     {"1 second average", Qt::yellow}};
  for (size_t i = 0; i < 3; ++i) entries.push_back({kLineNames[i], kLineColours[i]});
  const int line = fontMetrics().height();
  const QRect box(plot.right() - 150, plot.top() + 6, 142, line * int(entries.size()) + 8);
  p.fillRect(box, QColor(255, 255, 255, 230));
  p.setPen(Qt::black);
  p.drawRect(box);
  for (size_t i = 0; i < entries.size(); ++i) {
    const int y = box.top() + 4 + line * int(i);
    p.fillRect(QRect(box.left() + 6, y + line / 2 - 2, 18, 4), entries[i].second);
    p.drawText(QRect(box.left() + 30, y, box.width() - 34, line), Qt::AlignVCenter,
               entries[i].first);
  }
}

}  // namespace kinet::desk
