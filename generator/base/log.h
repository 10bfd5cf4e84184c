// Log: how the generation stages report progress without knowing the window.
//
// The driver owns the real log (a window or the console) and hands this
// interface down; stages only append whole lines.
#pragma once

#include <string_view>

namespace tarnwick {

class Log {
 public:
  virtual ~Log() = default;
  // Opens the log and returns once lines can be appended.
  virtual void Start() {}
  virtual void LogLine(std::string_view line) = 0;
};

// Discards every line; for tests and tools that run a pass silently.
class NullLog final : public Log {
 public:
  void LogLine(std::string_view) override {}
};

}  // namespace tarnwick
