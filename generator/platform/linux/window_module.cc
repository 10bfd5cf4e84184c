// The window module: the FLTK log window, the display probe and the
// parameter-error box, behind one exported entry point.
#include "platform/linux/window_module.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>
#include <FL/x.H>
#include <X11/Xlib.h>
#include <unistd.h>

#include "platform/linux/fltk_log_window.h"

namespace tarnwick::platform {

namespace {

Display* probed = nullptr;

// The probe's connection is kept and handed to the window: a second
// connection can be refused on a busy server, and FLTK ends the process when
// it cannot open its display. A refused first attempt is tried again.
bool DisplayOpens() {
  Display* display = nullptr;
  for (int attempt = 0; attempt < 3 && display == nullptr; ++attempt) {
    if (attempt > 0) usleep(100'000);
    display = XOpenDisplay(nullptr);
  }
  if (display == nullptr) return false;
  probed = display;
  UseDisplayConnection(display);
  return true;
}

std::unique_ptr<LogUi> MakeWindowLog(std::string banner, std::function<void()> closeHook) {
  return std::make_unique<FltkLogWindow>(std::move(banner), std::move(closeHook));
}

void ShowParameterErrorBox(const std::string& banner) {
  if (probed != nullptr) fl_open_display(probed);
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
