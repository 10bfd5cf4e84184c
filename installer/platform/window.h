// The installer window: a path field with a browse button and the two action
// buttons. The platform layer owns the widgets and the event loop; the
// action itself is the caller's, which keeps it free of any toolkit.
#pragma once

#include <functional>
#include <string>

namespace korvane {

enum class WindowAction { kInstall, kUninstall };

struct WindowReport {
  bool ok = false;
  std::string message;  // shown in a message box titled like the window
};

using WindowHandler = std::function<WindowReport(WindowAction, const std::string& path)>;

// False when the program was built without a window toolkit.
bool WindowSupported();

// Opens the window with `initial_path` in the path field and runs its events
// until it is closed. Returns the exit status: 0 after the window was
// closed, 1 when no window could be opened.
int RunInstallerWindow(const std::string& initial_path, const WindowHandler& handler);

// On Windows, where a started program has no console, also shows `text` in a
// message box titled like the window and returns when it is dismissed;
// elsewhere standard output has it and nothing is shown.
void ShowInformationBox(const std::string& text);

// On Windows a GUI program has no console: attach to the parent's so the
// command-line actions can print. Elsewhere nothing to do.
void AttachParentConsole();

}  // namespace korvane
