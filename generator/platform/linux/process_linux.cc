// Linux process facts: the program's own name from /proc, the temporary
// directory from TMPDIR, the arguments straight from main, and the signals
// that ask the process to end.
#include <pthread.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <thread>

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

void OnEndRequest(std::function<void()> hook) {
  // A signal ignored from the start (nohup's SIGHUP, SIGINT in a shell's
  // background job) stays ignored, as the caller meant.
  sigset_t watched;
  sigemptyset(&watched);
  for (int number : {SIGTERM, SIGINT, SIGHUP}) {
    struct sigaction current {};
    if (sigaction(number, nullptr, &current) == 0 && current.sa_handler != SIG_IGN) {
      sigaddset(&watched, number);
    }
  }
  // Blocked here, in every thread started later, and waited for by one
  // thread, where the hook may take locks as no signal handler could.
  pthread_sigmask(SIG_BLOCK, &watched, nullptr);
  // A reader that goes away (`| head`) makes a write fail, reported like any
  // failed write, instead of ending the process with its scratch behind.
  std::signal(SIGPIPE, SIG_IGN);
  try {
    std::thread([watched, hook = std::move(hook)] {
      int number = 0;
      if (sigwait(&watched, &number) != 0) return;
      hook();
      // Ends the process as the signal would, its status included.
      std::signal(number, SIG_DFL);
      sigset_t only;
      sigemptyset(&only);
      sigaddset(&only, number);
      pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
      raise(number);
      _exit(128 + number);
    }).detach();
  } catch (const std::system_error&) {
    // No thread to wait for them: the signals end the process as before.
    pthread_sigmask(SIG_UNBLOCK, &watched, nullptr);
  }
}

void ExitNow(int status) {
  std::fflush(stdout);
  std::fflush(stderr);
  _exit(status);
}

}  // namespace tarnwick::platform
