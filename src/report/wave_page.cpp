#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "report/report_axes.h"
#include "report/report_pages.h"

namespace tarnix {
namespace {

// One channel's traces of the page in its frame.
void DrawTraces(QPainter& p, const QRect& frame, const SectionRecord& s, const DisplaySettings& display, int tracesPerPage,
                int wavePage) {
  const int count = s.PointCount();
  if (tracesPerPage <= 0 || count == 0 || frame.height() <= 0) return;
  const double h = static_cast<double>(frame.height()) / tracesPerPage;
  const double hold = display.intervalGain * 2048.0;
  const int last = count - 1;
  for (int k = 0; k < tracesPerPage; ++k) {
    const int index = last - wavePage * tracesPerPage - k;
    if (index < 0 || index > last) continue;
    const CSamNode& point = s.points[index];
    const double centre = frame.top() + h * k + h / 2;
    const int n = static_cast<int>(point.samples.size());
    if (n == 0 || point.gain == 0.0f) {
      // No waveform, or none that its gain can scale: the trace's centre line.
      p.drawLine(QPointF(frame.left(), centre), QPointF(frame.right(), centre));
      continue;
    }
    const double scale = static_cast<double>(s.gain) / point.gain * display.valueGain * display.intervalGain;
    QPolygonF line;
    line.reserve(n);
    for (int i = 0; i < n; ++i) {
      const double a = (2048.0 - point.samples[i]) * scale;
      const double y = std::fabs(a) > hold ? centre + std::copysign(h * display.intervalGain / 2, a)
                                           : centre + h * a / 4096;
      line.append(QPointF(frame.left() + frame.width() * static_cast<double>(i) / n, y));
    }
    p.drawPolyline(line);
  }
}

void TimeAxis(QPainter& p, const QRect& frame, const SectionRecord& s, const TestHeader& header, bool above) {
  const double span = header.dT * std::max(header.datLen, 1);
  const int ticks = 5;
  for (int i = 0; i <= ticks; ++i) {
    const int x = frame.left() + frame.width() * i / ticks;
    const int y = above ? frame.top() : frame.bottom();
    p.drawLine(x, y, x, above ? y - 20 : y + 20);
    const QString label = QString::number(span * i / ticks + s.delay, 'f', 0);
    const int w = p.fontMetrics().horizontalAdvance(label);
    p.drawText(x - w / 2, above ? y - 25 : y + 25 + p.fontMetrics().ascent(), label);
  }
  p.drawText(frame.right() - p.fontMetrics().horizontalAdvance("us"), above ? frame.top() - 25 - p.fontMetrics().height()
                                                                            : frame.bottom() + 25 + 2 * p.fontMetrics().height(),
             QStringLiteral("us"));
}

}  // namespace

void DrawWavePage(QPainter& p, const Pagination& pages, const ReportSource& source, int w) {
  const PrintableArea& a = pages.area;
  if (source.section == nullptr || a.width <= 0 || a.height <= 0) return;
  const int gap = a.width / 20;
  const int frameWidth = (a.width - 3 * gap) / 2;
  const SectionRecord* channels[2] = {source.section, source.secondSection};
  p.save();
  p.setFont(PixelFont("Times New Roman", 65));
  for (int ch = 0; ch < 2; ++ch) {
    const QRect frame(a.left + gap + ch * (frameWidth + gap), a.top + a.height / 12, frameWidth, a.height * 5 / 6);
    p.setPen(QPen(Qt::black, source.BorderWidth()));
    p.drawRect(frame);
    if (channels[ch] == nullptr) continue;
    p.setPen(QPen(Qt::black, 1));
    TimeAxis(p, frame, *channels[ch], source.header, true);
    TimeAxis(p, frame, *channels[ch], source.header, false);
    p.setPen(QPen(Qt::black, std::max(source.GridWidth() / 4, 1)));
    DrawTraces(p, frame, *channels[ch], source.display, pages.tracesPerPage, w);
  }
  p.restore();
}

}  // namespace tarnix
