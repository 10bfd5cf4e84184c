// The rule that picks the log kind, apart from the probes that feed it.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/log_ui.h"

namespace tarnwick::platform {

struct LogChoiceFacts {
  std::optional<std::string> uiVariable;  // TARNWICK_UI, when set
  bool windowBuilt = false;               // the program has a window at all
  bool outputIsTerminal = false;          // standard output is a terminal
  std::function<bool()> displayOpens;     // asked only when it matters
};

// An explicit "console" or "window" wins (a window still needs a display);
// otherwise a terminal means console, and no terminal means the window when
// a display can be opened.
LogKind DecideLogKind(const LogChoiceFacts& facts);

}  // namespace tarnwick::platform
