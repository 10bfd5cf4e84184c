// Win32 process facts. The command line is taken from GetCommandLineA and
// split by the C runtime's own rules, so parameters keep the 8-bit system
// code page; the temporary directory is given in long form because short
// 8.3 names would end up in messages.
#include <windows.h>

#include <cstdio>

#include "platform/process.h"
#include "platform/windows_command_line.h"

namespace tarnwick::platform {

std::string ProgramFilePath() {
  std::string buffer(MAX_PATH, '\0');
  while (true) {
    DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string TempDirectory() {
  char shortForm[MAX_PATH + 1];
  DWORD length = GetTempPathA(sizeof shortForm, shortForm);
  if (length == 0 || length > MAX_PATH) return ".\\";
  std::string dir(shortForm, length);
  char longForm[MAX_PATH + 1];
  DWORD longLength = GetLongPathNameA(dir.c_str(), longForm, sizeof longForm);
  if (longLength > 0 && longLength <= MAX_PATH) dir.assign(longForm, longLength);
  if (dir.back() != '\\' && dir.back() != '/') dir += '\\';
  return dir;
}

std::vector<std::string> CommandLineArguments(int, char**) {
  std::vector<std::string> all = SplitWindowsCommandLine(GetCommandLineA());
  if (!all.empty()) all.erase(all.begin());
  return all;
}

std::optional<std::string> EnvironmentVariable(const std::string& name) {
  SetLastError(ERROR_SUCCESS);
  DWORD needed = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  if (needed == 0) {
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::string();
  }
  std::string value(needed, '\0');
  DWORD length = GetEnvironmentVariableA(name.c_str(), value.data(), needed);
  value.resize(length < needed ? length : 0);
  return value;
}

namespace {

// The console calls back without a context, so the hook has to be found
// here; it is set once, before the handler is registered.
std::function<void()>& EndHook() {
  static std::function<void()> hook;
  return hook;
}

BOOL WINAPI OnConsoleEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  EndHook()();
  TerminateProcess(GetCurrentProcess(), STATUS_CONTROL_C_EXIT);
  return TRUE;
}

}  // namespace

// A windowed program hears console events only while it is attached to its
// parent's console (the console log); the log window has its own close hook.
void OnEndRequest(std::function<void()> hook) {
  EndHook() = std::move(hook);
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

// TerminateProcess rather than ExitProcess: the log thread ends the process
// while the main thread may hold runtime locks that ExitProcess's clean-up
// would wait for.
void ExitNow(int status) {
  std::fflush(stdout);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(status));
  ExitProcess(static_cast<UINT>(status));
}

}  // namespace tarnwick::platform
