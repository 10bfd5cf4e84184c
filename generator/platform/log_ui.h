// The log a run reports to: a window of its own or the console.
//
// Which one is chosen once at start-up (ChooseLogKind). The window lives on a
// second thread (on Linux in a module loaded only when a window is shown);
// the main thread only appends lines. Closing the window ends the process at
// once from that thread, after the close hook has removed the run's scratch
// files, with status 1: a run that is cut short places nothing.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/log.h"

namespace tarnwick::platform {

enum class LogKind { kConsole, kWindow };

// Where a console log goes: standard output, unless a result of the run goes
// there, which must then carry nothing else.
enum class ConsoleStream { kOutput, kError };

class LogUi : public Log {
 public:
  // After a failed run: the console returns at once; the window returns
  // never, the process ends when the user closes it.
  virtual void WaitUntilClosed() = 0;
};

// Decided by TARNWICK_UI ("console" or "window") when set, otherwise by how
// the program was started (whether `console` is a terminal); the console
// whenever no window can be shown.
LogKind ChooseLogKind(ConsoleStream console);

// `closeHook` runs on the window's thread just before the process ends
// because the window was closed; it must be safe to call at any moment.
std::unique_ptr<LogUi> MakeLog(LogKind kind, ConsoleStream console, std::string banner,
                               std::function<void()> closeHook);

// The bad-command-line report: the text "Parameter error" and `usage` on
// standard error, and for the window kind also a message box titled `banner`.
void ShowParameterError(LogKind kind, const std::string& banner, std::string_view usage);

// The answer to "--help" or "--version": `text` (lines ending in "\n") on
// standard output. A program without a console (the window kind on Windows)
// also shows it in a log window titled `banner` and returns only when that is
// closed, which ends the process with status 0. On Linux a terminal or a
// pipe always has it, so the text goes to standard output only.
void ShowInformation(LogKind kind, const std::string& banner, std::string_view text);

}  // namespace tarnwick::platform
