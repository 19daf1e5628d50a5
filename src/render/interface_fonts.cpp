#include "render/interface_fonts.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QStringList>
#include <algorithm>

namespace tarnix {

void InstallInterfaceFonts() {
  // The Chinese faces of the desktop are not installed here; one CJK face with
  // its bitmap-hinted twin stands in for all of them, and the Liberation faces
  // are metric twins of the two Latin ones.
  const QStringList chinese = {"WenQuanYi Zen Hei", "WenQuanYi Zen Hei Sharp", "Noto Sans CJK SC"};
  for (const char* face : {"宋体", "黑体", "隶书", "SimSun", "SimHei"}) {
    QFont::insertSubstitutions(QString::fromUtf8(face), chinese);
  }
  // The report's body faces set Latin text in half-width serif figures; the
  // CJK face's own figures are a fifth wider and run numbers into the next
  // column, so a serif with half-em figures comes first.
  for (const char* face : {"仿宋_GB2312", "楷体_GB2312"}) {
    QFont::insertSubstitutions(QString::fromUtf8(face), QStringList{"Liberation Serif", "Tinos"} + chinese);
  }
  QFont::insertSubstitutions("Times New Roman", {"Liberation Serif", "Tinos"});
  QFont::insertSubstitutions("Arial", {"Liberation Sans", "Arimo"});
  QGuiApplication::setFont(InterfaceFont(QStringLiteral("宋体"), 9));
}

QFont InterfaceFont(const QString& face, int pointSize) {
  QFont font(face, pointSize);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QFont PixelFont(const char* face, int pixelHeight) {
  QFont font(QString::fromUtf8(face));
  const int cell = std::max(pixelHeight, 1);
  font.setPixelSize(cell);
  font.setWeight(QFont::Normal);
  // A font's height names its character cell (ascent and descent), as the
  // desktop's font heights always have, not its em: scale the em to fit.
  const qreal measured = QFontMetricsF(font).height();
  if (measured > cell) font.setPixelSize(std::max(1, qRound(cell * cell / measured)));
  return font;
}

}  // namespace tarnix
