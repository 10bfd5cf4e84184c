// Command line: a fixed, tiny grammar parsed by position; anything else is a
// usage error, so a mistyped option never silently opens a window.
#include "command_line.h"

#include "install_tool.h"

namespace korvane {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  if (args.empty()) return {RunMode::kWindow, std::nullopt};
  RunMode mode = RunMode::kUsage;
  if (args[0] == "--install") mode = RunMode::kInstall;
  if (args[0] == "--uninstall") mode = RunMode::kUninstall;
  if (mode == RunMode::kUsage || args.size() > 2) return {RunMode::kUsage, std::nullopt};
  if (args.size() == 2) return {mode, args[1]};
  return {mode, std::nullopt};
}

int RunCommandLine(const CommandLine& command, const System& system, std::ostream& out,
                   std::ostream& err) {
  if (command.mode != RunMode::kInstall && command.mode != RunMode::kUninstall) {
    err << kUsage << '\n';
    return 2;
  }
  const std::string path = command.file.value_or(DefaultPrefsPath(system));
  ActionResult result =
      command.mode == RunMode::kInstall ? InstallTool(system, path) : UninstallTool(system, path);
  (result.ok ? out : err) << result.message << '\n';
  return result.ok ? 0 : 1;
}

}  // namespace korvane
