// Log selection on Windows: the program is a windowed one, so the window is
// the rule; TARNWICK_UI=console writes to standard output instead, which a
// script that redirects it can read.
#include <windows.h>
// windows.h makes WriteConsole a macro for the Win32 call WriteConsoleA,
// which would rename this layer's own WriteConsole (console_log.h) here.
#undef WriteConsole

#include <cstdio>

#include "base/text.h"
#include "platform/console_log.h"
#include "platform/log_choice.h"
#include "platform/process.h"
#include "platform/win32/log_window_win32.h"

namespace tarnwick::platform {

namespace {

// A windowed program started from a console has no standard streams of its
// own; borrow the parent's console so the console log can be read there.
// Streams that are already set (redirected, or under wine) stay as they are.
void AttachParentConsole() {
  auto missing = [](DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle == nullptr || handle == INVALID_HANDLE_VALUE;
  };
  bool needOut = missing(STD_OUTPUT_HANDLE);
  bool needErr = missing(STD_ERROR_HANDLE);
  if (!needOut && !needErr) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (needOut) (void)std::freopen("CONOUT$", "w", stdout);
  if (needErr) (void)std::freopen("CONOUT$", "w", stderr);
}

}  // namespace

LogKind ChooseLogKind(ConsoleStream) {
  LogChoiceFacts facts;
  facts.uiVariable = EnvironmentVariable("TARNWICK_UI");
  facts.windowBuilt = true;
  facts.outputIsTerminal = false;
  LogKind kind = DecideLogKind(facts);
  if (kind == LogKind::kConsole) AttachParentConsole();
  return kind;
}

std::unique_ptr<LogUi> MakeLog(LogKind kind, ConsoleStream console, std::string banner,
                               std::function<void()> closeHook) {
  if (kind == LogKind::kWindow) {
    return std::make_unique<Win32LogWindow>(std::move(banner), std::move(closeHook));
  }
  return std::make_unique<ConsoleLog>(std::move(banner),
                                      console == ConsoleStream::kError ? stderr : stdout);
}

void ShowParameterError(LogKind kind, const std::string& banner, std::string_view usage) {
  WriteConsole(stderr, "Parameter error\n" + std::string(usage) + '\n');
  if (kind != LogKind::kWindow) return;
  MessageBoxA(nullptr, "Parameter error", banner.c_str(), MB_OK);
}

void ShowInformation(LogKind kind, const std::string& banner, std::string_view text) {
  AttachParentConsole();
  WriteConsole(stdout, text);
  if (kind != LogKind::kWindow) return;
  Win32LogWindow window(banner, nullptr, 0);
  window.Start();
  for (LineSplitter lines(text); !lines.AtEnd();)
    window.LogLine(lines.Next());
  window.ScrollToStart();
  window.WaitUntilClosed();
}

}  // namespace tarnwick::platform
