// Faults of the host around a running saver: the X server going away, the host
// ending it with a signal, and the host's window destroyed under it. Every one
// ends the process with exit code 0 (never a signal, so never a core) and leaves
// the host's window as it was.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdio>
#include <string>

#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

constexpr int screen_width = 320, screen_height = 240;
constexpr int host_x = 40, host_y = 30, host_width = 160, host_height = 120;
const char* const title = "3D Tamsel's Screensaver";

// What a host can see of its own window.
struct HostLook {
  bool exists = false;
  bool viewable = false;
  int x = 0, y = 0, width = 0, height = 0;
  unsigned children = 0;
  std::string name;
  bool operator==(const HostLook&) const = default;
};

HostLook look_at(Display* display, Window window) {
  HostLook look;
  XSync(display, False);
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, window, &attributes) == 0) return look;
  look.exists = true;
  look.viewable = attributes.map_state == IsViewable;
  look.x = attributes.x;
  look.y = attributes.y;
  look.width = attributes.width;
  look.height = attributes.height;
  Window root = 0, parent = 0;
  Window* children = nullptr;
  if (XQueryTree(display, window, &root, &parent, &children, &look.children) != 0 && children != nullptr) {
    XFree(children);
  }
  char* name = nullptr;
  if (XFetchName(display, window, &name) != 0 && name != nullptr) {
    look.name = name;
    XFree(name);
  }
  return look;
}

bool picture_in_host(XServer& server) {
  return wait_until([&] { return shows_background(server.display(), host_x, host_y, host_width, host_height); },
                    20);
}

