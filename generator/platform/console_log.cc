// Console log: the banner as the first line, then one line per LogLine,
// flushed at once so a watching terminal or pipe sees progress as it happens.
#include "platform/console_log.h"

namespace tarnwick::platform {

void ConsoleLog::Start() {
  if (started_) return;
  started_ = true;
  out_ << banner_ << '\n' << std::flush;
}

void ConsoleLog::LogLine(std::string_view line) {
  Start();
  out_ << line << '\n' << std::flush;
}

}  // namespace tarnwick::platform
