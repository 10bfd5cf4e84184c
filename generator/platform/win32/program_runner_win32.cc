// Starts a program with CreateProcessA and waits for it. The command line is
// built so that the program's C runtime splits it back into exactly the
// given arguments; names with spaces or quotes arrive intact. No console
// window is opened for console programs such as Graphviz's dot. The child
// runs in a job that ends it when the generator ends, and that StopRunning
// (on the log window's thread) ends at once.
#include <windows.h>

#include "platform/program_runners.h"
#include "platform/windows_command_line.h"

namespace tarnwick::platform {

namespace {

std::string DescribeLastError() {
  DWORD code = GetLastError();
  char text[512] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n'))
    --length;
  if (length == 0) return "system error " + std::to_string(code);
  return std::string(text, length);
}

class Win32ProgramRunner final : public ProgramRunner {
 public:
  Win32ProgramRunner() : job_(CreateJobObjectA(nullptr, nullptr)) {
    if (job_ == nullptr) return;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  }
  ~Win32ProgramRunner() override {
    if (job_ != nullptr) CloseHandle(job_);
  }
  Win32ProgramRunner(const Win32ProgramRunner&) = delete;
  Win32ProgramRunner& operator=(const Win32ProgramRunner&) = delete;

  Result Run(const std::string& program, const std::vector<std::string>& arguments) override {
    Result result;
    if (program.empty()) {
      result.problem = "no program named";
      return result;
    }
    std::string commandLine = BuildWindowsCommandLine(program, arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Started suspended so that it is in the job before it can write.
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr, nullptr, &startup,
                        &process)) {
      result.problem = program + ": " + DescribeLastError();
      return result;
    }
    if (job_ != nullptr) AssignProcessToJobObject(job_, process.hProcess);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    result.started = true;
    result.exitCode = static_cast<int>(exitCode);
    return result;
  }

  void StopRunning() override {
    if (job_ == nullptr || !TerminateJobObject(job_, 1)) return;
    // A file still open in the child could not be deleted: wait for its end.
    for (int tries = 0; tries < 500; ++tries) {
      JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
      if (!QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &accounting,
                                     sizeof accounting, nullptr) ||
          accounting.ActiveProcesses == 0) {
        return;
      }
      Sleep(10);
    }
  }

  std::string FindOnPath(const std::string& name) override {
    char found[MAX_PATH + 1];
    DWORD length = SearchPathA(nullptr, name.c_str(), ".exe", sizeof found, found, nullptr);
    if (length == 0 || length > MAX_PATH) return {};
    return std::string(found, length);
  }

 private:
  HANDLE job_;
};

}  // namespace

std::unique_ptr<ProgramRunner> MakeProgramRunner() {
  return std::make_unique<Win32ProgramRunner>();
}

}  // namespace tarnwick::platform