// The C library reports a damaged heap on stderr before it aborts.
bool reports_heap_damage(const std::string& errors) {
  for (const char* sign : {"corrupted", "double free", "free():", "malloc", "AddressSanitizer"}) {
    if (errors.find(sign) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

// ---- The X server going away -------------------------------------------------

TEST(host_faults, losing_the_x_server_ends_a_full_screen_run_with_exit_code_zero) {
  XServer server(screen_width, screen_height);
  Program program({"/s"}, server.name());
  ASSERT_TRUE(wait_for_window(server.display(), title, 20));
  ASSERT_TRUE(wait_until([&] { return shows_background(server.display(), 0, 0, screen_width, screen_height); }, 20));
  server.kill_now();
  EXPECT_EQ(program.wait_exit(10), 0);
}

TEST(host_faults, losing_the_x_server_ends_a_preview_with_exit_code_zero) {
  XServer server(screen_width, screen_height);
  const Window host = create_host_window(server.display(), host_x, host_y, host_width, host_height);
  Program program({"/p", std::to_string(host)}, server.name());
  ASSERT_TRUE(picture_in_host(server));
  server.kill_now();
  EXPECT_EQ(program.wait_exit(10), 0);
}

TEST(host_faults, losing_the_x_server_while_the_window_is_set_up_ends_with_exit_code_zero) {
  XServer server(screen_width, screen_height);
  Program program({"/s"}, server.name());
  // The window is mapped before the textures, shaders and mesh are loaded.
  ASSERT_TRUE(wait_for_window(server.display(), title, 20));
  server.kill_now();
  EXPECT_EQ(program.wait_exit(10), 0);
}

// ---- Termination signals from the host -------------------------------------------

TEST(host_faults, termination_signals_end_a_preview_in_order_and_hand_the_host_back) {
  XServer server(screen_width, screen_height);
  for (int number : {SIGTERM, SIGINT, SIGHUP}) {
    const Window host = create_host_window(server.display(), host_x, host_y, host_width, host_height);
    const HostLook before = look_at(server.display(), host);
    Program program({"/p", std::to_string(host)}, server.name());
    ASSERT_TRUE(picture_in_host(server)) << "signal " << number;
    program.signal(number);
    EXPECT_EQ(program.wait_exit(10), 0) << "signal " << number;
    EXPECT_EQ(look_at(server.display(), host), before) << "signal " << number;
    EXPECT_EQ(program.error_output(), "") << "signal " << number;
    XDestroyWindow(server.display(), host);
  }
}

TEST(host_faults, a_signal_while_the_window_is_set_up_ends_after_the_first_frame) {
  for (int number : {SIGTERM, SIGINT, SIGHUP}) {
    XServer server(screen_width, screen_height);
    Program program({"/s"}, server.name());
    ASSERT_TRUE(wait_for_window(server.display(), title, 20));
    program.signal(number);
    EXPECT_EQ(program.wait_exit(20), 0) << "signal " << number;
  }
}

TEST(host_faults, repeated_signals_end_the_run_once_with_exit_code_zero) {
  XServer server(screen_width, screen_height);
  Program program({"/s"}, server.name());
  ASSERT_TRUE(wait_for_window(server.display(), title, 20));
  ASSERT_TRUE(wait_until([&] { return shows_background(server.display(), 0, 0, screen_width, screen_height); }, 20));
  for (int number : {SIGTERM, SIGHUP, SIGINT, SIGTERM, SIGTERM}) program.signal(number);
  EXPECT_EQ(program.wait_exit(10), 0);
}

// ---- The host's window destroyed under the saver -----------------------------------

// The host destroys its window at a different moment of the frame each time.
// The saver holds the server while it draws, so the destruction lands between
// frames however it is timed; the run must end with exit code 0 every time.
TEST(host_faults, destroying_the_host_in_the_middle_of_frames_again_and_again_ends_every_run_cleanly) {
  XServer server(screen_width, screen_height);
  constexpr int runs = 12;
  for (int i = 0; i < runs; ++i) {
    const Window host = create_host_window(server.display(), host_x, host_y, host_width, host_height);
    Program program({"/p", std::to_string(host)}, server.name());
    ASSERT_TRUE(picture_in_host(server)) << "run " << i;
    sleep_seconds(0.013 * i);  // a different point of the frame each run
    XDestroyWindow(server.display(), host);
    XSync(server.display(), False);
    EXPECT_EQ(program.wait_exit(10), 0) << "run " << i;
    const std::string errors = program.error_output();
    EXPECT_FALSE(reports_heap_damage(errors)) << "run " << i << ": " << errors;
  }
  // The server is still fine for everyone else.
  const Window other = create_host_window(server.display(), 0, 0, 20, 20);
  EXPECT_TRUE(window_exists(server.display(), other));
}

// Several hacks at once (XScreenSaver's form is not single-instance), their
// hosts destroyed together.
TEST(host_faults, destroying_several_hosts_at_once_ends_every_run_cleanly) {
  XServer server(screen_width, screen_height);
  Window hosts[3];
  std::vector<Program> programs;
  for (int i = 0; i < 3; ++i) {
    hosts[i] = create_host_window(server.display(), 10 + i * 100, 10, 90, 70);
    programs.emplace_back(std::vector<std::string>{"--window-id", std::to_string(hosts[i])}, server.name());
  }
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(wait_until([&] { return shows_background(server.display(), 10 + i * 100, 10, 90, 70); }, 30));
  }
  for (Window host : hosts) XDestroyWindow(server.display(), host);
  XSync(server.display(), False);
  for (Program& program : programs) EXPECT_EQ(program.wait_exit(10), 0);
}

// The id on the command line names a window of another client; that client
// goes away, and the server destroys the window with it.
TEST(host_faults, a_host_window_of_another_client_that_goes_away_ends_the_run_cleanly) {
  XServer server(screen_width, screen_height);
  Display* other_client = XOpenDisplay(server.name().c_str());
  ASSERT_NE(other_client, nullptr);
  const Window host = create_host_window(other_client, host_x, host_y, host_width, host_height);
  Program program({"/p", std::to_string(host)}, server.name());
  ASSERT_TRUE(picture_in_host(server));
  XCloseDisplay(other_client);
  EXPECT_EQ(program.wait_exit(10), 0);
  EXPECT_FALSE(window_exists(server.display(), host));
  EXPECT_FALSE(reports_heap_damage(program.error_output())) << program.error_output();
}

// Another client's window is only borrowed: when the run ends, the window is
// exactly as its owner left it.
TEST(host_faults, a_host_window_of_another_client_is_handed_back_unchanged) {
  XServer server(screen_width, screen_height);
  Display* other_client = XOpenDisplay(server.name().c_str());
  ASSERT_NE(other_client, nullptr);
  const Window host = create_host_window(other_client, host_x, host_y, host_width, host_height);
  const HostLook before = look_at(server.display(), host);
  Program program({"/p", std::to_string(host)}, server.name());
  ASSERT_TRUE(picture_in_host(server));
  program.signal(SIGTERM);
  EXPECT_EQ(program.wait_exit(10), 0);
  EXPECT_EQ(look_at(server.display(), host), before);
  XCloseDisplay(other_client);
}
