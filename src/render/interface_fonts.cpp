#include "render/interface_fonts.h"

#include <QGuiApplication>
#include <QStringList>
#include <algorithm>

namespace tarnix {

void InstallInterfaceFonts() {
  // The Chinese faces of the desktop are not installed here; one CJK face with
  // its bitmap-hinted twin stands in for all of them, and the Liberation faces
  // are metric twins of the two Latin ones.
  const QStringList chinese = {"WenQuanYi Zen Hei", "WenQuanYi Zen Hei Sharp", "Noto Sans CJK SC"};
  for (const char* face : {"宋体", "黑体", "隶书", "仿宋_GB2312", "楷体_GB2312", "SimSun", "SimHei"}) {
    QFont::insertSubstitutions(QString::fromUtf8(face), chinese);
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
  font.setPixelSize(std::max(pixelHeight, 1));
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace tarnix
