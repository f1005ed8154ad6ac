// The real program on Mesa's llvmpipe under Xvfb takes the software-GL path:
// its frame log names the GL state in force, as the program read it back from
// GL, and the picture still shows the cube on its ground with every sticker
// colour, its edges smoothed, and the frame log reports the rate the CPU budget
// chose from the frames' measured cost. llvmpipe rasterises on the program's
// own thread unless the user asked for worker threads.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "frame/frame_pacing.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/stickers.h"

// After the harness: Xlib's macros (None, Bool) must not meet GoogleTest's names.
#include <X11/Xutil.h>

using namespace e2e;

namespace {

constexpr int screen_width = 320;
constexpr int screen_height = 240;
const char* const title = "3D Tamsel's Screensaver";

std::vector<Rgb> screen(Display* display) {
  std::vector<Rgb> pixels;
  XImage* image = XGetImage(display, DefaultRootWindow(display), 0, 0, screen_width, screen_height, AllPlanes, ZPixmap);
  if (image == nullptr) return pixels;
  for (int row = 0; row < screen_height; ++row) {
    for (int column = 0; column < screen_width; ++column) {
      const unsigned long v = XGetPixel(image, column, row);
      pixels.push_back({static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                        static_cast<int>(v & 0xFF)});
    }
  }
  XDestroyImage(image);
  return pixels;
}

// The words after "render" in the log's state line, as name -> value; the
// renderer's name, which has spaces, is everything after "renderer".
struct PaceLine {
  double fps;
  int refresh, divisor, was;
  double cpu_ms;
};

// The budget's choices: "pace <fps> fps refresh <hz> divisor <n> was <n> cpu <ms> ms/frame".
std::vector<PaceLine> pace_lines(const std::string& log_path) {
  std::vector<PaceLine> lines;
  std::ifstream log(log_path);
  std::string line;
  while (std::getline(log, line)) {
    if (line.rfind("pace ", 0) != 0) continue;
    std::istringstream words(line);
    std::string pace, fps, refresh, divisor, was, cpu, unit;
    PaceLine p = {};
    words >> pace >> p.fps >> fps >> refresh >> p.refresh >> divisor >> p.divisor >> was >> p.was >> cpu >> p.cpu_ms >> unit;
    if (words && unit == "ms/frame") lines.push_back(p);
  }
  return lines;
}

std::map<std::string, std::string> state_line(const std::string& log_path, std::string& renderer, int& frames) {
  std::map<std::string, std::string> state;
  std::ifstream log(log_path);
  std::string line;
  frames = 0;
  while (std::getline(log, line)) {
    if (line.rfind("frame ", 0) == 0) ++frames;
    if (line.rfind("render ", 0) != 0) continue;
    const std::size_t named = line.find(" renderer ");
    if (named != std::string::npos) renderer = line.substr(named + 10);
    std::istringstream words(line.substr(0, named));
    std::string word, value;
    words >> word >> value;
    state["path"] = value;
    while (words >> word >> value) state[word] = value;
  }
  return state;
}

// llvmpipe names its worker threads "llvmpipe-<n>".
int rasteriser_threads(pid_t pid) {
  int count = 0;
  std::error_code error;
  for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
    std::ifstream comm(task.path() / "comm");
    std::string name;
    if (std::getline(comm, name) && name.rfind("llvmpipe-", 0) == 0) ++count;
  }
  return count;
}

}  // namespace

