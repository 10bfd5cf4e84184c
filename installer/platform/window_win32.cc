// The installer window with Win32: a registered window class, STATIC, EDIT
// and BUTTON child controls at the layout table's positions, MessageBoxA for
// results and GetOpenFileNameA for browsing. The outer window size is derived
// from the required client size with AdjustWindowRectEx so the inner area is
// exactly the layout's, whatever the caption height.
#include <windows.h>
// commdlg.h needs the types of windows.h first.
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "installer_texts.h"
#include "platform/window.h"

namespace korvane {
namespace {

constexpr char kClassName[] = "KorvaneInstallerWindow";
constexpr int kPathFieldId = 101;
constexpr int kBrowseId = 102;
constexpr int kInstallId = 103;
constexpr int kUninstallId = 104;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct WindowState {
  const WindowHandler* handler = nullptr;
  std::string initial_path;
  HWND path_field = nullptr;
};

std::string Text(std::string_view view) {
  return std::string(view);
}

std::string FieldText(HWND field) {
  int length = ::GetWindowTextLengthA(field);
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
  int copied = ::GetWindowTextA(field, buffer.data(), length + 1);
  return std::string(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

HWND MakeControl(HWND parent, const char* cls, const ItemBox& box, DWORD style, DWORD ex_style,
                 int id) {
  HWND control = ::CreateWindowExA(
      ex_style, cls, Text(box.text).c_str(), WS_CHILD | WS_VISIBLE | style, box.x, box.y, box.width,
      box.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
  ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
  return control;
}

void Browse(HWND window, WindowState& state) {
  std::string start = FieldText(state.path_field);
  // The filter list takes NUL-separated pairs and ends in two NULs.
  std::string filter = Text(kBrowseFilter);
  for (char& c : filter) {
    if (c == '|') c = '\0';
  }
  filter.push_back('\0');
  std::string directory;
  std::size_t slash = start.find_last_of("\\/");
  if (slash != std::string::npos) directory = start.substr(0, slash);
  std::vector<char> file(32768, '\0');
  start.copy(file.data(), std::min(start.size(), file.size() - 1));
  const std::string title = Text(kBrowseTitle);

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
  dialog.lpstrTitle = title.c_str();
  // The entries' "Command" is taken from the current directory, which the
  // dialog must therefore leave as it found it.
  dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_EXPLORER;
  if (::GetOpenFileNameA(&dialog) && file[0] != '\0') {
    ::SetWindowTextA(state.path_field, file.data());
  }
}

void RunAction(HWND window, WindowState& state, WindowAction action) {
  WindowReport report = (*state.handler)(action, FieldText(state.path_field));
  ::MessageBoxA(window, report.message.c_str(), Text(kWindowTitle).c_str(),
                MB_OK | (report.ok ? MB_ICONINFORMATION : MB_ICONERROR));
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* state = reinterpret_cast<WindowState*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_CREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
      state = static_cast<WindowState*>(create->lpCreateParams);
      ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
      MakeControl(window, "STATIC", kPathLabel, SS_LEFT, 0, 0);
      state->path_field = MakeControl(window, "EDIT", kPathField, WS_TABSTOP | ES_AUTOHSCROLL,
                                      WS_EX_CLIENTEDGE, kPathFieldId);
      ::SetWindowTextA(state->path_field, state->initial_path.c_str());
      MakeControl(window, "BUTTON", kBrowseButton, WS_TABSTOP | BS_PUSHBUTTON, 0, kBrowseId);
      MakeControl(window, "BUTTON", kInstallButton, WS_TABSTOP | BS_PUSHBUTTON, 0, kInstallId);
      MakeControl(window, "BUTTON", kUninstallButton, WS_TABSTOP | BS_PUSHBUTTON, 0, kUninstallId);
      return 0;
    }
    case WM_COMMAND:
      if (state != nullptr && HIWORD(wparam) == BN_CLICKED) {
        switch (LOWORD(wparam)) {
          case kBrowseId:
            Browse(window, *state);
            return 0;
          case kInstallId:
            RunAction(window, *state, WindowAction::kInstall);
            return 0;
          case kUninstallId:
            RunAction(window, *state, WindowAction::kUninstall);
            return 0;
        }
      }
      break;
    case WM_CLOSE:
      ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

bool WindowSupported() {
  return true;
}

int RunInstallerWindow(const std::string& initial_path, const WindowHandler& handler) {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSEXA cls{};
  cls.cbSize = sizeof cls;
  cls.lpfnWndProc = WindowProc;
  cls.hInstance = instance;
  cls.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  cls.hIcon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = kClassName;
  if (!::RegisterClassExA(&cls)) return 1;

  RECT frame = {0, 0, kWindowWidth, kWindowHeight};
  ::AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT work{};
  if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
    work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  const int x = work.left + (work.right - work.left - width) / 2;
  const int y = work.top + (work.bottom - work.top - height) / 2;

  WindowState state;
  state.handler = &handler;
  state.initial_path = initial_path;
  HWND window = ::CreateWindowExA(0, kClassName, Text(kWindowTitle).c_str(), kStyle, x, y, width,
                                  height, nullptr, nullptr, instance, &state);
  if (window == nullptr) return 1;
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::UpdateWindow(window);

  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    // Tab moves between the controls as in a dialog.
    if (::IsDialogMessageA(window, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}

void AttachParentConsole() {
  // Output that a caller redirected to a file or pipe is already in place;
  // only a missing handle is pointed at the parent's console.
  auto missing = [](DWORD which) {
    HANDLE handle = ::GetStdHandle(which);
    return handle == nullptr || handle == INVALID_HANDLE_VALUE;
  };
  const bool need_out = missing(STD_OUTPUT_HANDLE);
  const bool need_err = missing(STD_ERROR_HANDLE);
  if (!need_out && !need_err) return;
  if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (need_out) (void)std::freopen("CONOUT$", "w", stdout);
  if (need_err) (void)std::freopen("CONOUT$", "w", stderr);
}

void ShowInformationBox(const std::string& text) {
  ::MessageBoxA(nullptr, text.c_str(), Text(kWindowTitle).c_str(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace korvane
