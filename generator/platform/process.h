// Process-level facts and services: who we are, where scratch files go, the
// command line as a list, the environment and the immediate end.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarnwick::platform {

// The running program's own full file name.
std::string ProgramFilePath();

// The user's temporary directory in long form, ending in a separator.
std::string TempDirectory();

// The parameters after the program name, unquoted. On Windows they come from
// the process's own command line (8-bit, in the system code page) and the
// arguments of main are ignored.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

std::optional<std::string> EnvironmentVariable(const std::string& name);

// Ends the process at once with `status`, from any thread, without running
// destructors or flushing anything but the standard streams.
[[noreturn]] void ExitNow(int status);

}  // namespace tarnwick::platform
