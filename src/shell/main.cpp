// tarnix: the desktop application.
#include "shell/tarnix_app.h"

int main(int argc, char** argv) {
  tarnix::CTarnixApp app(argc, argv);
  if (!app.InitInstance()) return 1;
  return app.exec();
}
