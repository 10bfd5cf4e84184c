// Test helper: posix_spawn with the error output sent to a scratch file, then
// waitpid; the file is read back and removed.
#include "posix_program.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

extern char** environ;

namespace tarnwick::testing {

ProgramOutcome RunProgram(const std::string& program, const std::vector<std::string>& arguments) {
  ProgramOutcome outcome;
  std::string errorFile = ::testing::TempDir() + "tarnwick_stderr_" + std::to_string(getpid());

  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  int status = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (status != 0) return outcome;

  int waitStatus = 0;
  waitpid(pid, &waitStatus, 0);
  outcome.started = true;
  outcome.exitCode = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
  std::ifstream errors(errorFile, std::ios::binary);
  std::ostringstream text;
  text << errors.rdbuf();
  outcome.errorOutput = text.str();
  std::filesystem::remove(errorFile);
  return outcome;
}

std::string FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path) return {};
  std::stringstream directories(path);
  std::string directory;
  while (std::getline(directories, directory, ':')) {
    std::string candidate = (directory.empty() ? "." : directory) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

ProgramRunner::Result PosixProgramRunner::Run(const std::string& program,
                                              const std::vector<std::string>& arguments) {
  ProgramOutcome outcome = RunProgram(program, arguments);
  Result result;
  result.started = outcome.started;
  result.exitCode = outcome.exitCode;
  if (!outcome.started) result.problem = "could not be started";
  return result;
}

}  // namespace tarnwick::testing
