#include "shell/tool_icons.h"

#include <QCoreApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPixmap>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tarnix {
namespace {

// Every picture is drawn on a 32-unit grid: one-unit outlines sit on half
// units so they stay crisp at 32 px, and the same drawing serves 64 px.
constexpr int kGrid = 32;
constexpr int kIconCount = static_cast<int>(ToolIcon::BackToMain) + 1;

struct Palette {
  QColor ink;  // every outline, so the set reads as one family
  QColor paper, paperShade, textLine;
  QColor folder, folderLight, folderBack;
  QColor blue, blueLight, blueDark;
  QColor green, greenLight, greenDark;
  QColor orange, orangeLight, orangeDark;
  QColor red;
  QColor metal, metalLight, metalDark;
};

// Hot colours: a little lighter and more saturated, outlines unchanged.
QColor Hot(const QColor& c) {
  float h = 0, s = 0, v = 0, a = 0;
  c.getHsvF(&h, &s, &v, &a);
  return QColor::fromHsvF(h, std::min(1.0f, s * 1.15f), std::min(1.0f, v * 1.1f + 0.06f), a);
}

Palette MakePalette(bool hot) {
  Palette c;
  c.ink = QColor(0x2f, 0x3b, 0x4c);
  c.paper = QColor(0xff, 0xff, 0xff);
  c.paperShade = QColor(0xdf, 0xe6, 0xee);
  c.textLine = QColor(0x8a, 0x9b, 0xb0);
  c.folder = QColor(0xf2, 0xbf, 0x3c);
  c.folderLight = QColor(0xfd, 0xe2, 0x8e);
  c.folderBack = QColor(0xd3, 0x96, 0x22);
  c.blue = QColor(0x2f, 0x74, 0xd0);
  c.blueLight = QColor(0x86, 0xb8, 0xf2);
  c.blueDark = QColor(0x1c, 0x4b, 0x94);
  c.green = QColor(0x2f, 0x9e, 0x55);
  c.greenLight = QColor(0x8c, 0xd8, 0x9f);
  c.greenDark = QColor(0x1b, 0x66, 0x36);
  c.orange = QColor(0xee, 0x85, 0x1f);
  c.orangeLight = QColor(0xff, 0xc2, 0x7a);
  c.orangeDark = QColor(0xa8, 0x55, 0x0a);
  c.red = QColor(0xdc, 0x3b, 0x32);
  c.metal = QColor(0xaf, 0xb9, 0xc4);
  c.metalLight = QColor(0xf1, 0xf4, 0xf7);
  c.metalDark = QColor(0x6f, 0x7b, 0x88);
  if (hot) {
    for (QColor* col : {&c.paperShade, &c.folder, &c.folderLight, &c.folderBack, &c.blue, &c.blueLight,
                        &c.green, &c.greenLight, &c.orange, &c.orangeLight, &c.red, &c.metal,
                        &c.metalLight, &c.textLine}) {
      *col = Hot(*col);
    }
  }
  return c;
}

QPen InkPen(const Palette& c, qreal width = 1.0) {
  return QPen(c.ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPen StrokePen(const QColor& color, qreal width = 1.6) {
  return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The shared light-from-above shading of every filled shape.
QBrush Shade(const QRectF& r, const QColor& top, const QColor& bottom) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  return g;
}

void FillOutlined(QPainter& p, const Palette& c, const QPainterPath& path, const QBrush& brush) {
  p.setPen(InkPen(c));
  p.setBrush(brush);
  p.drawPath(path);
}

QPainterPath RoundRect(const QRectF& r, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(r, radius, radius);
  return path;
}

void TextLines(QPainter& p, const Palette& c, qreal x0, qreal x1, qreal y0, int count, qreal step) {
  p.setPen(QPen(c.textLine, 1.0, Qt::SolidLine, Qt::FlatCap));
  for (int i = 0; i < count; ++i) {
    // The last line of a paragraph is shorter.
    const qreal end = (i == count - 1 && count > 1) ? x0 + (x1 - x0) * 0.6 : x1;
    p.drawLine(QPointF(x0, y0 + i * step), QPointF(end, y0 + i * step));
  }
}

// A sheet of paper with a folded top-right corner.
void Page(QPainter& p, const Palette& c, const QRectF& r) {
  const qreal ear = 6;
  QPainterPath body;
  body.moveTo(r.left(), r.top());
  body.lineTo(r.right() - ear, r.top());
  body.lineTo(r.right(), r.top() + ear);
  body.lineTo(r.right(), r.bottom());
  body.lineTo(r.left(), r.bottom());
  body.closeSubpath();
  FillOutlined(p, c, body, Shade(r, c.paper, c.paperShade));
  QPainterPath fold;
  fold.moveTo(r.right() - ear, r.top());
  fold.lineTo(r.right() - ear, r.top() + ear);
  fold.lineTo(r.right(), r.top() + ear);
  fold.closeSubpath();
  FillOutlined(p, c, fold, c.paperShade);
}

// A sheet without the fold, for pictures where the fold would crowd the content.
void PlainSheet(QPainter& p, const Palette& c, const QRectF& r) {
  FillOutlined(p, c, RoundRect(r, 1), Shade(r, c.paper, c.paperShade));
}

// A filled shape with an outline, made from a centre line of a given width.
QPainterPath Thick(const QPainterPath& centre, qreal width) {
  QPainterPathStroker stroker;
  stroker.setWidth(width);
  stroker.setCapStyle(Qt::FlatCap);
  stroker.setJoinStyle(Qt::RoundJoin);
  return stroker.createStroke(centre);
}

// The export arrow in the lower right corner, pointing out of the picture.
void ExportArrow(QPainter& p, const Palette& c, const QColor& light, const QColor& base) {
  QPainterPath arrow;
  arrow.moveTo(17.5, 20.5);
  arrow.lineTo(23.5, 20.5);
  arrow.lineTo(23.5, 16.5);
  arrow.lineTo(30.5, 23.5);
  arrow.lineTo(23.5, 30.5);
  arrow.lineTo(23.5, 26.5);
  arrow.lineTo(17.5, 26.5);
  arrow.closeSubpath();
  FillOutlined(p, c, arrow, Shade(QRectF(17, 16, 14, 15), light, base));
}

// The result badge: a small card with a rising bar chart.
void ChartBadge(QPainter& p, const Palette& c) {
  const QRectF card(16.5, 16.5, 14, 14);
  FillOutlined(p, c, RoundRect(card, 2), Shade(card, c.paper, c.paperShade));
  p.setPen(Qt::NoPen);
  const qreal bottom = 28;
  const std::array<qreal, 3> heights{4, 7, 9};
  const std::array<QColor, 3> colours{c.green, c.orange, c.blue};
  for (int i = 0; i < 3; ++i) {
    p.setBrush(colours[i]);
    p.drawRect(QRectF(19 + i * 3.5, bottom - heights[i], 2.5, heights[i]));
  }
}

void Folder(QPainter& p, const Palette& c) {
  QPainterPath back;
  back.moveTo(2.5, 26.5);
  back.lineTo(2.5, 6.5);
  back.lineTo(3.5, 5.5);
  back.lineTo(10.5, 5.5);
  back.lineTo(12.5, 7.5);
  back.lineTo(25.5, 7.5);
  back.lineTo(26.5, 8.5);
  back.lineTo(26.5, 26.5);
  back.closeSubpath();
  FillOutlined(p, c, back, Shade(QRectF(2, 5, 25, 22), c.folder, c.folderBack));
  // A sheet inside shows the folder is open.
  FillOutlined(p, c, RoundRect(QRectF(5.5, 9.5, 18, 10), 0), c.paper);
  TextLines(p, c, 8, 21, 12.5, 2, 3);
  // The front flap leans back, opening the folder towards the viewer.
  QPainterPath front;
  front.moveTo(8.5, 14.5);
  front.lineTo(30.5, 14.5);
  front.lineTo(26.5, 26.5);
  front.lineTo(2.5, 26.5);
  front.closeSubpath();
  FillOutlined(p, c, front, Shade(QRectF(2, 14, 29, 13), c.folderLight, c.folder));
}

void Disk(QPainter& p, const Palette& c) {
  QPainterPath body;
  body.moveTo(5.5, 3.5);
  body.lineTo(24.5, 3.5);
  body.lineTo(28.5, 7.5);
  body.lineTo(28.5, 26.5);
  body.quadTo(28.5, 28.5, 26.5, 28.5);
  body.lineTo(5.5, 28.5);
  body.quadTo(3.5, 28.5, 3.5, 26.5);
  body.lineTo(3.5, 5.5);
  body.quadTo(3.5, 3.5, 5.5, 3.5);
  FillOutlined(p, c, body, Shade(QRectF(3, 3, 26, 26), c.blueLight, c.blue));
  // Metal shutter with its window.
  const QRectF shutter(9.5, 3.5, 13, 9);
  FillOutlined(p, c, RoundRect(shutter, 0.5), Shade(shutter, c.metalLight, c.metal));
  p.setPen(Qt::NoPen);
  p.setBrush(c.blueDark);
  p.drawRect(QRectF(17, 5, 3, 6));
  // Paper label.
  const QRectF label(7.5, 16.5, 17, 12);
  FillOutlined(p, c, RoundRect(label, 0.5), Shade(label, c.paper, c.paperShade));
  TextLines(p, c, 10, 22, 20.5, 2, 3);
}

void DrawOpen(QPainter& p, const Palette& c) { Folder(p, c); }

void DrawOpenResult(QPainter& p, const Palette& c) {
  Folder(p, c);
  ChartBadge(p, c);
}

void DrawSave(QPainter& p, const Palette& c) { Disk(p, c); }

void DrawSaveResult(QPainter& p, const Palette& c) {
  Disk(p, c);
  ChartBadge(p, c);
}

void DrawDisplaySettings(QPainter& p, const Palette& c) {
  // Stand first, so the bezel covers its top.
  const QRectF neck(13.5, 21.5, 5, 5);
  FillOutlined(p, c, RoundRect(neck, 0), Shade(neck, c.metal, c.metalDark));
  const QRectF base(8.5, 26.5, 15, 3);
  FillOutlined(p, c, RoundRect(base, 1.5), Shade(base, c.metal, c.metalDark));
  const QRectF bezel(2.5, 3.5, 27, 19);
  FillOutlined(p, c, RoundRect(bezel, 2), Shade(bezel, c.metal, c.metalDark));
  const QRectF screen(4.5, 5.5, 23, 15);
  FillOutlined(p, c, RoundRect(screen, 0.5), Shade(screen, c.blueLight, c.blue));
  // Three sliders, each with its knob at a different setting.
  const std::array<qreal, 3> ys{9, 13, 17};
  const std::array<qreal, 3> knobs{11, 21, 15};
  for (int i = 0; i < 3; ++i) {
    p.setPen(QPen(c.paper, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7.5, ys[i]), QPointF(24.5, ys[i]));
    const QRectF knob(knobs[i] - 1.5, ys[i] - 2, 3, 4);
    p.setPen(QPen(c.ink, 0.8));
    p.setBrush(c.orange);
    p.drawRoundedRect(knob, 0.8, 0.8);
  }
}

void DrawDataTable(QPainter& p, const Palette& c) {
  const QRectF table(2.5, 3.5, 27, 25);
  FillOutlined(p, c, RoundRect(table, 1), c.paper);
  p.setPen(Qt::NoPen);
  p.setBrush(c.blueLight);
  p.drawRect(QRectF(3, 4, 26, 4.5));
  p.setBrush(c.paperShade);
  p.drawRect(QRectF(3, 8.5, 8.5, 19.5));
  p.setPen(QPen(c.textLine, 1.0));
  for (qreal y : {13.5, 18.5, 23.5}) p.drawLine(QPointF(3, y), QPointF(29, y));
  for (qreal x : {11.5, 20.5}) p.drawLine(QPointF(x, 4), QPointF(x, 28));
  p.setPen(InkPen(c));
  p.drawLine(QPointF(3, 8.5), QPointF(29, 8.5));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(table, 1, 1);
}

// A quiet stretch, then the arrival: growing and fading oscillation.
QPainterPath Wave(qreal x0, qreal x1, qreal arrival, qreal mid, qreal amp) {
  QPainterPath path;
  path.moveTo(x0, mid);
  for (qreal x = x0; x <= x1; x += 0.25) {
    qreal y = mid;
    if (x < arrival) {
      y += 0.35 * std::sin((x - x0) * 2.6);
    } else {
      const qreal t = x - arrival;
      const qreal envelope = amp * std::min(1.0, t / 4.0) * std::exp(-t / 14.0);
      y -= envelope * std::sin(t * 1.05);
    }
    path.lineTo(x, y);
  }
  return path;
}

// The pane the wave pictures are drawn on.
void Pane(QPainter& p, const Palette& c, const QRectF& r) {
  FillOutlined(p, c, RoundRect(r, 2), Shade(r, c.paper, c.paperShade));
}

void DrawAutoPick(QPainter& p, const Palette& c) {
  Pane(p, c, QRectF(2.5, 4.5, 27, 23));
  const qreal pick = 11.5;
  p.setBrush(Qt::NoBrush);
  p.setPen(StrokePen(c.blue, 1.6));
  p.drawPath(Wave(5, 27, pick, 16, 8));
  // The pick line with its flag on top.
  p.setPen(QPen(c.red, 1.4, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(pick, 7), QPointF(pick, 26));
  QPainterPath flag;
  flag.moveTo(pick - 3.5, 2.5);
  flag.lineTo(pick + 3.5, 2.5);
  flag.lineTo(pick, 7.5);
  flag.closeSubpath();
  p.setPen(QPen(c.ink, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(c.red);
  p.drawPath(flag);
}

// A thin arrow with a head at each end, for stretching a scale.
void DoubleArrow(QPainter& p, const QColor& colour, QPointF a, QPointF b) {
  p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::FlatCap));
  const QPointF d = (b - a) / std::hypot(b.x() - a.x(), b.y() - a.y());
  const QPointF n(-d.y(), d.x());
  const qreal head = 3.5;
  p.drawLine(a + d * head * 0.8, b - d * head * 0.8);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  for (const auto& [tip, dir] : {std::pair{a, d}, std::pair{b, -d}}) {
    const QPolygonF tri{tip, tip + dir * head + n * 2.6, tip + dir * head - n * 2.6};
    p.drawPolygon(tri);
  }
}

void DrawCurveAdjust(QPainter& p, const Palette& c) {
  Pane(p, c, QRectF(2.5, 2.5, 22, 22));
  // Velocity along the top, depth down the side, as the log is read.
  p.setPen(InkPen(c));
  p.drawLine(QPointF(5.5, 5.5), QPointF(21.5, 5.5));
  p.drawLine(QPointF(5.5, 5.5), QPointF(5.5, 21.5));
  p.setBrush(Qt::NoBrush);
  p.setPen(StrokePen(c.blue, 1.6));
  const QPolygonF curve{QPointF(12, 7.5), QPointF(16, 10), QPointF(11, 12.5), QPointF(19, 15),
                        QPointF(14, 17.5), QPointF(20, 20), QPointF(15, 22)};
  p.drawPolyline(curve);
  DoubleArrow(p, c.orange, QPointF(4, 28.5), QPointF(24, 28.5));
  DoubleArrow(p, c.orange, QPointF(28.5, 3), QPointF(28.5, 23));
}

void DrawAnalysisOutput(QPainter& p, const Palette& c) {
  Page(p, c, QRectF(5.5, 2.5, 21, 27));
  // A small plot on the page: axes and a curve.
  p.setPen(InkPen(c, 1.0));
  p.drawLine(QPointF(8.5, 6.5), QPointF(8.5, 17.5));
  p.drawLine(QPointF(8.5, 17.5), QPointF(20.5, 17.5));
  QPainterPath curve;
  curve.moveTo(9, 15);
  curve.cubicTo(12, 4, 15, 18, 20, 9);
  p.setBrush(Qt::NoBrush);
  p.setPen(StrokePen(c.red, 1.6));
  p.drawPath(curve);
  TextLines(p, c, 8.5, 23.5, 21.5, 3, 2.5);
}

void DrawAbout(QPainter& p, const Palette& c) {
  QRadialGradient g(QPointF(12, 10), 18);
  g.setColorAt(0, c.blueLight);
  g.setColorAt(1, c.blue);
  QPainterPath circle;
  circle.addEllipse(QPointF(16, 16), 13.5, 13.5);
  FillOutlined(p, c, circle, g);
  p.setPen(Qt::NoPen);
  p.setBrush(c.paper);
  p.drawEllipse(QPointF(16, 9.5), 2.3, 2.3);
  QPainterPath stem;
  stem.moveTo(12.5, 13.5);
  stem.lineTo(18, 13.5);
  stem.lineTo(18, 22.5);
  stem.lineTo(20, 22.5);
  stem.lineTo(20, 25);
  stem.lineTo(12, 25);
  stem.lineTo(12, 22.5);
  stem.lineTo(14, 22.5);
  stem.lineTo(14, 16);
  stem.lineTo(12.5, 16);
  stem.closeSubpath();
  p.drawPath(stem);
}

void DrawExportExcel(QPainter& p, const Palette& c) {
  const QRectF sheet(2.5, 2.5, 22, 25);
  PlainSheet(p, c, sheet);
  p.setPen(Qt::NoPen);
  p.setBrush(c.green);
  p.drawRect(QRectF(3, 3, 21, 4.5));
  p.setPen(QPen(c.textLine, 1.0));
  for (qreal y : {12.5, 17.5, 22.5}) p.drawLine(QPointF(3, y), QPointF(24, y));
  for (qreal x : {9.5, 16.5}) p.drawLine(QPointF(x, 7.5), QPointF(x, 27));
  p.setPen(InkPen(c));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(3, 7.5), QPointF(24, 7.5));
  p.drawRoundedRect(sheet, 1, 1);
  ExportArrow(p, c, c.greenLight, c.green);
}

void DrawReportWord(QPainter& p, const Palette& c) {
  const QRectF page(2.5, 2.5, 22, 25);
  Page(p, c, page);
  p.setPen(Qt::NoPen);
  p.setBrush(c.blue);
  p.drawRect(QRectF(5.5, 6, 11, 3));
  TextLines(p, c, 5.5, 21.5, 12.5, 5, 3);
  ExportArrow(p, c, c.blueLight, c.blue);
}

void DrawReportBmp(QPainter& p, const Palette& c) {
  const QRectF frame(2.5, 4.5, 24, 20);
  FillOutlined(p, c, RoundRect(frame, 1), Shade(frame, c.paper, c.paperShade));
  const QRectF picture(5.5, 7.5, 18, 14);
  p.save();
  p.setClipRect(picture);
  p.setPen(Qt::NoPen);
  p.setBrush(Shade(picture, c.blueLight, c.paper));
  p.drawRect(picture);
  p.setBrush(c.orange);
  p.drawEllipse(QPointF(18.5, 11.5), 2.2, 2.2);
  QPainterPath hills;
  hills.moveTo(5, 22);
  hills.lineTo(5, 18);
  hills.lineTo(10, 13);
  hills.lineTo(14, 17);
  hills.lineTo(17, 15);
  hills.lineTo(24, 21);
  hills.lineTo(24, 22);
  hills.closeSubpath();
  p.setBrush(Shade(QRectF(5, 13, 19, 9), c.greenLight, c.green));
  p.drawPath(hills);
  p.restore();
  p.setPen(InkPen(c));
  p.setBrush(Qt::NoBrush);
  p.drawRect(picture);
  ExportArrow(p, c, c.orangeLight, c.orange);
}

void DrawPageSetup(QPainter& p, const Palette& c) {
  const QRectF page(5.5, 2.5, 21, 27);
  PlainSheet(p, c, page);
  // Margin guides run edge to edge, like the rulers of a layout dialog.
  QPen guide(c.blue, 1.0, Qt::CustomDashLine, Qt::FlatCap);
  guide.setDashPattern({2, 1.5});
  p.setPen(guide);
  p.drawLine(QPointF(9.5, 3), QPointF(9.5, 29));
  p.drawLine(QPointF(22.5, 3), QPointF(22.5, 29));
  p.drawLine(QPointF(6, 6.5), QPointF(26, 6.5));
  p.drawLine(QPointF(6, 25.5), QPointF(26, 25.5));
  TextLines(p, c, 11.5, 20.5, 10.5, 4, 3);
  // Corner handles mark the margins as adjustable.
  p.setPen(Qt::NoPen);
  p.setBrush(c.red);
  for (const QPointF& pt : {QPointF(9.5, 6.5), QPointF(22.5, 6.5), QPointF(9.5, 25.5), QPointF(22.5, 25.5)})
    p.drawRect(QRectF(pt.x() - 1.5, pt.y() - 1.5, 3, 3));
}

void Magnifier(QPainter& p, const Palette& c, QPointF centre, qreal radius) {
  // Handle first, so the rim covers its end.
  QPainterPath handle;
  const QPointF dir(std::numbers::sqrt2 / 2, std::numbers::sqrt2 / 2);
  handle.moveTo(centre + dir * (radius + 0.5));
  handle.lineTo(centre + dir * (radius + 7.5));
  FillOutlined(p, c, Thick(handle, 3.6), Shade(QRectF(centre, centre + dir * (radius + 8)), c.metalDark, c.ink));
  QRadialGradient glass(centre - QPointF(radius * 0.4, radius * 0.4), radius * 1.6);
  glass.setColorAt(0, QColor(255, 255, 255, 230));
  glass.setColorAt(1, QColor(c.blueLight.red(), c.blueLight.green(), c.blueLight.blue(), 170));
  p.setPen(QPen(c.ink, 1.0));
  p.setBrush(glass);
  p.drawEllipse(centre, radius, radius);
  p.setPen(QPen(c.metalDark, 1.4));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(centre, radius - 1.2, radius - 1.2);
}

void DrawPrintPreview(QPainter& p, const Palette& c) {
  Page(p, c, QRectF(3.5, 2.5, 20, 25));
  TextLines(p, c, 6.5, 19.5, 8.5, 4, 3);
  Magnifier(p, c, QPointF(19, 19), 6.5);
}

void DrawPrint(QPainter& p, const Palette& c) {
  // Paper waiting at the top.
  const QRectF in(8.5, 2.5, 15, 12);
  FillOutlined(p, c, RoundRect(in, 0.5), c.paper);
  TextLines(p, c, 11, 21, 6.5, 2, 3);
  const QRectF body(2.5, 11.5, 27, 13);
  FillOutlined(p, c, RoundRect(body, 2), Shade(body, c.metalLight, c.metal));
  p.setPen(Qt::NoPen);
  p.setBrush(c.green);
  p.drawEllipse(QPointF(25.5, 15.5), 1.4, 1.4);
  // The output slot and the printed sheet coming out of it.
  const QRectF slot(6.5, 19.5, 19, 2);
  FillOutlined(p, c, RoundRect(slot, 0.5), c.metalDark);
  const QRectF out(8.5, 20.5, 15, 9);
  FillOutlined(p, c, RoundRect(out, 0.5), Shade(out, c.paper, c.paperShade));
  TextLines(p, c, 11, 21, 23.5, 2, 3);
}

void DrawBackToMain(QPainter& p, const Palette& c) {
  // The wave the arrow returns to.
  p.setBrush(Qt::NoBrush);
  p.setPen(StrokePen(c.blue, 1.6));
  p.drawPath(Wave(2.5, 29.5, 7, 23.5, 6.5));
  // A U-turn arrow: up from the wave, over, and back to the left.
  QPainterPath centre;
  centre.moveTo(24, 20);
  centre.lineTo(24, 12);
  centre.quadTo(24, 7.5, 19.5, 7.5);
  centre.lineTo(11, 7.5);
  QPainterPath head;
  head.moveTo(11.5, 1.5);
  head.lineTo(3.5, 7.5);
  head.lineTo(11.5, 13.5);
  head.closeSubpath();
  const QPainterPath arrow = Thick(centre, 4.5).united(head).simplified();
  FillOutlined(p, c, arrow, Shade(QRectF(3, 1, 24, 20), c.greenLight, c.green));
}

using DrawFn = void (*)(QPainter&, const Palette&);

constexpr std::array<DrawFn, kIconCount> kDrawers{
    DrawOpen,       DrawOpenResult,     DrawSave,    DrawSaveResult, DrawDisplaySettings, DrawDataTable,
    DrawAutoPick,   DrawCurveAdjust,    DrawAnalysisOutput, DrawAbout, DrawExportExcel, DrawReportWord,
    DrawReportBmp,  DrawPageSetup,      DrawPrintPreview, DrawPrint, DrawBackToMain,
};

QImage Render(DrawFn draw, const Palette& palette, bool hot, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(qreal(size) / kGrid, qreal(size) / kGrid);
  if (hot) {
    // A soft warm glow behind the picture, fading out before the edges.
    QRadialGradient glow(QPointF(16, 16), 16);
    glow.setColorAt(0, QColor(255, 236, 160, 150));
    glow.setColorAt(0.7, QColor(255, 236, 160, 70));
    glow.setColorAt(1, QColor(255, 236, 160, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(16, 16), 16, 16);
  }
  draw(p, palette);
  return image;
}

// Greyed: no colour, less contrast, lighter, as a disabled button should read.
QImage Disable(const QImage& normal) {
  QImage image = normal.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int grey = 120 + qGray(row[x]) * 125 / 255;
      row[x] = qRgba(grey, grey, grey, qAlpha(row[x]) * 4 / 5);
    }
  }
  return image;
}

QIcon Build(ToolIcon which) {
  const DrawFn draw = kDrawers[static_cast<int>(which)];
  const Palette normal = MakePalette(false);
  const Palette hot = MakePalette(true);
  QIcon icon;
  for (int size : {kGrid, 2 * kGrid}) {
    const QImage plain = Render(draw, normal, false, size);
    icon.addPixmap(QPixmap::fromImage(plain), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(Render(draw, hot, true, size)), QIcon::Active);
    icon.addPixmap(QPixmap::fromImage(Disable(plain)), QIcon::Disabled);
  }
  return icon;
}

std::array<QIcon, kIconCount>& Cache() {
  static std::array<QIcon, kIconCount> cache;
  return cache;
}

bool cacheRegistered = false;

// Pixmaps must go before the application does, not at process exit.
void ClearCache() {
  for (QIcon& icon : Cache()) icon = QIcon();
  cacheRegistered = false;
}

}  // namespace

QIcon MakeToolIcon(ToolIcon which) {
  const int index = static_cast<int>(which);
  if (index < 0 || index >= kIconCount) return {};
  auto& cache = Cache();
  if (cache[index].isNull()) {
    if (!cacheRegistered) {
      qAddPostRoutine(ClearCache);
      cacheRegistered = true;
    }
    cache[index] = Build(which);
  }
  return cache[index];
}

}  // namespace tarnix
