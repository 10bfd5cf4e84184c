// The log window's loadable module on Linux.
//
// The window toolkit and the X libraries take longer to load than a small
// lexer takes to generate, and console runs (scripts, builds, benchmarks)
// never show a window. So the window lives in a module beside the program,
// loaded only when a window is about to be shown; without the module the
// program simply keeps to the console.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/log_ui.h"

namespace tarnwick::platform {

struct WindowModule {
  // Whether a display really opens (a set DISPLAY may name a server that is gone).
  bool (*displayOpens)();
  std::unique_ptr<LogUi> (*makeLog)(std::string banner, std::function<void()> closeHook);
  // The "Parameter error" box, titled with the banner; returns when dismissed.
  void (*showParameterError)(const std::string& banner);
};

// The module's file name, looked for in the program's own directory, then in
// this folder of the program directory's parent (an installed tree).
inline constexpr const char* kWindowModuleFile = "tarnwick-window.so";
inline constexpr const char* kInstalledModuleFolder = "lib/tarnwick";
// The one symbol the module exports: `const WindowModule* tarnwick_window_module()`.
inline constexpr const char* kWindowModuleEntry = "tarnwick_window_module";

}  // namespace tarnwick::platform
