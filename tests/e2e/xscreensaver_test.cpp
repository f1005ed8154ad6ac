// The program as an XScreenSaver hack: the host's window through -root and
// -window-id, and the real daemon starting and stopping it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

constexpr int host_width = 120, host_height = 90;

std::string hex(Window window) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lX", window);
  return text;
}

bool picture_in(XServer& server, int x, int y, int width, int height) {
  return wait_until([&] { return shows_background(server.display(), x, y, width, height); }, 20);
}

std::string read_file(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(const std::string& path, const std::string& text, mode_t mode) {
  std::ofstream(path) << text;
  chmod(path.c_str(), mode);
}

}  // namespace

TEST(xscreensaver, the_preview_form_draws_inside_the_given_window) {
  XServer server(320, 240);
  const Window host = create_host_window(server.display(), 20, 20, host_width, host_height);
  Program hack({"--root", "--window-id", hex(host)}, server.name(), {"XSCREENSAVER_WINDOW=" + hex(host)});
  EXPECT_TRUE(picture_in(server, 20, 20, host_width, host_height));
  hack.signal(SIGTERM);
  EXPECT_EQ(hack.wait_exit(10), 0);
  EXPECT_TRUE(window_exists(server.display(), host));
}

TEST(xscreensaver, root_draws_on_the_window_in_the_variable) {
  XServer server(320, 240);
  const Window host = create_host_window(server.display(), 150, 100, host_width, host_height);
  Program hack({"-root"}, server.name(), {"XSCREENSAVER_WINDOW=" + hex(host)});
  EXPECT_TRUE(picture_in(server, 150, 100, host_width, host_height));
  EXPECT_FALSE(near(screen_pixel(server.display(), 10, 10), background));
  hack.signal(SIGTERM);
  EXPECT_EQ(hack.wait_exit(10), 0);
}

TEST(xscreensaver, root_without_the_variable_draws_on_the_whole_screen) {
  XServer server(320, 240);
  Program hack({"-root"}, server.name());
  EXPECT_TRUE(picture_in(server, 0, 0, 320, 240));
  hack.signal(SIGTERM);
  EXPECT_EQ(hack.wait_exit(10), 0);
}

TEST(xscreensaver, several_hacks_run_at_once_without_the_guard) {
  XServer server(320, 240);
  const Window left = create_host_window(server.display(), 10, 10, host_width, host_height);
  const Window right = create_host_window(server.display(), 170, 10, host_width, host_height);
  Program first({"--root", "--window-id", hex(left)}, server.name());
  Program second({"--root", "--window-id", std::to_string(right)}, server.name());
  EXPECT_TRUE(picture_in(server, 10, 10, host_width, host_height));
  EXPECT_TRUE(picture_in(server, 170, 10, host_width, host_height));
  EXPECT_TRUE(first.running());
  EXPECT_TRUE(second.running());
}

TEST(xscreensaver, slash_switches_keep_their_meaning) {
  XServer server(320, 240);
  const Window host = create_host_window(server.display(), 20, 20, host_width, host_height);
  Program hack({"/s", "--window-id", hex(host)}, server.name());
  ASSERT_TRUE(wait_for_window(server.display(), "3D Tamsel's Screensaver", 20));
  EXPECT_TRUE(picture_in(server, 0, 0, 320, 240));
}

TEST(xscreensaver, an_install_lays_out_the_hack_its_config_and_a_desktop_entry) {
  char dir_template[] = "/tmp/cubesaver-install-XXXXXX";
  const std::string prefix = mkdtemp(dir_template);
  const std::string install = "cmake --install " CUBESAVER_BUILD_DIR " --prefix " + prefix + " >/dev/null";
  ASSERT_EQ(std::system(install.c_str()), 0);
  const std::string hack = prefix + "/libexec/xscreensaver/cubesaver";
  EXPECT_EQ(access(hack.c_str(), X_OK), 0);
  const std::string config = read_file(prefix + "/share/xscreensaver/config/cubesaver.xml");
  EXPECT_NE(config.find("<screensaver name=\"cubesaver\""), std::string::npos);
  EXPECT_NE(config.find("_label=\"3D Tamsel's Screensaver\""), std::string::npos);
  const std::string entry = read_file(prefix + "/share/applications/screensavers/cubesaver.desktop");
  EXPECT_NE(entry.find("Exec=" + hack + " --root\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("TryExec=" + hack + "\n"), std::string::npos);
  std::system(("rm -rf " + prefix).c_str());
}

// The real daemon, run as an unprivileged user (it refuses root), with a
// temporary HOME whose .xscreensaver lists the installed hack.
TEST(xscreensaver, the_daemon_runs_the_installed_hack_and_stops_it) {
  XServer server(320, 240);
  char dir_template[] = "/tmp/cubesaver-xss-XXXXXX";
  const std::string dir = mkdtemp(dir_template);
  chmod(dir.c_str(), 0755);
  const std::string prefix = dir + "/prefix";
  const std::string install = "cmake --install " CUBESAVER_BUILD_DIR " --prefix " + prefix + " >/dev/null";
  ASSERT_EQ(std::system(install.c_str()), 0);
  const std::string hack = prefix + "/libexec/xscreensaver/cubesaver";

  // Records the hack's exit code; the daemon stops it with SIGTERM, which is passed on.
  const std::string status_file = dir + "/status";
  write_file(status_file, "", 0666);
  write_file(dir + "/record-exit",
             "#!/bin/sh\n\"$@\" &\nchild=$!\ntrap 'kill -TERM $child' TERM\nwait $child\n"
             "wait $child\necho $? > " + status_file + "\n",
             0755);
  mkdir((dir + "/home").c_str(), 0755);
  write_file(dir + "/home/.xscreensaver",
             "mode: one\nselected: 0\nlock: False\nsplash: False\nfade: False\nunfade: False\n"
             "timeout: 0:30:00\nprograms: GL: " + dir + "/record-exit " + hack + " --root \\n\n",
             0644);
  if (getuid() == 0) chown((dir + "/home").c_str(), 65534, 65534);

  std::vector<std::string> as_user = {"env", "HOME=" + dir + "/home"};
  if (getuid() == 0) {
    as_user.insert(as_user.begin(), {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
  }
  auto with = [&](std::vector<std::string> tail) {
    std::vector<std::string> argv = as_user;
    argv.insert(argv.end(), tail.begin(), tail.end());
    return argv;
  };
  Program daemon = Program::command(with({"xscreensaver", "-no-splash"}), server.name());
  sleep_seconds(2.0);
  Program select = Program::command(with({"xscreensaver-command", "-select", "1"}), server.name());
  EXPECT_EQ(select.wait_exit(20), 0);
  EXPECT_TRUE(picture_in(server, 0, 0, 320, 240));
  save_screenshot(server.name(), SCREENSHOT_DIR "/xscreensaver_daemon.png");

  Program deactivate = Program::command(with({"xscreensaver-command", "-deactivate"}), server.name());
  EXPECT_EQ(deactivate.wait_exit(20), 0);
  EXPECT_TRUE(wait_until([&] { return !read_file(status_file).empty(); }, 20));
  EXPECT_EQ(read_file(status_file), "0\n");
  const std::string left_running = "pgrep -f '^" + hack + "' >/dev/null";
  EXPECT_NE(std::system(left_running.c_str()), 0);
  daemon.signal(SIGTERM);
  daemon.wait_exit(10);
  std::system(("rm -rf " + dir).c_str());
}
