// Focus under a window manager (openbox): a full-screen run that loses the focus
// to another window ends with exit code 0, since the window manager then
// iconifies it and nobody would see it again; runs inside a host's window (a
// preview, XScreenSaver's -root) never had the focus and go on.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/e2e/harness.h"
// After the test framework, whose names X's macros (None, Bool) would replace.
#include <X11/Xatom.h>
#include <X11/Xutil.h>

using namespace e2e;

namespace {

constexpr int screen_width = 640;
constexpr int screen_height = 480;
const char* const title = "3D Tamsel's Screensaver";

struct ManagedServer {
  XServer server{screen_width, screen_height};
  std::optional<Program> window_manager;

  // True once openbox manages the screen (it names itself on the root window).
  bool start() {
    window_manager.emplace(Program::command({"openbox", "--sm-disable"}, server.name()));
    Display* display = server.display();
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    return wait_until([&] {
      Atom type = None;
      int format = 0;
      unsigned long count = 0, after = 0;
      unsigned char* data = nullptr;
      XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type, &format,
                         &count, &after, &data);
      if (data != nullptr) XFree(data);
      return count == 1;
    }, 20);
  }

  void activate(Window window) {
    xdotool(server.name(), "windowactivate --sync " + std::to_string(window));
  }
};

// A window the window manager places where it is asked (a user-given position).
Window placed_window(Display* display, int x, int y, int width, int height) {
  const Window window = create_host_window(display, x, y, width, height);
  XSizeHints hints = {};
  hints.flags = USPosition | USSize;
  hints.x = x;
  hints.y = y;
  hints.width = width;
  hints.height = height;
  XSetWMNormalHints(display, window, &hints);
  // Mapped by the window manager in its own time; a host's window must be up.
  wait_until([&] {
    XWindowAttributes attributes = {};
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
  }, 20);
  return window;
}

// The window's contents as read from the screen, and a number that changes
// when they do.
std::uint64_t picture_signature(Display* display, Window window, bool& on_background) {
  XWindowAttributes attributes = {};
  int x = 0, y = 0;
  Window child = None;
  if (!XGetWindowAttributes(display, window, &attributes) ||
      !XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child)) {
    return 0;
  }
  on_background = shows_background(display, x, y, attributes.width, attributes.height);
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, attributes.width, attributes.height,
                            AllPlanes, ZPixmap);
  if (image == nullptr) return 0;
  std::uint64_t sum = 0;
  for (int row = 0; row < attributes.height; ++row) {
    for (int column = 0; column < attributes.width; ++column) sum = sum * 31 + XGetPixel(image, column, row);
  }
  XDestroyImage(image);
  return sum;
}

// The saver's ground shows in the window and the picture there changes.
bool shows_moving_picture(Display* display, Window window) {
  bool on_background = false;
  std::uint64_t before = 0;
  if (!wait_until([&] { return (before = picture_signature(display, window, on_background)), on_background; }, 20)) {
    return false;
  }
  return wait_until([&] { return picture_signature(display, window, on_background) != before; }, 20);
}

// The saver's window, wherever the window manager put it.
bool saver_window_shown(const std::string& display) {
  return wait_until([&] {
    const std::string command = "DISPLAY=" + display + " xdotool search --onlyvisible --name \"^" + title +
                                "\\$\" >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
  }, 20);
}

}  // namespace

TEST(focus, a_full_screen_run_ends_when_another_window_takes_the_focus) {
  ManagedServer managed;
  ASSERT_TRUE(managed.start());
  Display* display = managed.server.display();
  Program saver({"/s"}, managed.server.name());
  ASSERT_TRUE(saver_window_shown(managed.server.name()));
  ASSERT_TRUE(wait_until([&] { return shows_background(display, 0, 0, screen_width, screen_height); }, 20));
  save_screenshot(managed.server.name(), SCREENSHOT_DIR "/focus_full_screen_before.png");
  const Window other = placed_window(display, 10, 10, 100, 80);
  managed.activate(other);
  EXPECT_EQ(saver.wait_exit(20), 0);
  save_screenshot(managed.server.name(), SCREENSHOT_DIR "/focus_full_screen_after.png");
}

TEST(focus, a_preview_and_a_root_run_go_on_when_the_focus_moves) {
  ManagedServer managed;
  ASSERT_TRUE(managed.start());
  Display* display = managed.server.display();
  const Window preview_host = placed_window(display, 10, 10, 160, 120);
  const Window root_host = placed_window(display, 330, 10, 160, 120);
  const Window first_other = placed_window(display, 10, 300, 100, 60);
  const Window second_other = placed_window(display, 330, 300, 100, 60);
  Program preview({"/p", std::to_string(preview_host)}, managed.server.name());
  Program root({"-root"}, managed.server.name(), {"XSCREENSAVER_WINDOW=" + std::to_string(root_host)});
  ASSERT_TRUE(shows_moving_picture(display, preview_host));
  ASSERT_TRUE(shows_moving_picture(display, root_host));

  for (Window window : {preview_host, first_other, root_host, second_other}) managed.activate(window);
  save_screenshot(managed.server.name(), SCREENSHOT_DIR "/focus_preview_and_root.png");
  EXPECT_TRUE(shows_moving_picture(display, preview_host));
  EXPECT_TRUE(shows_moving_picture(display, root_host));
  EXPECT_TRUE(preview.running());
  EXPECT_TRUE(root.running());
  preview.signal(SIGTERM);
  root.signal(SIGTERM);
  EXPECT_EQ(preview.wait_exit(10), 0);
  EXPECT_EQ(root.wait_exit(10), 0);
}
