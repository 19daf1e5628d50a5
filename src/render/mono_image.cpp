#include "render/mono_image.h"

namespace tarnix {

QImage BlankGreyImage(int width, int height) {
  QImage image(width, height, QImage::Format_Grayscale8);
  image.fill(255);
  return image;
}

void SetUpMonoPainter(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::NoBrush);
}

void DrawTextAt(QPainter& p, int x, int y, const std::string& text) {
  p.drawText(x, y + p.fontMetrics().ascent(), QString::fromStdString(text));
}

MonoBitmap ThresholdImage(const QImage& image) {
  const QImage grey = image.format() == QImage::Format_Grayscale8 ? image
                                                                   : image.convertToFormat(QImage::Format_Grayscale8);
  MonoBitmap bitmap(grey.width(), grey.height());
  for (int y = 0; y < bitmap.Height(); ++y) {
    const uchar* row = grey.constScanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (row[x] < 128) bitmap.SetWhite(x, y, false);
    }
  }
  return bitmap;
}

}  // namespace tarnix
