// FltkLogWindow: the log as a small FLTK window on a thread of its own.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/log_ui.h"

class Fl_Widget;

namespace tarnwick::platform {

class LogWindowWidget;

// An open X display connection (a Display*) for the window to use instead of
// opening one of its own; taken over by the window thread.
void UseDisplayConnection(void* display);

class FltkLogWindow final : public LogUi {
 public:
  FltkLogWindow(std::string banner, std::function<void()> closeHook);
  ~FltkLogWindow() override;

  // Starts the window thread once and returns when the text control exists.
  void Start() override;
  void LogLine(std::string_view line) override;
  // Sleeps until the user closes the window; that ends the process.
  void WaitUntilClosed() override;

 private:
  void RunWindowThread();
  static void OnCloseRequest(Fl_Widget* widget, void* self);

  std::string banner_;
  std::function<void()> closeHook_;
  std::atomic<bool> LogReady{false};         // one-shot: set by the window thread, never cleared
  std::unique_ptr<LogWindowWidget> window_;  // made and used under Fl::lock
  int lineCount_ = 0;                        // main thread only
  std::thread thread_;
};

}  // namespace tarnwick::platform
