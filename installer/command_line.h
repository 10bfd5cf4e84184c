// The installer's command line: no arguments open the window; "--install"
// or "--uninstall" with an optional file run that action without one, for
// scripted set-ups and tests; "--help" and "--version" only answer.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/system.h"

namespace korvane {

enum class RunMode { kWindow, kInstall, kUninstall, kHelp, kVersion, kUsage };

struct CommandLine {
  RunMode mode = RunMode::kWindow;
  std::optional<std::string> file;  // the default path when absent
};

inline constexpr const char* kUsage =
    "usage: korvane-installer [--install [FILE] | --uninstall [FILE] | --help | --version]";
inline constexpr const char* kVersionText = "korvane-installer 1.0";

// `args` excludes the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The answer to "--help" (usage, every option on a line, the default tool
// list) or "--version", ending in a line end; nothing for other modes.
std::optional<std::string> InformationText(const CommandLine& command, const System& system);

// Runs an install or uninstall: the message goes to `out` on success and to
// `err` on failure. Returns the exit status (0 success, 1 failure, 2 usage).
int RunCommandLine(const CommandLine& command, const System& system, std::ostream& out,
                   std::ostream& err);

}  // namespace korvane
