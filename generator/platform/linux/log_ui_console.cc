// Log selection for a build without a window toolkit: always the console.

#include "platform/console_log.h"

namespace tarnwick::platform {

LogKind ChooseLogKind(ConsoleStream) {
  return LogKind::kConsole;
}

std::unique_ptr<LogUi> MakeLog(LogKind, ConsoleStream console, std::string banner,
                               std::function<void()>) {
  return std::make_unique<ConsoleLog>(std::move(banner),
                                      console == ConsoleStream::kError ? stderr : stdout);
}

void ShowParameterError(LogKind, const std::string&, std::string_view usage) {
  WriteConsole(stderr, "Parameter error\n" + std::string(usage) + '\n');
}

void ShowInformation(LogKind, const std::string&, std::string_view text) {
  WriteConsole(stdout, text);
}

}  // namespace tarnwick::platform
