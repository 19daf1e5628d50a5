#include "shell/qt_recent_file_list.h"

#include <QSettings>
#include <QStringList>

namespace tarnix {
namespace {

const char kKey[] = "Recent File List/Files";

}  // namespace

std::vector<std::string> QtRecentFileList::Entries() const {
  std::vector<std::string> out;
  for (const QString& f : QSettings().value(kKey).toStringList()) out.push_back(f.toStdString());
  if (out.size() > static_cast<size_t>(kSize)) out.resize(kSize);
  return out;
}

void QtRecentFileList::Add(const std::string& path) { Store(WithRecentFile(Entries(), path)); }

void QtRecentFileList::Remove(const std::string& path) { Store(WithoutRecentFile(Entries(), path)); }

void QtRecentFileList::Store(const std::vector<std::string>& entries) {
  QStringList list;
  for (const std::string& f : entries) list << QString::fromStdString(f);
  QSettings().setValue(kKey, list);
  if (changed_) changed_();
}

}  // namespace tarnix
