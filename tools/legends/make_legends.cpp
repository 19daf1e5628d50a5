// Draws the lithology legend bitmaps from the usual geological hatch
// conventions: one recipe per rock family (dots for sands, dashes for shales
// and clays, bricks for limestones, crosses for granites, circles for gravels,
// triangles for breccias, V marks for volcanics, waves for schists), varied by
// spacing and overlays so that each name has its own pattern. The bitmaps are
// committed; run this only to redraw them:
//   make_legends OUT_DIR [CONTACT_SHEET.png]
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "analysis/lithology.h"

namespace {

constexpr int kSize = 64;  // pixels; the report stretches the tile to its cell
using Stroke = std::function<void(QPainter&)>;

// Staggered grid positions: every other row shifted by half a step.
void Grid(int step, bool stagger, const std::function<void(int, int)>& at) {
  for (int row = 0, y = step / 2; y < kSize + step; y += step, ++row) {
    const int shift = stagger && row % 2 == 1 ? step / 2 : 0;
    for (int x = step / 2 - shift; x < kSize + step; x += step) at(x, y);
  }
}

Stroke Dots(int step, int radius, bool stagger = true) {
  return [=](QPainter& p) {
    p.setBrush(Qt::black);
    Grid(step, stagger, [&](int x, int y) {
      if (radius == 0) {
        p.drawPoint(x, y);  // a zero-radius ellipse draws nothing
      } else {
        p.drawEllipse(QPoint(x, y), radius, radius);
      }
    });
    p.setBrush(Qt::NoBrush);
  };
}

// Rows of dashes, each row offset by half a dash: clays, shales, silts.
Stroke Dashes(int rowStep, int dash, int gap, int yOffset = 0) {
  return [=](QPainter& p) {
    for (int row = 0, y = yOffset + rowStep / 2; y < kSize; y += rowStep, ++row) {
      for (int x = row % 2 == 1 ? -(dash + gap) / 2 : 0; x < kSize; x += dash + gap) p.drawLine(x, y, x + dash, y);
    }
  };
}

Stroke Lines(int step, int yOffset = 0) {
  return [=](QPainter& p) {
    for (int y = yOffset; y < kSize; y += step) p.drawLine(0, y, kSize, y);
  };
}

// Limestone bricks; slant draws the dolomite's oblique joints.
Stroke Bricks(int rowStep, int width, bool slant = false) {
  return [=](QPainter& p) {
    for (int row = 0, y = 0; y < kSize; y += rowStep, ++row) {
      p.drawLine(0, y, kSize, y);
      for (int x = row % 2 == 1 ? width / 2 : 0; x < kSize; x += width) {
        if (slant) {
          p.drawLine(x, y + rowStep, x + rowStep / 2, y);
        } else {
          p.drawLine(x, y, x, y + rowStep);
        }
      }
    }
  };
}

Stroke Crosses(int step, int arm, bool diagonal) {
  return [=](QPainter& p) {
    Grid(step, true, [&](int x, int y) {
      if (diagonal) {
        p.drawLine(x - arm, y - arm, x + arm, y + arm);
        p.drawLine(x - arm, y + arm, x + arm, y - arm);
      } else {
        p.drawLine(x - arm, y, x + arm, y);
        p.drawLine(x, y - arm, x, y + arm);
      }
    });
  };
}

Stroke Vees(int step, int arm) {
  return [=](QPainter& p) {
    Grid(step, true, [&](int x, int y) {
      p.drawLine(x - arm, y - arm, x, y + arm);
      p.drawLine(x, y + arm, x + arm, y - arm);
    });
  };
}

Stroke Circles(int step, int radius) {
  return [=](QPainter& p) { Grid(step, true, [&](int x, int y) { p.drawEllipse(QPoint(x, y), radius, radius); }); };
}

Stroke Triangles(int step, int arm, bool filled = false) {
  return [=](QPainter& p) {
    if (filled) p.setBrush(Qt::black);
    Grid(step, true, [&](int x, int y) {
      const QPoint t[] = {{x, y - arm}, {x - arm, y + arm}, {x + arm, y + arm}};
      p.drawPolygon(t, 3);
    });
    p.setBrush(Qt::NoBrush);
  };
}

Stroke Waves(int step, int amplitude) {
  return [=](QPainter& p) {
    for (int y = step / 2; y < kSize; y += step) {
      QPainterPath path(QPointF(0, y));
      for (int x = 0; x < kSize; x += 16) {
        path.cubicTo(x + 5, y - amplitude, x + 11, y + amplitude, x + 16, y);
      }
      p.drawPath(path);
    }
  };
}

// Oblique hatching: weathering grades, slates.
Stroke Hatch(int step, bool both) {
  return [=](QPainter& p) {
    for (int c = -kSize; c < 2 * kSize; c += step) {
      p.drawLine(c, kSize, c + kSize, 0);
      if (both) p.drawLine(c, 0, c + kSize, kSize);
    }
  };
}

// Short vertical ticks: loess columns, topsoil roots, gypsum.
Stroke Ticks(int step, int length) {
  return [=](QPainter& p) { Grid(step, true, [&](int x, int y) { p.drawLine(x, y - length / 2, x, y + length / 2); }); };
}

Stroke Blocks(int step) {
  return [=](QPainter& p) { Grid(step, true, [&](int x, int y) { p.drawRect(x - step / 3, y - step / 3, step * 2 / 3, step / 2); }); };
}

Stroke Solid(int whiteDashStep = 0) {
  return [=](QPainter& p) {
    p.fillRect(0, 0, kSize, kSize, Qt::black);
    if (whiteDashStep == 0) return;
    p.setPen(QPen(Qt::white, 2));
    Dashes(whiteDashStep, 8, 6)(p);
    p.setPen(QPen(Qt::black, 1));
  };
}

const std::map<std::string, std::vector<Stroke>>& Recipes() {
  static const std::map<std::string, std::vector<Stroke>> r = {
      // Soils and fills.
      {"冲填土", {Dots(10, 1), Hatch(16, false)}},
      {"素填土", {Hatch(12, false)}},
      {"杂填土", {Hatch(16, true), Triangles(21, 3), Dots(13, 1)}},
      {"耕表土", {Ticks(10, 6), Lines(21)}},
      {"粉土", {Dots(8, 1), Dashes(16, 8, 8, 4)}},
      {"粉质亚砂土", {Dots(12, 1), Dashes(16, 6, 10)}},
      {"粉质亚粘土", {Dashes(10, 10, 6), Dots(20, 1, false)}},
      {"粉质粘土", {Dashes(8, 12, 4), Dots(16, 1)}},
      {"红粘土", {Dashes(8, 12, 4), Hatch(21, false)}},
      {"黄土", {Ticks(12, 8), Dots(12, 1, false)}},
      {"黄土状亚砂土", {Ticks(16, 8), Dots(8, 1)}},
      {"黄土状亚粘土", {Ticks(16, 8), Dashes(10, 8, 8)}},
      {"软粘土", {Dashes(8, 14, 6), Waves(32, 3)}},
      {"砂质粉土", {Dots(6, 1), Dashes(12, 8, 8)}},
      {"亚砂土", {Dots(8, 1), Dashes(21, 6, 12)}},
      {"淤泥质亚粘土", {Waves(16, 3), Dashes(16, 8, 8, 8)}},
      {"淤泥质粘土", {Waves(16, 3), Dashes(8, 12, 4, 4)}},
      {"淤泥", {Waves(12, 2), Dashes(12, 6, 10, 6)}},
      {"粘土", {Dashes(8, 12, 4)}},
      {"粘质粉土", {Dashes(10, 10, 6), Dots(8, 1)}},
      // Sands and gravels.
      {"粗砂", {Dots(10, 2)}},
      {"粉砂", {Dots(5, 0, true)}},
      {"粉细砂", {Dots(6, 1)}},
      {"细砂", {Dots(7, 1, false)}},
      {"中砂", {Dots(9, 1)}},
      {"中细砂", {Dots(8, 1), Dots(16, 2)}},
      {"中粗砂", {Dots(10, 1), Dots(20, 2, false)}},
      {"砾砂", {Circles(16, 3), Dots(8, 1)}},
      {"砾粗砂", {Circles(16, 3), Dots(10, 2, false)}},
      {"圆砾", {Circles(12, 3)}},
      {"卵石", {Circles(16, 6)}},
      {"漂石", {Circles(32, 12)}},
      {"角跞", {Triangles(12, 3)}},
      {"碎石", {Triangles(16, 5)}},
      {"块石", {Blocks(21)}},
      // Sedimentary rocks: beds as full lines.
      {"砂岩", {Lines(16), Dots(8, 1)}},
      {"粉砂岩", {Lines(16), Dots(5, 0)}},
      {"泥质砂岩", {Lines(16), Dots(16, 1), Dashes(16, 8, 8)}},
      {"钙质砂岩", {Bricks(16, 32), Dots(8, 1)}},
      {"变质砂岩", {Waves(16, 3), Dots(8, 1)}},
      {"砾岩", {Lines(16), Circles(16, 4)}},
      {"钙质砾岩", {Bricks(16, 32), Circles(16, 4)}},
      {"砂砾岩", {Lines(21), Circles(21, 4), Dots(7, 1)}},
      {"角砾岩", {Lines(16), Triangles(16, 4)}},
      {"断层角砾岩", {Hatch(16, true), Triangles(16, 4)}},
      {"断层泥", {Hatch(12, false), Waves(12, 2)}},
      {"页岩", {Lines(12), Dashes(12, 10, 6)}},
      {"钙质页岩", {Bricks(16, 32), Dashes(8, 10, 6, 4)}},
      {"砂质页岩", {Lines(12), Dashes(12, 10, 6), Dots(12, 1)}},
      {"泥岩", {Dashes(8, 16, 4)}},
      {"泥炭", {Solid(8)}},
      {"煤", {Solid()}},
      {"硅质岩", {Lines(16), Triangles(16, 3, true)}},
      {"石膏", {Bricks(16, 16), Ticks(8, 4)}},
      {"盐岩", {Bricks(16, 16)}},
      // Carbonates: bricks.
      {"石灰岩", {Bricks(12, 24)}},
      {"泥质灰岩", {Bricks(12, 24), Dashes(12, 6, 18)}},
      {"泥灰岩", {Bricks(16, 24), Dashes(16, 10, 6, 8)}},
      {"白云岩", {Bricks(12, 24, true)}},
      {"白云质灰岩", {Bricks(12, 24), Hatch(24, false)}},
      {"大理岩", {Bricks(21, 32), Waves(21, 2)}},
      {"白云质大理岩", {Bricks(21, 32, true), Waves(21, 2)}},
      // Igneous rocks: crosses for plutonic, V marks for volcanic.
      {"花岗岩", {Crosses(12, 3, false)}},
      {"正长岩", {Crosses(16, 4, false)}},
      {"闪长岩", {Crosses(12, 3, true)}},
      {"辉长岩", {Crosses(8, 2, true)}},
      {"辉岩", {Crosses(12, 2, true), Dots(12, 1, false)}},
      {"橄榄岩", {Crosses(12, 3, true), Crosses(24, 3, false)}},
      {"安山岩", {Vees(12, 3)}},
      {"玄武岩", {Vees(8, 2)}},
      {"流纹岩", {Vees(16, 3), Waves(16, 2)}},
      // Metamorphic rocks: waves.
      {"片岩", {Waves(8, 3)}},
      {"石英片岩", {Waves(12, 3), Dots(12, 1)}},
      {"片麻岩", {Waves(16, 3), Crosses(16, 3, false)}},
      {"千枚岩", {Waves(10, 2), Hatch(21, false)}},
      {"板岩", {Hatch(6, false)}},
      {"变粒岩", {Waves(16, 4), Dots(6, 1)}},
      {"石英岩", {Dots(8, 1), Ticks(16, 6)}},
      {"角闪岩", {Crosses(10, 2, true), Waves(21, 3)}},
      {"闪岩", {Crosses(16, 3, true), Waves(16, 3)}},
      // Weathering grades: oblique hatching by density.
      {"强风化", {Hatch(8, true)}},
      {"中风化", {Hatch(12, true)}},
      {"微风化", {Hatch(16, false)}},
      // Concrete.
      {"素混凝土", {Triangles(16, 3), Dots(10, 1)}},
      {"钢筋混凝土", {Triangles(16, 3), Dots(10, 1), Hatch(16, false)}},
  };
  return r;
}

QImage Draw(const std::vector<Stroke>& strokes) {
  QImage image(kSize, kSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setPen(QPen(Qt::black, 1));
  for (const Stroke& s : strokes) s(p);
  p.end();
  // One bit per pixel, as the report's pages are.
  return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_legends OUT_DIR [CONTACT_SHEET.png]\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  constexpr int kColumns = 10;
  constexpr int kCell = kSize + 24;
  QImage sheet(kColumns * kCell, (tarnix::kLithologyCount + kColumns - 1) / kColumns * kCell, QImage::Format_RGB32);
  sheet.fill(Qt::lightGray);
  QPainter sp(&sheet);
  sp.setFont(QFont(QStringLiteral("WenQuanYi Zen Hei"), 9));
  for (int i = 0; i < tarnix::kLithologyCount; ++i) {
    const std::string name = tarnix::kLithologyNames[i];
    const auto recipe = Recipes().find(name);
    if (recipe == Recipes().end()) {
      std::fprintf(stderr, "no recipe for %s\n", name.c_str());
      return 1;
    }
    const QImage legend = Draw(recipe->second);
    const QString file = out + "/" + QString::fromStdString(*tarnix::LegendFileName(name));
    if (!legend.save(file, "BMP")) {
      std::fprintf(stderr, "cannot write %s\n", file.toLocal8Bit().constData());
      return 1;
    }
    const int x = i % kColumns * kCell + 12;
    const int y = i / kColumns * kCell + 4;
    sp.drawImage(x, y, legend);
    sp.drawText(QRect(x - 12, y + kSize, kCell, 18), Qt::AlignCenter, QString::fromStdString(name));
  }
  sp.end();
  if (argc > 2 && !sheet.save(QString::fromLocal8Bit(argv[2]))) return 1;
  return 0;
}
