// The window module: the FLTK log window, the display probe and the
// parameter-error box, behind one exported entry point.
#include "platform/linux/window_module.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>
#include <X11/Xlib.h>

#include "platform/linux/fltk_log_window.h"

namespace tarnwick::platform {

namespace {

bool DisplayOpens() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XCloseDisplay(display);
  return true;
}

std::unique_ptr<LogUi> MakeWindowLog(std::string banner, std::function<void()> closeHook) {
  return std::make_unique<FltkLogWindow>(std::move(banner), std::move(closeHook));
}

void ShowParameterErrorBox(const std::string& banner) {
  fl_message_title(banner.c_str());
  fl_choice("%s", "OK", nullptr, nullptr, "Parameter error");
}

constexpr WindowModule kModule{&DisplayOpens, &MakeWindowLog, &ShowParameterErrorBox};

}  // namespace

}  // namespace tarnwick::platform

extern "C" __attribute__((visibility("default"))) const tarnwick::platform::WindowModule*
tarnwick_window_module() {
  return &tarnwick::platform::kModule;
}
