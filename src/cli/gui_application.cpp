#include "cli/gui_application.h"

#include <cstdlib>

#include "render/interface_fonts.h"

namespace tarnix::cli {

std::unique_ptr<QGuiApplication> MakeGuiApplication() {
  if (QGuiApplication::instance() != nullptr) return nullptr;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "tarnix-cli";
  static char* argv[] = {name, nullptr};
  auto app = std::make_unique<QGuiApplication>(argc, argv);
  InstallInterfaceFonts();
  return app;
}

}  // namespace tarnix::cli
