#pragma once
// The recent-file list kept in the platform's settings store.
#include <functional>

#include "document/recent_file_list.h"

namespace tarnix {

class QtRecentFileList : public RecentFileList {
 public:
  void Add(const std::string& path) override;
  void Remove(const std::string& path) override;
  std::vector<std::string> Entries() const override;
  // Called after every change, so the file menu can follow.
  void SetChangedCallback(std::function<void()> changed) { changed_ = std::move(changed); }

 private:
  void Store(const std::vector<std::string>& entries);

  std::function<void()> changed_;
};

}  // namespace tarnix
