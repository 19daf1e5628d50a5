#include "document/recent_file_list.h"

#include <algorithm>
#include <filesystem>

namespace tarnix {

namespace {

std::string Absolute(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}

}  // namespace

std::vector<std::string> WithRecentFile(std::vector<std::string> entries, const std::string& path) {
  const std::string entry = Absolute(path);
  entries = WithoutRecentFile(std::move(entries), entry);
  entries.insert(entries.begin(), entry);
  if (entries.size() > static_cast<size_t>(RecentFileList::kSize)) entries.resize(RecentFileList::kSize);
  return entries;
}

std::vector<std::string> WithoutRecentFile(std::vector<std::string> entries, const std::string& path) {
  entries.erase(std::remove(entries.begin(), entries.end(), path), entries.end());
  return entries;
}

void MemoryRecentFileList::Add(const std::string& path) { entries_ = WithRecentFile(std::move(entries_), path); }

void MemoryRecentFileList::Remove(const std::string& path) {
  entries_ = WithoutRecentFile(std::move(entries_), path);
}

}  // namespace tarnix
