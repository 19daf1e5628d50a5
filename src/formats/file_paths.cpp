#include "formats/file_paths.h"

namespace tarnix {

bool IsRawTestPath(std::string_view path) { return path.find(".CHT") != std::string_view::npos; }

bool IsResultPath(std::string_view path) { return path.find(".CHA") != std::string_view::npos; }

std::string DataFilePath(std::string_view textPath) {
  std::string p(textPath);
  if (p.empty()) return p;
  if (p.size() >= 4 && p.compare(p.size() - 4, 4, ".RTX") == 0) {
    p.replace(p.size() - 2, 2, "DA");
  } else {
    p.back() = 'D';
  }
  return p;
}

}  // namespace tarnix
