// Log selection on Linux: a terminal keeps the console; a start from a
// desktop (no terminal) opens the window when the window module loads and a
// display really opens. The module is loaded only then, so console runs never
// pay for the window toolkit.
#include <dlfcn.h>
#include <unistd.h>

#include <string>

#include "platform/console_log.h"
#include "platform/files.h"
#include "platform/linux/window_module.h"
#include "platform/log_choice.h"
#include "platform/process.h"

namespace tarnwick::platform {

namespace {

// Beside the program in the build tree; in lib/tarnwick/ of an installed
// tree, where bin/ holds programs only.
std::string ModulePath() {
  // Plain text operations on the absolute program path: std::filesystem would
  // bring the C++ runtime's locale machinery into every run.
  auto parentOf = [](const std::string& path) { return path.substr(0, path.rfind('/')); };
  const std::string programDirectory = parentOf(ProgramFilePath());
  const std::string beside = programDirectory + '/' + kWindowModuleFile;
  const std::string installed =
      parentOf(programDirectory) + '/' + kInstalledModuleFolder + '/' + kWindowModuleFile;
  return FileExists(beside) || !FileExists(installed) ? beside : installed;
}

// Loaded once, on first use, and kept for the life of the process.
const WindowModule* LoadWindowModule() {
  static const WindowModule* module = [] {
    void* handle = dlopen(ModulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return static_cast<const WindowModule*>(nullptr);
    using Entry = const WindowModule* (*)();
    auto entry = reinterpret_cast<Entry>(dlsym(handle, kWindowModuleEntry));
    return entry ? entry() : nullptr;
  }();
  return module;
}

}  // namespace

LogKind ChooseLogKind(ConsoleStream console) {
  LogChoiceFacts facts;
  facts.uiVariable = EnvironmentVariable("TARNWICK_UI");
  facts.windowBuilt = FileExists(ModulePath());
  facts.outputIsTerminal =
      isatty(console == ConsoleStream::kError ? STDERR_FILENO : STDOUT_FILENO) != 0;
  facts.displayOpens = [] {
    const WindowModule* module = LoadWindowModule();
    return module != nullptr && module->displayOpens();
  };
  return DecideLogKind(facts);
}

std::unique_ptr<LogUi> MakeLog(LogKind kind, ConsoleStream console, std::string banner,
                               std::function<void()> closeHook) {
  if (kind == LogKind::kWindow) {
    if (const WindowModule* module = LoadWindowModule()) {
      return module->makeLog(std::move(banner), std::move(closeHook));
    }
  }
  return std::make_unique<ConsoleLog>(std::move(banner),
                                      console == ConsoleStream::kError ? stderr : stdout);
}

void ShowParameterError(LogKind kind, const std::string& banner, std::string_view usage) {
  WriteConsole(stderr, "Parameter error\n" + std::string(usage) + '\n');
  if (kind != LogKind::kWindow) return;
  if (const WindowModule* module = LoadWindowModule()) module->showParameterError(banner);
}

void ShowInformation(LogKind, const std::string&, std::string_view text) {
  WriteConsole(stdout, text);
}

}  // namespace tarnwick::platform
