#include "document/recent_file_list.h"

#include <algorithm>

namespace tarnix {

std::vector<std::string> WithRecentFile(std::vector<std::string> entries, const std::string& path) {
  entries.erase(std::remove(entries.begin(), entries.end(), path), entries.end());
  entries.insert(entries.begin(), path);
  if (entries.size() > static_cast<size_t>(RecentFileList::kSize)) entries.resize(RecentFileList::kSize);
  return entries;
}

void MemoryRecentFileList::Add(const std::string& path) { entries_ = WithRecentFile(std::move(entries_), path); }

}  // namespace tarnix
