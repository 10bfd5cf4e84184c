// Process-level facts and services: who we are, where scratch files go, the
// command line as a list, the environment, requests to end and the immediate
// end.
#pragma once

#include <functional>
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

// From now on a request to end the process (SIGTERM, SIGINT or SIGHUP on
// Linux, unless ignored from the start; Ctrl+C, Ctrl+Break or closing the
// console on Windows) runs `hook` on a thread of its own and then ends the
// process as the request would have. Call once, before any other thread
// starts: on Linux every later thread leaves those signals to that one.
// SIGPIPE is ignored from then on, so a write to a reader that went away
// fails instead of ending the process.
void OnEndRequest(std::function<void()> hook);

// Ends the process at once with `status`, from any thread, without running
// destructors or flushing anything but the standard streams.
[[noreturn]] void ExitNow(int status);

}  // namespace tarnwick::platform
