#include "tests/e2e/harness.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <utility>

extern char** environ;

namespace e2e {

namespace {

int ignore_x_errors(Display*, XErrorEvent*) { return 0; }

// `passed_fd`, when given, reaches the child as its descriptor 3.
pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env,
            const std::string& stdout_path, const std::string& stderr_path, int passed_fd = -1) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  setpgid(0, 0);
  const int out = open(stdout_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int err = open(stderr_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out >= 0) dup2(out, 1);
  if (err >= 0) dup2(err, 2);
  if (passed_fd >= 0) dup2(passed_fd, 3);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::vector<char*> envp;
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  execvpe(args[0], args.data(), envp.data());
  _exit(127);
}

std::vector<std::string> environment_without_display() {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "DISPLAY=", 8) != 0) env.emplace_back(*e);
  }
  return env;
}

std::string temp_path(const char* stem) {
  static int counter = 0;
  return "/tmp/cubesaver-e2e-" + std::to_string(getpid()) + "-" + std::to_string(++counter) + "-" + stem;
}

}  // namespace

const char* program_path() { return CUBESAVER_PATH; }

XServer::XServer(int width, int height) : width_(width), height_(height) {
  XSetErrorHandler(ignore_x_errors);
  // The server picks a free display itself and writes its number when it is
  // ready: choosing one here would race with tests running beside this one.
  int ready[2];
  if (pipe2(ready, O_CLOEXEC) != 0) throw std::runtime_error("no pipe for Xvfb");
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  pid_ = spawn({"Xvfb", "-displayfd", "3", "-noreset", "-nolisten", "tcp", "-screen", "0", screen},
               environment_without_display(), "/dev/null", "/dev/null", ready[1]);
  close(ready[1]);
  std::string number;
  char c = 0;
  pollfd wait_for_number{ready[0], POLLIN, 0};
  while (poll(&wait_for_number, 1, 10000) == 1 && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
  close(ready[0]);
  name_ = ":" + number;
  if (!number.empty()) display_ = XOpenDisplay(name_.c_str());
  if (display_ == nullptr) throw std::runtime_error("Xvfb did not start");
}

XServer::~XServer() { kill_now(); }

void XServer::kill_now() {
  // Closed first: closing a connection to a dead server is an I/O error, which
  // ends the process.
  if (display_ != nullptr) XCloseDisplay(display_);
  display_ = nullptr;
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

Program::Program(const std::vector<std::string>& args, const std::string& display,
                 const std::vector<std::string>& extra_env) {
  std::vector<std::string> argv = {program_path()};
  argv.insert(argv.end(), args.begin(), args.end());
  start(argv, display, extra_env);
}

Program Program::command(const std::vector<std::string>& argv, const std::string& display,
                         const std::vector<std::string>& extra_env) {
  Program program;
  program.start(argv, display, extra_env);
  return program;
}

void Program::start(const std::vector<std::string>& argv, const std::string& display,
                    const std::vector<std::string>& extra_env) {
  std::vector<std::string> env = environment_without_display();
  if (!display.empty()) env.push_back("DISPLAY=" + display);
  // A variable given here replaces the inherited one of the same name.
  for (const auto& entry : extra_env) {
    const std::string key = entry.substr(0, entry.find('=') + 1);
    std::erase_if(env, [&](const std::string& e) { return e.compare(0, key.size(), key) == 0; });
    env.push_back(entry);
  }
  stderr_path_ = temp_path("stderr");
  pid_ = spawn(argv, env, "/dev/null", stderr_path_);
}

Program::Program(Program&& other) noexcept
    : pid_(other.pid_), status_(other.status_), stderr_path_(std::move(other.stderr_path_)) {
  other.pid_ = -1;
}

Program::~Program() {
  if (pid_ <= 0) return;
  if (running()) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  unlink(stderr_path_.c_str());
}

std::optional<int> Program::wait_exit(double seconds) {
  wait_until([&] { return !running(); }, seconds);
  return status_;
}

bool Program::running() {
  if (status_) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return false;
}

void Program::signal(int number) { kill(pid_, number); }

std::string Program::error_output() const {
  std::ifstream in(stderr_path_);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool wait_until(const std::function<bool()>& predicate, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!predicate()) {
    if (std::chrono::steady_clock::now() > end) return false;
    sleep_seconds(0.02);
  }
  return true;
}

void sleep_seconds(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

std::vector<WindowInfo> top_level_windows(Display* display) {
  std::vector<WindowInfo> result;
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  XSync(display, False);
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) return result;
  for (unsigned int i = 0; i < count; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, children[i], &attributes) == 0) continue;
    if (attributes.map_state != IsViewable) continue;
    char* name = nullptr;
    std::string title;
    if (XFetchName(display, children[i], &name) != 0 && name != nullptr) {
      title = name;
      XFree(name);
    }
    result.push_back({children[i], title, attributes.x, attributes.y, attributes.width, attributes.height});
  }
  if (children != nullptr) XFree(children);
  return result;
}

std::optional<WindowInfo> wait_for_window(Display* display, const std::string& name, double seconds) {
  std::optional<WindowInfo> found;
  wait_until(
      [&] {
        for (const auto& w : top_level_windows(display)) {
          if (w.name == name) {
            found = w;
            return true;
          }
        }
        return false;
      },
      seconds);
  return found;
}

Rgb screen_pixel(Display* display, int x, int y) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return {-1, -1, -1};
  const unsigned long value = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  return {static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
          static_cast<int>(value & 0xFF)};
}

bool near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

bool shows_background(Display* display, int x, int y, int width, int height) {
  const int right = x + width - 2;
  const int bottom = y + height - 2;
  int corners = 0;
  for (const auto& [px, py] : {std::pair{x + 1, y + 1}, {right, y + 1}, {x + 1, bottom}, {right, bottom}}) {
    corners += near(screen_pixel(display, px, py), background);
  }
  return corners >= 3;
}

int xdotool(const std::string& display, const std::string& arguments) {
  const std::string command = "DISPLAY=" + display + " xdotool " + arguments + " >/dev/null 2>&1";
  return std::system(command.c_str());
}

void save_screenshot(const std::string& display, const std::string& path) {
  const std::string command = "DISPLAY=" + display + " import -window root " + path + " >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "screenshot %s failed\n", path.c_str());
}

Window create_host_window(Display* display, int x, int y, int width, int height) {
  const int screen = DefaultScreen(display);
  const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y, width, height, 0,
                                            BlackPixel(display, screen), WhitePixel(display, screen));
  XStoreName(display, window, "test host");
  XMapWindow(display, window);
  XSync(display, False);
  return window;
}

void send_close_request(Display* display, Window window) {
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
}

bool window_exists(Display* display, Window window) {
  XWindowAttributes attributes;
  XSync(display, False);
  return XGetWindowAttributes(display, window, &attributes) != 0;
}

}  // namespace e2e
