// The installer window with FLTK on X11: a fixed-size window centred on the
// screen, the widgets at the positions of the layout table, FLTK's message
// box for every result and its native file chooser for browsing.
//
// FLTK ends the process when it cannot reach a display, so the display is
// opened with Xlib first and a failure is reported to the caller instead.
#include <FL/Enumerations.H>
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>
#include <X11/Xlib.h>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "installer_texts.h"
#include "platform/window.h"

namespace korvane {
namespace {

const std::string& Title() {
  static const std::string title(kWindowTitle);
  return title;
}

// FLTK's chooser wants "description<TAB>pattern" lines; "*.*" means every
// file on Windows but only names with a dot here, so it becomes "*".
std::string FltkFilter(std::string_view list) {
  std::string out;
  while (!list.empty()) {
    std::size_t bar = list.find('|');
    std::string_view description = list.substr(0, bar);
    list = bar == std::string_view::npos ? std::string_view() : list.substr(bar + 1);
    bar = list.find('|');
    std::string_view pattern = list.substr(0, bar);
    list = bar == std::string_view::npos ? std::string_view() : list.substr(bar + 1);
    // The chooser shows the pattern after the description by itself.
    std::string suffix = " (" + std::string(pattern) + ")";
    if (description.ends_with(suffix)) description.remove_suffix(suffix.size());
    if (pattern == "*.*") pattern = "*";
    out.append(description).append("\t").append(pattern).append("\n");
  }
  return out;
}

class InstallerWindow {
 public:
  InstallerWindow(const std::string& initial_path, const WindowHandler& handler)
      : handler_(handler),
        window_(std::make_unique<Fl_Window>(kWindowWidth, kWindowHeight, Title().c_str())) {
    window_->begin();
    label_ = Make<Fl_Box>(kPathLabel);
    label_->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    path_ = Make<Fl_Input>(kPathField);
    path_->textsize(12);
    path_->value(initial_path.c_str());
    Make<Fl_Button>(kBrowseButton)->callback(OnBrowse, this);
    Make<Fl_Button>(kInstallButton)->callback(OnInstall, this);
    Make<Fl_Button>(kUninstallButton)->callback(OnUninstall, this);
    window_->end();
    window_->callback(OnClose, this);
    window_->size_range(kWindowWidth, kWindowHeight, kWindowWidth, kWindowHeight);
    int x, y, w, h;
    Fl::screen_work_area(x, y, w, h);
    window_->position(x + (w - kWindowWidth) / 2, y + (h - kWindowHeight) / 2);
  }

  int Run() {
    window_->show();
    return Fl::run();
  }

 private:
  // Widgets made between begin() and end() belong to the window, which
  // deletes them with itself.
  template <typename Widget>
  Widget* Make(const ItemBox& box) {
    auto* widget = new Widget(box.x, box.y, box.width, box.height);
    widget->copy_label(std::string(box.text).c_str());
    widget->labelsize(12);
    return widget;
  }

  void Report(WindowAction action) {
    WindowReport report = handler_(action, path_->value());
    fl_message_title(Title().c_str());
    if (report.ok) {
      fl_message("%s", report.message.c_str());
    } else {
      fl_alert("%s", report.message.c_str());
    }
  }

  void Browse() {
    std::string start = path_->value();
    std::size_t slash = start.find_last_of("/\\");
    std::string directory = slash == std::string::npos ? std::string() : start.substr(0, slash);
    std::string filter = FltkFilter(kBrowseFilter);
    Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_FILE);
    chooser.title(std::string(kBrowseTitle).c_str());
    chooser.filter(filter.c_str());
    chooser.filter_value(0);
    if (!directory.empty()) chooser.directory(directory.c_str());
    chooser.preset_file(start.substr(slash == std::string::npos ? 0 : slash + 1).c_str());
    if (chooser.show() == 0 && chooser.filename() != nullptr && *chooser.filename() != '\0') {
      path_->value(chooser.filename());
    }
  }

  static void OnBrowse(Fl_Widget*, void* self) { static_cast<InstallerWindow*>(self)->Browse(); }
  static void OnInstall(Fl_Widget*, void* self) {
    static_cast<InstallerWindow*>(self)->Report(WindowAction::kInstall);
  }
  static void OnUninstall(Fl_Widget*, void* self) {
    static_cast<InstallerWindow*>(self)->Report(WindowAction::kUninstall);
  }
  // FLTK also closes a window on Escape; only the close box should end the
  // program.
  static void OnClose(Fl_Widget* widget, void*) {
    if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
    widget->hide();
  }

  const WindowHandler& handler_;
  std::unique_ptr<Fl_Window> window_;
  Fl_Box* label_ = nullptr;
  Fl_Input* path_ = nullptr;
};

bool DisplayReachable() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XCloseDisplay(display);
  return true;
}

}  // namespace

bool WindowSupported() {
  return true;
}

int RunInstallerWindow(const std::string& initial_path, const WindowHandler& handler) {
  if (!DisplayReachable()) {
    std::fputs("korvane-installer: cannot open the display\n", stderr);
    return 1;
  }
  fl_close = "OK";
  InstallerWindow window(initial_path, handler);
  window.Run();
  return 0;
}

void AttachParentConsole() {}

void ShowInformationBox(const std::string&) {}

}  // namespace korvane
