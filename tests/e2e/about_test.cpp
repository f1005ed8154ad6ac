// The configure runs (/c): the About window's place, size, look, button and close.
// GoogleTest goes first: Xlib's macros (None, Bool) clash with its templates.
#include <gtest/gtest.h>
#include <signal.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "shell/maker.h"
#include "tests/e2e/harness.h"

using namespace e2e;

namespace {

constexpr Rgb about_background = {177, 232, 179};
constexpr Rgb notice_blue = {0, 51, 255};
constexpr Rgb button_face = {225, 225, 225};

struct Box {
  int x, y, width, height;
};
constexpr Box heading_box = {110, 20, 280, 20};
constexpr Box notice_box = {20, 150, 380, 60};  // the part of the notice the button does not cover
constexpr Box button_box = {150, 210, 100, 32};
constexpr Box logo_box = {142, 55, 110, 83};

// A rectangle of the screen, read in one request.
class Grab {
 public:
  Grab(Display* display, int x, int y, int width, int height) : width_(width) {
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr) return;
    for (int j = 0; j < height; ++j) {
      for (int i = 0; i < width; ++i) {
        const unsigned long value = XGetPixel(image, i, j);
        pixels_.push_back({static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                           static_cast<int>(value & 0xFF)});
      }
    }
    XDestroyImage(image);
  }
  bool ok() const { return !pixels_.empty(); }
  Rgb at(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }
  int count(const Box& box, bool (*test)(Rgb)) const {
    int n = 0;
    for (int y = box.y; y < box.y + box.height; ++y) {
      for (int x = box.x; x < box.x + box.width; ++x) n += test(at(x, y));
    }
    return n;
  }

 private:
  int width_;
  std::vector<Rgb> pixels_;
};

bool is_dark(Rgb c) { return c.r < 60 && c.g < 60 && c.b < 60; }
bool is_notice_blue(Rgb c) { return near(c, notice_blue, 12); }
bool is_background(Rgb c) { return near(c, about_background, 0); }

struct AboutRun {
  XServer server;
  std::optional<Program> program;
  WindowInfo window = {};

  AboutRun(int width, int height) : server(width, height) {}

  bool start(const std::vector<std::string>& args) {
    program.emplace(args, server.name());
    const auto found = wait_for_window(server.display(), "About", 20);
    if (!found) return false;
    window = *found;
    // Painted once the background, the heading and the button face are all there.
    return wait_until(
        [&] {
          const Grab grab = this->grab();
          return grab.ok() && is_background(grab.at(5, 5)) && grab.count(heading_box, is_dark) > 0 &&
                 near(grab.at(button_box.x + 3, button_box.y + 3), button_face, 0);
        },
        20);
  }

  // The part of the window that lies on the screen.
  Grab grab() const {
    return Grab(server.display(), window.x, window.y, std::min(window.width, server.width() - window.x),
                std::min(window.height, server.height() - window.y));
  }

  // xdotool's screen coordinates of a point of the window.
  std::string at(int x, int y) const { return std::to_string(window.x + x) + " " + std::to_string(window.y + y); }
  void click(int x, int y) { xdotool(server.name(), "mousemove " + at(x, y) + " click 1"); }
};

// A stand-in for the desktop's opener that appends its arguments to a file.
struct RecordingOpener {
  std::string dir;
  std::string record;
  std::string saved_path;

  RecordingOpener() {
    char pattern[] = "/tmp/cubesaver-about-XXXXXX";
    dir = mkdtemp(pattern);
    record = dir + "/opened.txt";
    std::ofstream script(dir + "/xdg-open");
    script << "#!/bin/sh\necho \"$@\" >> '" << record << "'\n";
    script.close();
    chmod((dir + "/xdg-open").c_str(), 0755);
    // The program inherits this process's environment, whose first PATH wins over
    // one appended after it; so the opener's folder goes first here.
    saved_path = std::getenv("PATH");
    setenv("PATH", (dir + ":" + saved_path).c_str(), 1);
  }
  ~RecordingOpener() {
    setenv("PATH", saved_path.c_str(), 1);
    unlink(record.c_str());
    unlink((dir + "/xdg-open").c_str());
    rmdir(dir.c_str());
  }
  std::vector<std::string> lines() const {
    std::vector<std::string> result;
    std::ifstream in(record);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
  }
};

// The embedded logo, read straight from the source tree when the resource script lists it.
struct Logo {
  std::vector<unsigned char> bytes;
  int width = 0, height = 0;
  bool bottom_up = true;
  std::size_t offset = 0, stride = 0;

  Rgb at(int x, int y) const {
    const std::size_t row = static_cast<std::size_t>(bottom_up ? height - 1 - y : y);
    const unsigned char* p = bytes.data() + offset + row * stride + static_cast<std::size_t>(x) * 3;
    return {p[2], p[1], p[0]};
  }
};

// Not from __FILE__: the build maps the source folder's path away.
std::string source_root() { return CUBESAVER_SOURCE_DIR; }

std::int32_t little_endian(const std::vector<unsigned char>& b, std::size_t at) {
  return static_cast<std::int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<unsigned>(b[at + 3]) << 24);
}

