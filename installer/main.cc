// korvane-installer entry: the command line decides between the window, a
// scripted install or uninstall (both run the same tool-list actions) and
// the "--help" and "--version" answers.
#include <iostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "install_tool.h"
#include "platform/system.h"
#include "platform/window.h"

int main(int argc, char** argv) {
  using namespace korvane;
  std::unique_ptr<System> system = MakeNativeSystem();
  CommandLine command = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (std::optional<std::string> text = InformationText(command, *system)) {
    AttachParentConsole();
    std::cout << *text << std::flush;
    ShowInformationBox(*text);
    return 0;
  }
  if (command.mode != RunMode::kWindow) {
    AttachParentConsole();
    return RunCommandLine(command, *system, std::cout, std::cerr);
  }
  if (!WindowSupported()) {
    std::cerr << kUsage << '\n';
    return 2;
  }
  return RunInstallerWindow(
      DefaultPrefsPath(*system), [&system](WindowAction action, const std::string& path) {
        ActionResult result = action == WindowAction::kInstall ? InstallTool(*system, path)
                                                               : UninstallTool(*system, path);
        return WindowReport{result.ok, result.message};
      });
}
