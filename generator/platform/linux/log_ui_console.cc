// Log selection for a build without a window toolkit: always the console.
#include <iostream>

#include "platform/console_log.h"

namespace tarnwick::platform {

LogKind ChooseLogKind(ConsoleStream) {
  return LogKind::kConsole;
}

std::unique_ptr<LogUi> MakeLog(LogKind, ConsoleStream console, std::string banner,
                               std::function<void()>) {
  return std::make_unique<ConsoleLog>(std::move(banner),
                                      console == ConsoleStream::kError ? std::cerr : std::cout);
}

void ShowParameterError(LogKind, const std::string&, std::string_view usage) {
  std::cerr << "Parameter error\n" << usage << '\n' << std::flush;
}

void ShowInformation(LogKind, const std::string&, std::string_view text) {
  std::cout << text << std::flush;
}

}  // namespace tarnwick::platform