std::optional<Logo> listed_logo() {
  std::ifstream list(source_root() + "resources/resources.list");
  std::string file;
  for (std::string line; std::getline(list, line);) {
    std::istringstream words(line);
    std::string type, id;
    if (words >> type >> id >> file && type == "BITMAP" && id == "101") break;
    file.clear();
  }
  if (file.empty()) return std::nullopt;
  std::ifstream in(source_root() + "resources/" + file, std::ios::binary);
  Logo logo;
  logo.bytes.assign(std::istreambuf_iterator<char>(in), {});
  if (logo.bytes.size() < 54 || logo.bytes[0] != 'B' || logo.bytes[1] != 'M') return std::nullopt;
  logo.offset = static_cast<std::size_t>(little_endian(logo.bytes, 10));
  logo.width = little_endian(logo.bytes, 18);
  logo.bottom_up = little_endian(logo.bytes, 22) > 0;
  logo.height = std::abs(little_endian(logo.bytes, 22));
  logo.stride = (static_cast<std::size_t>(logo.width) * 3 + 3) & ~std::size_t{3};
  if (logo.offset + logo.stride * static_cast<std::size_t>(logo.height) > logo.bytes.size()) return std::nullopt;
  return logo;
}

struct Placement {
  const char* argument;
  int screen_width, screen_height;
  int x, y;
};

class AboutPlacement : public testing::TestWithParam<Placement> {};

}  // namespace

TEST_P(AboutPlacement, a_configure_run_shows_the_window_centred_with_offsets_truncated_toward_zero) {
  const Placement p = GetParam();
  AboutRun run(p.screen_width, p.screen_height);
  ASSERT_TRUE(run.start({p.argument}));
  EXPECT_EQ(run.window.width, 400);
  EXPECT_EQ(run.window.height, 300);
  EXPECT_EQ(run.window.x, p.x);
  EXPECT_EQ(run.window.y, p.y);
}

// 1365 x 767 has half pixels to drop; on 399 x 299 they are -0.5, which goes to 0, not -1.
INSTANTIATE_TEST_SUITE_P(about, AboutPlacement,
                         testing::Values(Placement{"/c", 1920, 1080, 760, 390},
                                         Placement{"/c:5678", 1920, 1080, 760, 390},
                                         Placement{"/c", 1366, 768, 483, 234}, Placement{"/c", 1365, 767, 482, 233},
                                         Placement{"/c", 399, 299, 0, 0}));

TEST(about, size_hints_forbid_resizing_and_the_frame_offers_no_minimise_or_maximise) {
  AboutRun run(1366, 768);
  ASSERT_TRUE(run.start({"/c"}));
  Display* display = run.server.display();
  XSizeHints hints = {};
  long supplied = 0;
  ASSERT_NE(XGetWMNormalHints(display, run.window.id, &hints, &supplied), 0);
  ASSERT_TRUE(hints.flags & PMinSize);
  ASSERT_TRUE(hints.flags & PMaxSize);
  EXPECT_EQ(hints.min_width, 400);
  EXPECT_EQ(hints.max_width, 400);
  EXPECT_EQ(hints.min_height, 300);
  EXPECT_EQ(hints.max_height, 300);

  const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  ASSERT_EQ(XGetWindowProperty(display, run.window.id, motif, 0, 5, False, AnyPropertyType, &type, &format, &count,
                               &after, &data),
            Success);
  ASSERT_EQ(count, 5u);
  const long* fields = reinterpret_cast<const long*>(data);
  const long functions = fields[1], decorations = fields[2];
  XFree(data);
  constexpr long resize = 2, minimise = 8, maximise = 16, close = 32;
  EXPECT_EQ(functions & (resize | minimise | maximise), 0);
  EXPECT_EQ(functions & close, close);
  EXPECT_EQ(decorations & (4 | 32 | 64), 0) << "no resize handles, minimise or maximise boxes";
}

TEST(about, the_window_shows_background_heading_notice_and_button) {
  AboutRun run(1920, 1080);
  ASSERT_TRUE(run.start({"/c"}));
  save_screenshot(run.server.name(), SCREENSHOT_DIR "/about_1920x1080.png");
  const Grab grab = run.grab();
  ASSERT_TRUE(grab.ok());

  for (const auto& [x, y] : {std::pair{0, 0}, {399, 299}, {10, 100}, {390, 60}, {60, 280}}) {
    EXPECT_TRUE(is_background(grab.at(x, y))) << x << "," << y;
  }
  // Black heading, blue notice, each only in its own place.
  EXPECT_GT(grab.count(heading_box, is_dark), 150);
  EXPECT_EQ(grab.count(heading_box, is_notice_blue), 0);
  EXPECT_GT(grab.count(notice_box, is_notice_blue), 150);
  EXPECT_EQ(grab.count(notice_box, is_dark), 0);
  EXPECT_EQ(grab.count({0, 0, 400, 20}, is_dark), 0) << "nothing above the heading";
  // The heading is underlined: one row under the letters is dark along most of its width.
  int longest_dark_row = 0;
  for (int y = heading_box.y; y < heading_box.y + heading_box.height; ++y) {
    longest_dark_row = std::max(longest_dark_row, grab.count({heading_box.x, y, heading_box.width, 1}, is_dark));
  }
  EXPECT_GT(longest_dark_row, 150);

  // The button: its face inside the border, and dark caption letters on it.
  EXPECT_TRUE(near(grab.at(button_box.x + 3, button_box.y + 3), button_face, 0));
  EXPECT_TRUE(near(grab.at(button_box.x + button_box.width - 4, button_box.y + button_box.height - 4), button_face, 0));
  EXPECT_FALSE(is_background(grab.at(button_box.x, button_box.y + 16))) << "left border";
  EXPECT_GT(grab.count(button_box, is_dark), 40);
}

