// The cube on screen: the real program under Xvfb, read back pixel by pixel.
// Screenshots are left in the build's screenshots folder for a person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/e2e/stickers.h"

// After the harness: Xlib's macros (None, Bool) must not meet GoogleTest's names.
#include <X11/Xutil.h>

using namespace e2e;

namespace {

constexpr int screen_width = 320;
constexpr int screen_height = 240;
const char* const title = "3D Tamsel's Screensaver";

// One read of an area of the screen.
struct Capture {
  int x = 0, y = 0, width = 0, height = 0;
  std::vector<Rgb> pixels;

  Rgb at(int column, int row) const { return pixels[static_cast<std::size_t>(row) * width + column]; }
};

Capture capture(Display* display, int x, int y, int width, int height) {
  Capture c{x, y, width, height, {}};
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, width, height, AllPlanes, ZPixmap);
  if (image == nullptr) return c;
  c.pixels.reserve(static_cast<std::size_t>(width) * height);
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      const unsigned long v = XGetPixel(image, column, row);
      c.pixels.push_back({static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                          static_cast<int>(v & 0xFF)});
    }
  }
  XDestroyImage(image);
  return c;
}

int count_cube(const Capture& c) {
  return static_cast<int>(std::count_if(c.pixels.begin(), c.pixels.end(), is_cube));
}

int count_exact(const Capture& c, Rgb colour) {
  return static_cast<int>(std::count(c.pixels.begin(), c.pixels.end(), colour));
}

std::array<int, sticker_count> count_stickers(const Capture& c) {
  std::array<int, sticker_count> counts = {};
  for (Rgb p : c.pixels) {
    const int s = sticker_of(p);
    if (s >= 0) ++counts[s];
  }
  return counts;
}

struct CubeRun {
  XServer server{screen_width, screen_height};
  std::optional<Program> program;

  // Started and showing the cube on its ground.
  bool start(const std::vector<std::string>& args) {
    program.emplace(args, server.name());
    if (!wait_for_window(server.display(), title, 20)) return false;
    return wait_until([&] { return count_cube(screen()) > 200; }, 30);
  }
  Capture screen() const { return capture(server.display(), 0, 0, screen_width, screen_height); }
};

std::string shot(const std::string& name) { return std::string(SCREENSHOT_DIR) + "/" + name + ".png"; }

}  // namespace

TEST(cube, the_cube_is_drawn_on_the_dark_green_ground) {
  CubeRun run;
  ASSERT_TRUE(run.start({"/s"}));
  const Capture c = run.screen();
  save_screenshot(run.server.name(), shot("cube_first"));
  const int cube = count_cube(c);
  const int ground = count_exact(c, background);
  // The ground is exactly (0, 38, 0) wherever no cubie is: the two together
  // cover all but the anti-aliased rim of the cube.
  EXPECT_GT(ground, screen_width * screen_height / 2);
  EXPECT_GT(cube, 1000);
  EXPECT_GT(ground + cube, screen_width * screen_height * 95 / 100);
  for (Rgb corner : {c.at(0, 0), c.at(screen_width - 1, 0), c.at(0, screen_height - 1)}) {
    if (!is_cube(corner)) {
      EXPECT_EQ(corner, background);
    }
  }
  xdotool(run.server.name(), "key a");
  EXPECT_EQ(run.program->wait_exit(10), 0);
}

TEST(cube, the_cube_moves_between_screenshots) {
  CubeRun run;
  ASSERT_TRUE(run.start({"/s"}));
  const Capture before = run.screen();
  save_screenshot(run.server.name(), shot("cube_moving_1"));
  sleep_seconds(1.5);
  const Capture after = run.screen();
  save_screenshot(run.server.name(), shot("cube_moving_2"));
  int changed = 0;
  for (std::size_t i = 0; i < before.pixels.size(); ++i) changed += !(before.pixels[i] == after.pixels[i]);
  EXPECT_GT(changed, 500) << "drift and tumble move the cube by many pixels a second";
  EXPECT_GT(count_cube(after), 1000);
  xdotool(run.server.name(), "click 1");
  EXPECT_EQ(run.program->wait_exit(10), 0);
}

TEST(cube, all_six_sticker_colours_show_during_a_run) {
  CubeRun run;
  ASSERT_TRUE(run.start({"/s"}));
  // The cube tumbles and, after two seconds, scrambles: every colour comes round.
  constexpr int enough = 25;
  std::array<int, sticker_count> best = {};
  const bool all_seen = wait_until(
      [&] {
        const std::array<int, sticker_count> counts = count_stickers(run.screen());
        for (int s = 0; s < sticker_count; ++s) best[s] = std::max(best[s], counts[s]);
        return std::all_of(best.begin(), best.end(), [](int n) { return n >= enough; });
      },
      40);
  save_screenshot(run.server.name(), shot("cube_colours"));
  for (int s = 0; s < sticker_count; ++s) EXPECT_GE(best[s], enough) << sticker_names[s];
  EXPECT_TRUE(all_seen);
  xdotool(run.server.name(), "key Escape");
  EXPECT_EQ(run.program->wait_exit(10), 0);
}

TEST(cube, in_preview_the_picture_fills_the_host_window) {
  XServer server(screen_width, screen_height);
  constexpr int host_x = 40, host_y = 30, host_width = 160, host_height = 120;
  const Window host = create_host_window(server.display(), host_x, host_y, host_width, host_height);
  Program program({"/p", std::to_string(host)}, server.name());
  const auto host_area = [&] { return capture(server.display(), host_x, host_y, host_width, host_height); };
  // The host's own white counts as lit in red and blue, so first the ground.
  ASSERT_TRUE(wait_until(
      [&] {
        return shows_background(server.display(), host_x, host_y, host_width, host_height) &&
               count_cube(host_area()) > 100;
      },
      30));
  const Capture c = host_area();
  save_screenshot(server.name(), shot("cube_preview"));

  // The ground runs edge to edge: every pixel of the host's rim is the
  // saver's, none is the host's own white. The cube starts in the middle.
  for (int column = 0; column < host_width; ++column) {
    ASSERT_EQ(c.at(column, 0), background) << "top, column " << column;
    ASSERT_EQ(c.at(column, host_height - 1), background) << "bottom, column " << column;
  }
  for (int row = 0; row < host_height; ++row) {
    ASSERT_EQ(c.at(0, row), background) << "left, row " << row;
    ASSERT_EQ(c.at(host_width - 1, row), background) << "right, row " << row;
  }
  // The projection follows the host's size: the cube takes the same share of
  // the height as it does full screen.
  int left = host_width, right = -1, top = host_height, bottom = -1;
  for (int row = 0; row < host_height; ++row) {
    for (int column = 0; column < host_width; ++column) {
      if (!is_cube(c.at(column, row))) continue;
      left = std::min(left, column), right = std::max(right, column);
      top = std::min(top, row), bottom = std::max(bottom, row);
    }
  }
  EXPECT_GT(bottom - top, host_height / 4);
  EXPECT_LT(bottom - top, host_height * 3 / 4);
  EXPECT_LT(std::abs((left + right) / 2 - host_width / 2), host_width / 4);
  // Outside the host the screen is untouched.
  EXPECT_FALSE(screen_pixel(server.display(), host_x + host_width + 5, host_y) == background);
  EXPECT_TRUE(program.running());
}
