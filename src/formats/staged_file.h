#pragma once
// A file written beside its target and moved over it only on Commit, so that a
// failed save never destroys the previous file.
#include <cstdio>
#include <string>
#include <string_view>

namespace tarnix {

class StagedFile {
 public:
  explicit StagedFile(std::string target);
  ~StagedFile();  // removes the staged copy unless committed
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  bool Write(std::string_view bytes);
  // Flushes and closes the staged copy; false when any write failed. Close both
  // files of a pair before committing either.
  bool Close();
  // Closes if needed and renames the staged copy over the target.
  bool Commit();

 private:
  std::string target_;
  std::string staged_;
  std::FILE* file_ = nullptr;
  bool ok_ = true;
  bool committed_ = false;
};

}  // namespace tarnix
