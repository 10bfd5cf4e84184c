// The log window: inner size 404 x 154, title bar with system menu and close
// box, no sizing border, no minimise or maximise box; a read-only multi-line
// EDIT control at 2, 2 sized 400 x 100.
//
// Threads: the window thread creates both windows, sets the one-shot ready
// flag and runs the message loop. The main thread appends with SendMessage,
// which the system delivers on the window's own thread, so the control is
// only ever touched there. WM_CLOSE (close box, system menu, Alt+F4) runs
// the close hook and ends the process.
#include "platform/win32/log_window_win32.h"

#include "platform/process.h"

namespace tarnwick::platform {

namespace {

constexpr char kWindowClass[] = "TarnwickLogWindow";
constexpr int kInnerWidth = 404;
constexpr int kInnerHeight = 154;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

}  // namespace

Win32LogWindow::Win32LogWindow(std::string banner, std::function<void()> closeHook,
                               int closedStatus)
    : banner_(std::move(banner)), closeHook_(std::move(closeHook)), closedStatus_(closedStatus) {}

void Win32LogWindow::Start() {
  if (started_) return;
  started_ = true;
  HANDLE thread = CreateThread(nullptr, 0, &Win32LogWindow::ThreadMain, this, 0, nullptr);
  if (thread == nullptr) {
    // Without a thread there is no window; the run goes on and its lines are lost.
    LogReady.store(true);
    return;
  }
  CloseHandle(thread);
  LogReady.wait(false);
}

DWORD WINAPI Win32LogWindow::ThreadMain(LPVOID self) {
  static_cast<Win32LogWindow*>(self)->RunWindowThread();
  return 0;
}

void Win32LogWindow::RunWindowThread() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &Win32LogWindow::WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExA(&windowClass);

  RECT frame{0, 0, kInnerWidth, kInnerHeight};
  AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
  HWND window = CreateWindowExA(0, kWindowClass, banner_.c_str(), kWindowStyle, CW_USEDEFAULT,
                                CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                nullptr, nullptr, instance, this);
  if (window != nullptr) {
    edit_ = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 2, 2, 400,
        100, window, nullptr, instance, nullptr);
    if (edit_ != nullptr) {
      SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                   FALSE);
      SendMessageA(edit_, EM_SETLIMITTEXT, 0, 0);
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
  }
  LogReady.store(true);
  LogReady.notify_all();

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

LRESULT CALLBACK Win32LogWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == WM_CLOSE) {
    auto* log = reinterpret_cast<Win32LogWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (log != nullptr && log->closeHook_) log->closeHook_();
    ExitNow(log != nullptr ? log->closedStatus_ : 1);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void Win32LogWindow::LogLine(std::string_view line) {
  Start();
  if (edit_ == nullptr) return;
  std::string text = (lineCount_++ > 0 ? "\r\n" : "") + std::string(line);
  LRESULT end = SendMessageA(edit_, WM_GETTEXTLENGTH, 0, 0);
  SendMessageA(edit_, EM_SETSEL, static_cast<WPARAM>(end), end);
  SendMessageA(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
}

void Win32LogWindow::ScrollToStart() {
  if (edit_ == nullptr) return;
  SendMessageA(edit_, EM_SETSEL, 0, 0);
  SendMessageA(edit_, EM_SCROLLCARET, 0, 0);
}

void Win32LogWindow::WaitUntilClosed() {
  Start();
  while (true)
    Sleep(10);
}

}  // namespace tarnwick::platform
