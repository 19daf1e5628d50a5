#include "views/point_wave_panel.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "base/c_text.h"
#include "model/sample_conversion.h"

namespace tarnix {
namespace {

// Margins of the plot inside the panel: title and read-outs above, time axis
// below, amplitude axis left.
constexpr int kTop = 40;
constexpr int kBottom = 22;
constexpr int kLeft = 44;
constexpr int kRight = 8;

QString Text(const char* format, double value) { return QString::fromStdString(CFormat(format, value)); }

double At(const std::vector<float>& v, int i) { return i >= 0 && i < static_cast<int>(v.size()) ? v[i] : 0.0; }

}  // namespace

double PanelScale(int position) {
  const double p = std::clamp(position, 0, 100);
  if (p >= 100) return 0.01;
  if (p >= 70) return (100 - p) / 20;
  if (p >= 40) return (100 - p) / 15;
  if (p >= 10) return (100 - p) / 12;
  if (p >= 5) return (100 - p) / 10;
  return (100 - p) * 0.125;
}

PointPanelReadout PanelReadoutAt(const SectionRecord& s, int i) {
  PointPanelReadout r;
  const CSamNode* p = s.PointAt(i);
  if (p == nullptr) return r;
  const int top = std::clamp(s.lastIndex, 0, s.PointCount() - 1);
  r.h = At(s.depths, i) - At(s.depths, top);
  r.gain = p->gain;
  if (!p->HasWaveform()) return r;
  r.t = At(s.arrivalTime, i);
  r.vp = At(s.velocity, i);
  r.db = At(s.ampDb, i);
  const int k = std::clamp(p->ampIndex, 0, static_cast<int>(p->samples.size()) - 1);
  r.a = (p->samples[k] - kZeroLevel) * 2000.0 / 2048.0;
  if (p->gain > 0.0f) r.a /= p->gain;
  return r;
}

QStringList PanelReadoutTexts(const PointPanelReadout& r) {
  return {Text("H: %.2fm", r.h),   Text("T: %.1fus", r.t), Text("Vp: %.3fkm/s", r.vp),
          Text("dB: %.1fdB", r.db), Text("A: %.2fmv", r.a), Text("Amp: %.0f", r.gain)};
}

CPointWavePanel::CPointWavePanel(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumHeight(120);
}

void CPointWavePanel::ShowPoint(const SectionRecord* section, int point, int number) {
  section_ = section != nullptr && section->PointAt(point) != nullptr ? section : nullptr;
  point_ = point;
  number_ = number;
  readouts_ = section_ != nullptr ? PanelReadoutTexts(PanelReadoutAt(*section_, point)) : QStringList();
  update();
}

void CPointWavePanel::SetScale(double scale) {
  scale_ = scale;
  update();
}

QString CPointWavePanel::Title() const {
  return section_ != nullptr ? QStringLiteral("当前显示的是第%1个测点").arg(number_) : QString();
}

void CPointWavePanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  const QRect plot(kLeft, kTop, std::max(1, width() - kLeft - kRight), std::max(1, height() - kTop - kBottom));
  painter.setPen(Qt::black);
  painter.drawRect(plot.adjusted(0, 0, -1, -1));
  QFont font("Times New Roman");
  font.setPixelSize(11);
  painter.setFont(font);
  // Between the middle and the last time tick, clear of their labels.
  painter.drawText(QRect(plot.left() + plot.width() * 3 / 4 - 30, plot.bottom() + 2, 60, kBottom - 2),
                   Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("T (us)"));
  painter.drawText(QRect(0, plot.top(), kLeft - 4, 14), Qt::AlignRight, QStringLiteral("A (mv)"));
  if (section_ == nullptr) return;
  painter.drawText(QRect(4, 2, width() - 8, 16), Qt::AlignLeft | Qt::AlignVCenter, Title());
  painter.drawText(QRect(4, 19, width() - 8, 16), Qt::AlignLeft | Qt::AlignVCenter, readouts_.join("  "));

  const CSamNode& p = section_->points[point_];
  const int n = static_cast<int>(p.samples.size());
  // Time ticks: the record's start and end and its middle.
  for (int k : {0, n / 2, n}) {
    const int x = plot.left() + static_cast<int>(static_cast<double>(k) * plot.width() / std::max(n, 1));
    painter.drawLine(x, plot.bottom(), x, plot.bottom() + 3);
    painter.drawText(QRect(std::min(x - 30, width() - 60), plot.bottom() + 3, 60, 14), Qt::AlignHCenter,
                     Text("%.0f", section_->delay + k * static_cast<double>(section_->dT)));
  }
  if (n == 0) return;
  // The scale is how many full scales the half height holds.
  const double half = plot.height() / 2.0;
  const double perCount = half / (std::max(scale_, 1e-6) * kZeroLevel / 12.5);
  const double mid = plot.top() + half;
  QPolygonF trace;
  trace.reserve(n);
  for (int k = 0; k < n; ++k) {
    const double y = std::clamp(mid - (p.samples[k] - kZeroLevel) * perCount, double(plot.top()), double(plot.bottom()));
    trace.append(QPointF(plot.left() + static_cast<double>(k) * plot.width() / n, y));
  }
  painter.setClipRect(plot);
  painter.setPen(QPen(Qt::black, 0));
  painter.drawPolyline(trace);
  const int x = plot.left() + static_cast<int>(static_cast<double>(std::clamp(p.arrivalIndex, 0, n)) * plot.width() / n);
  painter.setPen(QPen(Qt::red, 0));
  painter.drawLine(x, plot.top(), x, plot.bottom());
}

}  // namespace tarnix
