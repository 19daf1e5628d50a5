#pragma once
// The one exception type for reading and writing data files; what() is the
// user-facing message (UTF-8) that the open and save paths show.
#include <stdexcept>
#include <string>

namespace tarnix {

class FileError : public std::runtime_error {
 public:
  explicit FileError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tarnix
