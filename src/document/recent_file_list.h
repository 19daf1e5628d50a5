#pragma once
// The list of recently used files shown in the file menu: four entries, most
// recent first. The Qt shell keeps it in the platform's settings store.
#include <string>
#include <vector>

namespace tarnix {

class RecentFileList {
 public:
  static constexpr int kSize = 4;
  virtual ~RecentFileList() = default;
  // Moves path to the front, dropping a duplicate and the oldest beyond four.
  virtual void Add(const std::string& path) = 0;
  // Drops an entry that no longer opens.
  virtual void Remove(const std::string& path) = 0;
  virtual std::vector<std::string> Entries() const = 0;
};

class MemoryRecentFileList : public RecentFileList {
 public:
  void Add(const std::string& path) override;
  void Remove(const std::string& path) override;
  std::vector<std::string> Entries() const override { return entries_; }

 private:
  std::vector<std::string> entries_;
};

// The list after adding path to entries: the rule every backing store shares.
// Entries are absolute, so that they open from any working folder.
std::vector<std::string> WithRecentFile(std::vector<std::string> entries, const std::string& path);
std::vector<std::string> WithoutRecentFile(std::vector<std::string> entries, const std::string& path);

}  // namespace tarnix
