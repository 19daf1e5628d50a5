#include "render/legend_bitmap.h"

#include <QCoreApplication>
#include <QDir>

#include "analysis/lithology.h"

namespace tarnix {

QString LegendFolder() {
  const QString folder = QString::fromUtf8(kLegendFolder);
  const QDir besideExecutable(QCoreApplication::applicationDirPath());
  if (besideExecutable.exists(folder)) return besideExecutable.filePath(folder);
  return QDir(QStringLiteral(TARNIX_DATA_DIR)).filePath(folder);
}

QImage LoadLegend(const std::string& picName) {
  const auto file = LegendFileName(picName);
  if (!file) return {};
  return QImage(QDir(LegendFolder()).filePath(QString::fromStdString(*file)));
}

}  // namespace tarnix
