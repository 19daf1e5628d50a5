#include "shell/settings_location.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarnix {

std::string SettingsFilePath() {
  const QString env = qEnvironmentVariable("TARNIX_SETTINGS");
  if (!env.isEmpty()) return env.toStdString();
  const QString beside = QCoreApplication::applicationDirPath();
  if (!beside.isEmpty() && QFileInfo(beside).isWritable()) return QDir(beside).filePath("tarnix.ini").toStdString();
  const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  return QDir(config.isEmpty() ? QDir::tempPath() : config).filePath("tarnix.ini").toStdString();
}

}  // namespace tarnix
