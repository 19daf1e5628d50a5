#include "formats/staged_file.h"

#include <cstdio>

namespace tarnix {

StagedFile::StagedFile(std::string target)
    : target_(std::move(target)), staged_(target_ + ".tarnix-new") {
  file_ = std::fopen(staged_.c_str(), "wb");
  ok_ = file_ != nullptr;
}

StagedFile::~StagedFile() {
  if (file_ != nullptr) std::fclose(file_);
  if (!committed_) std::remove(staged_.c_str());
}

bool StagedFile::Write(std::string_view bytes) {
  if (file_ == nullptr) return false;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    ok_ = false;
  }
  return ok_;
}

bool StagedFile::Close() {
  if (file_ != nullptr) {
    if (std::fclose(file_) != 0) ok_ = false;
    file_ = nullptr;
  }
  return ok_;
}

bool StagedFile::Commit() {
  if (!Close()) return false;
  committed_ = std::rename(staged_.c_str(), target_.c_str()) == 0;
  return committed_;
}

}  // namespace tarnix
