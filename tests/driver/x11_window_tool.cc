// A small X11 helper for the log window test, doing what a window manager or
// a user would: find a top-level window by title, report its inner size and
// whether it can be resized, and ask it to close with WM_DELETE_WINDOW, the
// message a close box sends.
//
//   x11_window_tool probe                  exit 0 when a display opens
//   x11_window_tool find <title> <ms>      prints "<id> <width> <height> <fixed>"
//   x11_window_tool close <id>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

Window FindByTitle(Display* display, Window parent, const std::string& title) {
  Window root = 0, parentOut = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, parent, &root, &parentOut, &children, &count)) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && found == 0; ++i) {
    char* name = nullptr;
    if (XFetchName(display, children[i], &name) && name != nullptr) {
      if (title == name) found = children[i];
      XFree(name);
    }
    if (found == 0) found = FindByTitle(display, children[i], title);
  }
  if (children != nullptr) XFree(children);
  return found;
}

int Find(Display* display, const char* title, int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    Window window = FindByTitle(display, DefaultRootWindow(display), title);
    XWindowAttributes attributes;
    if (window != 0 && XGetWindowAttributes(display, window, &attributes) &&
        attributes.map_state == IsViewable) {
      XSizeHints hints{};
      long supplied = 0;
      bool fixed = XGetWMNormalHints(display, window, &hints, &supplied) &&
                   (hints.flags & PMinSize) && (hints.flags & PMaxSize) &&
                   hints.min_width == hints.max_width && hints.min_height == hints.max_height;
      std::printf("%lu %d %d %d\n", window, attributes.width, attributes.height, fixed ? 1 : 0);
      return 0;
    }
    if (std::chrono::steady_clock::now() > deadline) return 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

int Close(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 77;
  int status = 2;
  if (argc == 2 && std::strcmp(argv[1], "probe") == 0) {
    status = 0;
  } else if (argc == 4 && std::strcmp(argv[1], "find") == 0) {
    status = Find(display, argv[2], std::atoi(argv[3]));
  } else if (argc == 3 && std::strcmp(argv[1], "close") == 0) {
    status = Close(display, std::strtoul(argv[2], nullptr, 10));
  }
  XCloseDisplay(display);
  return status;
}
