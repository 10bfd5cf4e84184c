// ConsoleLog: the log on standard output, for terminals and scripts.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/log_ui.h"

namespace tarnwick::platform {

// Writes `text` to `out` and flushes it, so a watching terminal or pipe sees
// it at once. C stdio rather than iostreams: the stream objects' start-up
// alone pulled several hundred kilobytes of the C++ runtime into memory.
void WriteConsole(std::FILE* out, std::string_view text);

class ConsoleLog final : public LogUi {
 public:
  ConsoleLog(std::string banner, std::FILE* out) : banner_(std::move(banner)), out_(out) {}
  // Writes the banner once, however often it is called.
  void Start() override;
  void LogLine(std::string_view line) override;
  void WaitUntilClosed() override {}

 private:
  std::string banner_;
  std::FILE* out_;
  bool started_ = false;
};

}  // namespace tarnwick::platform
