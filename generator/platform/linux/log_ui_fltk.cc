// Log selection on Linux with FLTK built in: a terminal keeps the console; a
// start from a desktop (no terminal) opens the window when a display really
// opens, since a set DISPLAY may name a server that is gone.
#include <FL/Fl.H>
#include <FL/fl_ask.H>
#include <X11/Xlib.h>
#include <unistd.h>

#include <iostream>

#include "platform/console_log.h"
#include "platform/linux/fltk_log_window.h"
#include "platform/log_choice.h"
#include "platform/process.h"

namespace tarnwick::platform {

namespace {

bool DisplayOpens() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XCloseDisplay(display);
  return true;
}

}  // namespace

LogKind ChooseLogKind() {
  LogChoiceFacts facts;
  facts.uiVariable = EnvironmentVariable("TARNWICK_UI");
  facts.windowBuilt = true;
  facts.outputIsTerminal = isatty(STDOUT_FILENO) != 0;
  facts.displayOpens = DisplayOpens;
  return DecideLogKind(facts);
}

std::unique_ptr<LogUi> MakeLog(LogKind kind, std::string banner, std::function<void()> closeHook) {
  if (kind == LogKind::kWindow) {
    return std::make_unique<FltkLogWindow>(std::move(banner), std::move(closeHook));
  }
  return std::make_unique<ConsoleLog>(std::move(banner), std::cout);
}

void ShowParameterError(LogKind kind, const std::string& banner, std::string_view usage) {
  std::cerr << "Parameter error\n" << usage << '\n' << std::flush;
  if (kind != LogKind::kWindow) return;
  fl_message_title(banner.c_str());
  fl_choice("%s", "OK", nullptr, nullptr, "Parameter error");
}

}  // namespace tarnwick::platform