TEST(about, the_logo_shows_at_its_place_at_its_own_size) {
  AboutRun run(1920, 1080);
  ASSERT_TRUE(run.start({"/c"}));
  const Grab grab = run.grab();
  ASSERT_TRUE(grab.ok());
  const std::optional<Logo> logo = listed_logo();
  if (!logo) {
    // Without an embedded logo its place stays plain background.
    EXPECT_EQ(grab.count(logo_box, is_background), logo_box.width * logo_box.height);
    GTEST_SKIP() << "bitmap 101 is not in resources/resources.list yet";
  }
  ASSERT_EQ(logo->width, logo_box.width);
  ASSERT_EQ(logo->height, logo_box.height);
  int differing = 0;
  for (int y = 0; y < logo->height; ++y) {
    for (int x = 0; x < logo->width; ++x) differing += !(grab.at(logo_box.x + x, logo_box.y + y) == logo->at(x, y));
  }
  EXPECT_EQ(differing, 0) << "of " << logo->width * logo->height << " logo pixels";
}

TEST(about, the_button_opens_the_website_and_the_window_stays) {
  RecordingOpener opener;
  AboutRun run(1366, 768);
  ASSERT_TRUE(run.start({"/c"}));
  run.click(button_box.x + 50, button_box.y + 16);
  ASSERT_TRUE(wait_until([&] { return !opener.lines().empty(); }, 20));
  EXPECT_EQ(opener.lines(), std::vector<std::string>{maker_website_link});
  EXPECT_EQ(std::string(maker_website_link), std::string(maker_home_page) + "?utm_source=About");
  EXPECT_TRUE(run.program->running());
  EXPECT_TRUE(window_exists(run.server.display(), run.window.id));

  run.click(button_box.x + 10, button_box.y + 5);
  ASSERT_TRUE(wait_until([&] { return opener.lines().size() == 2; }, 20)) << "each click opens the link again";
  EXPECT_TRUE(run.program->running());
}

TEST(about, clicking_anything_but_the_button_opens_nothing) {
  RecordingOpener opener;
  AboutRun run(1366, 768);
  ASSERT_TRUE(run.start({"/c"}));
  run.click(notice_box.x + 40, notice_box.y + 8);  // the notice shares the button's id
  run.click(heading_box.x + 60, heading_box.y + 10);
  run.click(logo_box.x + 50, logo_box.y + 40);
  run.click(20, 280);
  // A press on the button that is released elsewhere is no click either.
  xdotool(run.server.name(), "mousemove " + run.at(button_box.x + 50, button_box.y + 16) + " mousedown 1 mousemove " +
                                 run.at(20, 280) + " mouseup 1");
  // Events are handled in order: by the time the last click has started the
  // opener, any earlier click that opened the link would have started it first.
  run.click(button_box.x + 50, button_box.y + 16);
  ASSERT_TRUE(wait_until([&] { return !opener.lines().empty(); }, 20));
  send_close_request(run.server.display(), run.window.id);
  ASSERT_EQ(run.program->wait_exit(20), 0);
  EXPECT_EQ(opener.lines().size(), 1u);
}

TEST(about, the_window_managers_close_ends_the_run_with_exit_code_0) {
  AboutRun run(1366, 768);
  ASSERT_TRUE(run.start({"/c"}));
  send_close_request(run.server.display(), run.window.id);
  EXPECT_EQ(run.program->wait_exit(20), 0);
  EXPECT_FALSE(window_exists(run.server.display(), run.window.id));
}

TEST(about, the_hosts_termination_signals_end_the_run_with_exit_code_0) {
  for (int number : {SIGTERM, SIGINT, SIGHUP}) {
    AboutRun run(640, 480);
    ASSERT_TRUE(run.start({"/c"}));
    run.program->signal(number);
    EXPECT_EQ(run.program->wait_exit(20), 0) << "signal " << number;
  }
}

TEST(about, without_a_display_both_failure_messages_are_given_and_the_run_ends_with_0) {
  Program program({"/c"}, ":999");
  EXPECT_EQ(program.wait_exit(20), 0);
  const std::string errors = program.error_output();
  const auto registration = errors.find("Error!: Window Registration Failed!");
  const auto creation = errors.find("Error!: Window Creation Failed!");
  EXPECT_NE(registration, std::string::npos) << errors;
  EXPECT_NE(creation, std::string::npos) << errors;
  EXPECT_LT(registration, creation);
}
