// ConsoleLog: the log on standard output, for terminals and scripts.
#pragma once

#include <ostream>
#include <string>

#include "platform/log_ui.h"

namespace tarnwick::platform {

class ConsoleLog final : public LogUi {
 public:
  ConsoleLog(std::string banner, std::ostream& out) : banner_(std::move(banner)), out_(out) {}
  // Writes the banner once, however often it is called.
  void Start() override;
  void LogLine(std::string_view line) override;
  void WaitUntilClosed() override {}

 private:
  std::string banner_;
  std::ostream& out_;
  bool started_ = false;
};

}  // namespace tarnwick::platform
