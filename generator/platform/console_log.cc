// Console log: the banner as the first line, then one line per LogLine,
// flushed at once so a watching terminal or pipe sees progress as it happens.
#include "platform/console_log.h"

namespace tarnwick::platform {

void WriteConsole(std::FILE* out, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), out);
  std::fflush(out);
}

void ConsoleLog::Start() {
  if (started_) return;
  started_ = true;
  WriteConsole(out_, banner_ + '\n');
}

void ConsoleLog::LogLine(std::string_view line) {
  Start();
  WriteConsole(out_, std::string(line) + '\n');
}

}  // namespace tarnwick::platform