TEST(software_gl, on_llvmpipe_the_software_state_is_in_force_and_the_cube_shows_all_its_colours) {
  char log_path[] = "/tmp/software_gl_test_XXXXXX";
  const int fd = mkstemp(log_path);
  ASSERT_GE(fd, 0);
  close(fd);

  XServer server(screen_width, screen_height);
  Program program({"/s"}, server.name(), {std::string("CUBESAVER_FRAME_LOG=") + log_path});
  ASSERT_TRUE(wait_for_window(server.display(), title, 20));
  ASSERT_TRUE(wait_until(
      [&] {
        const std::vector<Rgb> p = screen(server.display());
        return std::count_if(p.begin(), p.end(), is_cube) > 200;
      },
      30));

  // The ground is exactly the clear colour where no cubie is, and the edge
  // pass leaves blends of cube and ground along the silhouette.
  const std::vector<Rgb> first = screen(server.display());
  save_screenshot(server.name(), std::string(SCREENSHOT_DIR) + "/software_gl_first.png");
  const long ground = std::count(first.begin(), first.end(), background);
  const long cube = std::count_if(first.begin(), first.end(), is_cube);
  EXPECT_GT(ground, screen_width * screen_height / 2);
  EXPECT_GT(cube, 1000);
  const long between = static_cast<long>(first.size()) - ground - cube;
  EXPECT_GT(between, 50) << "smoothed edges blend into the ground";
  EXPECT_LT(between, static_cast<long>(first.size()) / 20);

  // It tumbles and, after two seconds, scrambles: every colour comes round.
  constexpr int enough = 25;
  std::array<int, sticker_count> best = {};
  wait_until(
      [&] {
        std::array<int, sticker_count> counts = {};
        for (Rgb p : screen(server.display())) {
          const int s = sticker_of(p);
          if (s >= 0) ++counts[s];
        }
        for (int s = 0; s < sticker_count; ++s) best[s] = std::max(best[s], counts[s]);
        return std::all_of(best.begin(), best.end(), [](int n) { return n >= enough; });
      },
      40);
  save_screenshot(server.name(), std::string(SCREENSHOT_DIR) + "/software_gl_colours.png");
  for (int s = 0; s < sticker_count; ++s) EXPECT_GE(best[s], enough) << sticker_names[s];

  EXPECT_EQ(rasteriser_threads(program.pid()), 0);
  xdotool(server.name(), "key a");
  EXPECT_EQ(program.wait_exit(10), 0);

  std::string renderer;
  int frames = 0;
  const std::map<std::string, std::string> state = state_line(log_path, renderer, frames);
  const std::vector<PaceLine> paces = pace_lines(log_path);
  unlink(log_path);
  EXPECT_NE(renderer.find("llvmpipe"), std::string::npos) << renderer;
  EXPECT_GT(frames, 0);
  const std::map<std::string, std::string> expected = {
      {"path", "software"},   {"samples", "0"},     {"cull", "front"},         {"front-faces", "fill"},
      {"multisample", "0"},   {"line-smooth", "0"}, {"polygon-smooth", "0"},   {"edge-smoothing", "1"},
  };
  for (const auto& [name, value] : expected) {
    const auto found = state.find(name);
    ASSERT_NE(found, state.end()) << name << " missing from the log's state line";
    EXPECT_EQ(found->second, value) << name;
  }

  // About once a second the budget measured the frames and chose a rate: a whole
  // fraction of the refresh rate, the one its choice gives for that cost.
  ASSERT_GE(paces.size(), 2u);
  for (const PaceLine& p : paces) {
    ASSERT_GE(p.divisor, 1);
    EXPECT_NEAR(p.fps, static_cast<double>(p.refresh) / p.divisor, 0.01);
    EXPECT_GT(p.cpu_ms, 0.0);
    EXPECT_EQ(p.divisor, budget_pace(true, p.refresh, p.cpu_ms / 1000.0, p.was).divisor)
        << p.cpu_ms << " ms a frame at " << p.refresh << " Hz";
  }
  for (std::size_t i = 1; i < paces.size(); ++i) EXPECT_EQ(paces[i].was, paces[i - 1].divisor);
}

TEST(software_gl, worker_threads_the_user_asks_llvmpipe_for_stand) {
  XServer server(screen_width, screen_height);
  Program program({"/s"}, server.name(), {"LP_NUM_THREADS=2"});
  ASSERT_TRUE(wait_for_window(server.display(), title, 20));
  EXPECT_TRUE(wait_until([&] { return rasteriser_threads(program.pid()) == 2; }, 10));
  xdotool(server.name(), "key a");
  EXPECT_EQ(program.wait_exit(10), 0);
}
