#pragma once
// Where the desktop keeps its settings file.
#include <string>

namespace tarnix {

// TARNIX_SETTINGS when set; else "tarnix.ini" beside the executable when that
// folder is writable; else tarnix.ini in the user's configuration folder.
std::string SettingsFilePath();

}  // namespace tarnix
