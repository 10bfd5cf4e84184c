// Win32LogWindow: the log as a small Win32 window on a thread of its own.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "platform/log_ui.h"

namespace tarnwick::platform {

class Win32LogWindow final : public LogUi {
 public:
  // Closing the window ends the process with `closedStatus`: 1 for a run cut
  // short, 0 for a window that only shows information.
  Win32LogWindow(std::string banner, std::function<void()> closeHook, int closedStatus = 1);

  // Starts the window thread once and returns when the text control exists.
  void Start() override;
  void LogLine(std::string_view line) override;
  // Sleeps until the user closes the window; that ends the process.
  void WaitUntilClosed() override;
  // Shows the first line again; appending keeps the last one in view.
  void ScrollToStart();

 private:
  static DWORD WINAPI ThreadMain(LPVOID self);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void RunWindowThread();

  std::string banner_;
  std::function<void()> closeHook_;
  int closedStatus_ = 1;
  std::atomic<bool> LogReady{false};  // one-shot: set by the window thread, never cleared
  bool started_ = false;              // main thread only
  int lineCount_ = 0;                 // main thread only
  HWND edit_ = nullptr;               // written before LogReady, read after it
};

}  // namespace tarnwick::platform
