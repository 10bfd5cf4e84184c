// The log window: a fixed 404 x 154 window with a read-only text display at
// 2, 2 sized 400 x 100, titled with the banner.
//
// Threads: the window thread takes Fl::lock() once, builds the window, sets
// the one-shot ready flag and runs Fl::run() for the life of the process.
// The main thread appends under Fl::lock() and wakes the loop with
// Fl::awake(), which is FLTK's documented way to touch widgets from another
// thread. Closing the window runs the close hook and ends the process from
// the window thread, whatever the main thread is doing.
#include "platform/linux/fltk_log_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>
#include <FL/Fl_Window.H>
#include <FL/fl_utf8.h>
#include <FL/x.H>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <vector>

namespace tarnwick::platform {

namespace {

// Set once on the main thread before the window thread starts, then read by
// that thread only.
Display* givenDisplay = nullptr;

constexpr int kWindowWidth = 404;
constexpr int kWindowHeight = 154;

// Messages are 8-bit Windows-1252 text while FLTK draws UTF-8: a line that
// is not already valid UTF-8 (file names on Linux usually are) is widened.
std::string ToDisplayText(std::string_view line) {
  std::string text(line);
  if (text.empty() || fl_utf8test(text.data(), static_cast<unsigned>(text.size())) != 0) {
    return text;
  }
  std::vector<char> wide(text.size() * 3 + 1);
  unsigned length = fl_utf8froma(wide.data(), static_cast<unsigned>(wide.size()), text.data(),
                                 static_cast<unsigned>(text.size()));
  return std::string(wide.data(), length);
}

}  // namespace

void UseDisplayConnection(void* display) {
  givenDisplay = static_cast<Display*>(display);
}

// The window with its two parts as members; FLTK's group must not delete
// the member display, so it is taken out before the group goes away.
class LogWindowWidget : public Fl_Window {
 public:
  explicit LogWindowWidget(const char* title)
      : Fl_Window(kWindowWidth, kWindowHeight, title), display_(2, 2, 400, 100) {
    end();
    display_.buffer(&buffer_);
    size_range(kWindowWidth, kWindowHeight, kWindowWidth, kWindowHeight);
  }
  ~LogWindowWidget() override { remove(display_); }

  void Append(const std::string& text) {
    buffer_.append(text.c_str());
    display_.insert_position(buffer_.length());
    display_.show_insert_position();
  }

 private:
  Fl_Text_Buffer buffer_;
  Fl_Text_Display display_;
};

FltkLogWindow::FltkLogWindow(std::string banner, std::function<void()> closeHook)
    : banner_(std::move(banner)), closeHook_(std::move(closeHook)) {}

// The window thread never ends by itself; the process ends around it.
FltkLogWindow::~FltkLogWindow() {
  if (thread_.joinable()) thread_.detach();
}

void FltkLogWindow::Start() {
  if (thread_.joinable()) return;
  thread_ = std::thread([this] { RunWindowThread(); });
  LogReady.wait(false);
}

void FltkLogWindow::RunWindowThread() {
  Fl::lock();
  if (givenDisplay != nullptr) fl_open_display(givenDisplay);
  window_ = std::make_unique<LogWindowWidget>(banner_.c_str());
  window_->callback(&FltkLogWindow::OnCloseRequest, this);
  window_->show();
  LogReady.store(true);
  LogReady.notify_all();
  Fl::run();
  // Fl::run returns only when no window is shown, which closing prevents;
  // should it happen anyway, the log is gone and so is the run.
  OnCloseRequest(nullptr, this);
}

void FltkLogWindow::OnCloseRequest(Fl_Widget*, void* self) {
  // Escape would close an FLTK window by default; only the close box may.
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  auto* log = static_cast<FltkLogWindow*>(self);
  if (log->closeHook_) log->closeHook_();
  // The run is cut short: nothing was placed.
  std::fflush(nullptr);
  _exit(1);
}

void FltkLogWindow::LogLine(std::string_view line) {
  Start();
  std::string text = (lineCount_++ > 0 ? "\n" : "") + ToDisplayText(line);
  Fl::lock();
  window_->Append(text);
  Fl::unlock();
  Fl::awake();
}

void FltkLogWindow::WaitUntilClosed() {
  Start();
  while (true)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

}  // namespace tarnwick::platform
