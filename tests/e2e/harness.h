// Shared helpers of the end-to-end tests: a private Xvfb server, the real program
// as a child process, windows, pixels, real input through xdotool, screenshots.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// The program under test, set by the build.
const char* program_path();

class XServer {
 public:
  XServer(int width, int height);
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  const std::string& name() const { return name_; }  // ":N"
  Display* display() const { return display_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Ends the server at once, as a crashed or closed session would; display() is
  // null afterwards.
  void kill_now();

 private:
  std::string name_;
  pid_t pid_ = -1;
  Display* display_ = nullptr;
  int width_;
  int height_;
};

class Program {
 public:
  // Starts the program with the given arguments on the given display (empty: no DISPLAY).
  Program(const std::vector<std::string>& args, const std::string& display,
          const std::vector<std::string>& extra_env = {});
  // Any other command, e.g. a screensaver host: argv[0] is looked up on PATH.
  static Program command(const std::vector<std::string>& argv, const std::string& display,
                         const std::vector<std::string>& extra_env = {});
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  Program(Program&& other) noexcept;

  pid_t pid() const { return pid_; }
  // The exit code (or 128 + signal) once the process ended within the time; nothing otherwise.
  std::optional<int> wait_exit(double seconds);
  bool running();
  void signal(int number);
  std::string error_output() const;

 private:
  Program() = default;
  void start(const std::vector<std::string>& argv, const std::string& display,
             const std::vector<std::string>& extra_env);
  pid_t pid_ = -1;
  std::optional<int> status_;
  std::string stderr_path_;
};

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

struct WindowInfo {
  Window id;
  std::string name;
  int x, y, width, height;
};

// Polls until the predicate holds or the time is up.
bool wait_until(const std::function<bool()>& predicate, double seconds);
void sleep_seconds(double seconds);

// Mapped children of the root window, in stacking order.
std::vector<WindowInfo> top_level_windows(Display* display);
std::optional<WindowInfo> wait_for_window(Display* display, const std::string& name, double seconds);

// Colour of a screen pixel, read from the root window.
Rgb screen_pixel(Display* display, int x, int y);
bool near(Rgb a, Rgb b, int tolerance = 2);
// The area shows the saver's background: the drifting cube covers at most one of
// its four corners at a time, so at least three of them hold the background.
bool shows_background(Display* display, int x, int y, int width, int height);

// Runs xdotool on the display; returns its exit status.
int xdotool(const std::string& display, const std::string& arguments);
// Saves the whole screen as a PNG for a person to look at.
void save_screenshot(const std::string& display, const std::string& path);

// A plain window made by the test, as a screensaver host's preview window.
Window create_host_window(Display* display, int x, int y, int width, int height);
void send_close_request(Display* display, Window window);
bool window_exists(Display* display, Window window);

inline constexpr Rgb background = {0, 38, 0};

}  // namespace e2e
