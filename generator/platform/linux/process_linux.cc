// Linux process facts: the program's own name from /proc, the temporary
// directory from TMPDIR, the arguments straight from main.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/process.h"

namespace tarnwick::platform {

std::string ProgramFilePath() {
  std::string buffer(PATH_MAX, '\0');
  ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0) return {};
  buffer.resize(static_cast<std::size_t>(length));
  return buffer;
}

std::string TempDirectory() {
  std::string dir = "/tmp";
  if (const char* value = std::getenv("TMPDIR"); value != nullptr && *value != '\0') dir = value;
  if (dir.back() != '/') dir += '/';
  return dir;
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i)
    arguments.emplace_back(argv[i]);
  return arguments;
}

std::optional<std::string> EnvironmentVariable(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

void ExitNow(int status) {
  std::fflush(stdout);
  std::fflush(stderr);
  _exit(status);
}

}  // namespace tarnwick::platform
