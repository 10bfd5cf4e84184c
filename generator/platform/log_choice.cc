// Picks console or window from the start-up facts. A display is probed last
// and only when a window would otherwise be chosen, since opening one costs a
// round trip to the server.
#include "platform/log_choice.h"

namespace tarnwick::platform {

LogKind DecideLogKind(const LogChoiceFacts& facts) {
  if (!facts.windowBuilt) return LogKind::kConsole;
  bool wantWindow = !facts.outputIsTerminal;
  if (facts.uiVariable == "console") wantWindow = false;
  if (facts.uiVariable == "window") wantWindow = true;
  if (!wantWindow) return LogKind::kConsole;
  if (facts.displayOpens && !facts.displayOpens()) return LogKind::kConsole;
  return LogKind::kWindow;
}

}  // namespace tarnwick::platform
