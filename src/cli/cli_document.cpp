#include "cli/cli_document.h"

namespace tarnix::cli {
namespace {

std::string& SettingsPath() {
  static std::string path;
  return path;
}

}  // namespace

void SetSettingsFile(const std::string& path) { SettingsPath() = path; }

const std::string& SettingsFile() { return SettingsPath(); }

}  // namespace tarnix::cli
