// The installer without a window toolkit: only the command line works.
#include "platform/window.h"

namespace korvane {

bool WindowSupported() {
  return false;
}

int RunInstallerWindow(const std::string&, const WindowHandler&) {
  return 1;
}

void AttachParentConsole() {}

void ShowInformationBox(const std::string&) {}

}  // namespace korvane
