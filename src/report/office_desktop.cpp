#include "report/office_desktop.h"

#include <QDesktopServices>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>
#include <filesystem>

namespace tarnix {
namespace {

// A name worth a file: more than the instrument's "***" for "not given".
bool Named(const std::string& text) {
  const std::string part = automation::FileNamePart(text);
  return part.find_first_not_of("_* ") != std::string::npos;
}

}  // namespace

std::string OfficeBaseName(const TestHeader& header, const std::string& documentPath) {
  if (Named(header.m_holeID)) return header.m_holeID;
  const std::string stem = std::filesystem::path(documentPath).stem().string();
  return Named(stem) ? stem : "Tarnix";
}

automation::OfficeOutput DesktopOfficeOutput(const CTarnixDoc& doc) {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  automation::OfficeOutput output;
  output.folder = QDir::toNativeSeparators(folder).toStdString();
  output.baseName = OfficeBaseName(doc.Header(), doc.PathName());
  return output;
}

void OpenWhenVisible(const automation::FinishedFile& file) {
  if (file.visible && file.error.empty()) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.path)));
  }
}

}  // namespace tarnix
