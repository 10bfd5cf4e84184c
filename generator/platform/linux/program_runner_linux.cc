// Starts a program with posix_spawnp (searching PATH for a bare name) and
// waits for it. A program killed by a signal reports 128 + the signal, as a
// shell would. The running child's id is kept so that StopRunning, on the
// log window's thread, can end it.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "platform/program_runners.h"

extern char** environ;

namespace tarnwick::platform {

namespace {

class PosixProgramRunner final : public ProgramRunner {
 public:
  Result Run(const std::string& program, const std::vector<std::string>& arguments) override {
    Result result;
    if (program.empty()) {
      result.problem = "no program named";
      return result;
    }
    std::vector<std::string> owned;
    owned.reserve(arguments.size() + 1);
    owned.push_back(program);
    owned.insert(owned.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : owned)
      argv.push_back(text.data());
    argv.push_back(nullptr);

    // The signals this process leaves to its end-request thread are blocked
    // here, and SIGPIPE is ignored; Graphviz gets them back as usual.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &pipe);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    int failed = posix_spawnp(&pid, program.c_str(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (failed != 0) {
      result.problem = program + ": " + std::strerror(failed);
      return result;
    }
    running_ = pid;
    int status = 0;
    int waited;
    while ((waited = waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
    }
    running_ = 0;
    if (waited < 0) {
      result.problem = program + ": lost track of the started program";
      return result;
    }
    result.started = true;
    if (WIFEXITED(status)) {
      result.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
      result.exitCode = 128 + WTERMSIG(status);
    }
    return result;
  }

  void StopRunning() override {
    const pid_t pid = running_;
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    // Waits for the end without reaping, which stays Run's business.
    siginfo_t info;
    while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) < 0 && errno == EINTR) {
    }
  }

  std::string FindOnPath(const std::string& name) override {
    const char* path = std::getenv("PATH");
    if (path == nullptr || name.empty()) return {};
    std::string entries = path;
    std::size_t start = 0;
    while (start <= entries.size()) {
      std::size_t end = entries.find(':', start);
      if (end == std::string::npos) end = entries.size();
      std::string dir = entries.substr(start, end - start);
      if (dir.empty()) dir = ".";
      std::string candidate = dir + "/" + name;
      struct stat info;
      if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
          access(candidate.c_str(), X_OK) == 0) {
        return candidate;
      }
      start = end + 1;
    }
    return {};
  }

 private:
  std::atomic<pid_t> running_ = 0;
};

}  // namespace

std::unique_ptr<ProgramRunner> MakeProgramRunner() {
  return std::make_unique<PosixProgramRunner>();
}

}  // namespace tarnwick::platform
