#include "render/point_picture.h"

#include <QFont>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

#include "base/c_text.h"
#include "model/sample_conversion.h"
#include "render/interface_fonts.h"
#include "render/mono_image.h"

namespace tarnix {
namespace {

constexpr int kLeft = 5;
constexpr int kRight = 815;
constexpr int kAxisHeight = 20;
constexpr int kStripWidth = 20;

void DrawReadOuts(QPainter& p, const TestHeader& h, const PointChannel& c1, const PointChannel& c2) {
  for (int y : {5, 45, 85}) p.drawLine(kLeft, y, kRight, y);
  for (int x : {5, 167, 329, 491, 653}) p.drawLine(x, 5, x, 85);
  p.drawLine(kLeft, 5, kLeft, 495);
  p.drawLine(kRight, 5, kRight, 495);
  const char* top[] = {"孔号:", "孔深:", "T1:", "T2:", "深度:"};
  const char* bottom[] = {"深度差:", "时间差:", "波速:", "日期:", "仪器:"};
  for (int i = 0; i < 5; ++i) {
    DrawTextAt(p, 20 + 162 * i, 20, top[i]);
    DrawTextAt(p, 20 + 162 * i, 60, bottom[i]);
  }
  const float t1 = c1.ArrivalTime(), t2 = c2.ArrivalTime();
  const float l1 = c1.point ? c1.point->span : 0.0f, l2 = c2.point ? c2.point->span : 0.0f;
  const CSamNode* any = c1.point ? c1.point : c2.point;
  DrawTextAt(p, 96, 20, h.m_holeID);
  DrawTextAt(p, 243, 20, CFormat("%3.2f", h.pileLen) + "m");
  DrawTextAt(p, 405, 20, CFormat("%.1f", t1) + "us");
  DrawTextAt(p, 567, 20, CFormat("%.1f", t2) + "us");
  DrawTextAt(p, 729, 20, CFormat("%3.2f", any ? any->sourL : 0.0f) + "m");
  const float dl = std::fabs(l1 - l2), dt = std::fabs(t1 - t2);
  DrawTextAt(p, 96, 60, CFormat("%3.0f", dl * 100) + "cm");
  DrawTextAt(p, 243, 60, CFormat("%.1f", dt) + "us");
  DrawTextAt(p, 405, 60, CFormat("%2.3f", dt != 0.0f ? dl * 1000 / dt : 0.0f) + "km/s");
  DrawTextAt(p, 557, 60, h.date.substr(0, 10));
  std::string inst = h.inst;
  for (char& ch : inst) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  DrawTextAt(p, 729, 60, inst);
}

int SampleX(int i, int n) { return static_cast<int>(static_cast<long long>(i) * (kRight - kLeft) / n) + kLeft; }

// The time axis along the band's bottom and the amplitude strip at its left.
void DrawAxes(QPainter& p, const SectionRecord& s, int n, int top, int bottom, int base) {
  const int axisY = bottom - kAxisHeight;
  p.drawLine(kLeft, axisY, kRight, axisY);
  p.drawLine(kLeft + kStripWidth, top, kLeft + kStripWidth, axisY);
  p.setFont(PixelFont("Arial", 12));
  constexpr int kTicks = 10;
  for (int k = 0; k <= kTicks; ++k) {
    const int i = n * k / kTicks;
    const int x = SampleX(i, n);
    p.drawLine(x, axisY, x, axisY + 4);
    if (k < kTicks) DrawTextAt(p, x + 2, axisY + 4, CFormat("%.0f", i * s.dT + s.delay));
  }
  for (int dy : {-100, -50, 0, 50, 100}) {
    p.drawLine(kLeft + kStripWidth - 4, base + dy, kLeft + kStripWidth, base + dy);
  }
}

void DrawBand(QPainter& p, const PointChannel& c, int top, int bottom, int base) {
  p.drawLine(kLeft, base, kRight, base);
  if (!c.HasWave()) return;
  const std::vector<uint16_t>& s = c.point->samples;
  const int n = static_cast<int>(s.size());
  QPolygon line(n);
  for (int i = 0; i < n; ++i) {
    line.setPoint(i, SampleX(i, n), base - 205 * (static_cast<int>(s[i]) - kZeroLevel) / 4096);
  }
  p.save();
  p.setClipRect(QRect(kLeft, top, kRight - kLeft, bottom - top));
  p.drawPolyline(line);
  p.restore();
  for (int index : {c.point->arrivalIndex, c.point->ampIndex}) {
    const int x = SampleX(std::clamp(index, 0, n - 1), n);
    p.drawLine(x, top, x, bottom);
  }
  DrawAxes(p, *c.section, n, top, bottom, base);
}

}  // namespace

QImage DrawPointPicture(const TestHeader& header, const PointChannel& first, const PointChannel& second) {
  if (!first.HasWave() && !second.HasWave()) return {};
  QImage image = BlankGreyImage(kPointPictureWidth, kPointPictureHeight);
  QPainter p(&image);
  SetUpMonoPainter(p);
  p.setFont(PixelFont("Arial", 14));
  DrawReadOuts(p, header, first, second);
  DrawBand(p, first, 85, 290, 187);
  DrawBand(p, second, 290, 495, 392);
  return image;
}

}  // namespace tarnix
