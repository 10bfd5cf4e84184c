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
  if (args.size() == 1 && args[0] == "--help") return {RunMode::kHelp, std::nullopt};
  if (args.size() == 1 && args[0] == "--version") return {RunMode::kVersion, std::nullopt};
  if (mode == RunMode::kUsage || args.size() > 2) return {RunMode::kUsage, std::nullopt};
  if (args.size() == 2) return {mode, args[1]};
  return {mode, std::nullopt};
}

std::optional<std::string> InformationText(const CommandLine& command, const System& system) {
  if (command.mode == RunMode::kVersion) return std::string(kVersionText) + "\n";
  if (command.mode != RunMode::kHelp) return std::nullopt;
  return std::string(kUsage) +
         "\n"
         "Adds the build tool Korvane to the PureBasic IDE's tool list (one entry for\n"
         "each of four compile events) or removes it again.\n\n"
         "  (no option)         open the installer window\n"
         "  --install [FILE]    add the entries to the tool list FILE, without a window\n"
         "  --uninstall [FILE]  remove them from FILE, without a window\n"
         "  --help              show this text\n"
         "  --version           show the version\n\n"
         "FILE, and the window's path at start, default to\n  " +
         DefaultPrefsPath(system) +
         "\nEach change first copies FILE to FILE.bak.\n"
         "Exit status: 0 success, 1 failure, 2 bad command line.\n";
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
