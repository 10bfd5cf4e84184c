// Starts a program with CreateProcessA and waits for it. The command line is
// built so that the program's C runtime splits it back into exactly the
// given arguments; names with spaces or quotes arrive intact. No console
// window is opened for console programs such as Graphviz's dot.
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
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process)) {
      result.problem = program + ": " + DescribeLastError();
      return result;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    result.started = true;
    result.exitCode = static_cast<int>(exitCode);
    return result;
  }

  std::string FindOnPath(const std::string& name) override {
    char found[MAX_PATH + 1];
    DWORD length = SearchPathA(nullptr, name.c_str(), ".exe", sizeof found, found, nullptr);
    if (length == 0 || length > MAX_PATH) return {};
    return std::string(found, length);
  }
};

}  // namespace

std::unique_ptr<ProgramRunner> MakeProgramRunner() {
  return std::make_unique<Win32ProgramRunner>();
}

}  // namespace tarnwick::platform
