#include "shell/about_window.h"

#include <cstdint>

#include "assets/bitmap_reader.h"
#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "shell/maker.h"

namespace {

constexpr int window_width = 400;
constexpr int window_height = 300;
constexpr Colour background_colour = {177, 232, 179};
constexpr Colour heading_colour = {0, 0, 0};
constexpr Colour notice_colour = {0, 51, 255};
constexpr int logo_x = 142;
constexpr int logo_y = 55;
constexpr std::uint16_t logo_resource = resource_id::about_logo_bmp;
// The notice and the button share an id; only the button ever sends a command.
constexpr int notice_id = 10;
constexpr int heading_id = 30;
constexpr int button_id = 10;

// The window, its controls and the logo; the fonts outlive the window.
struct AboutState {
  NativeWindow window;
  NativeWindow notice;
  NativeWindow heading;
  NativeWindow button;
  AboutBitmap logo;
  AboutFont body_font;
  AboutFont heading_font;
};
AboutState about = {};

// No logo (none embedded, or not a 24-bit BMP) leaves its place to the background.
AboutBitmap load_logo() {
  const ResourceBytes bytes = find_resource(ResourceType::Bitmap, logo_resource);
  BitmapView view = {};
  if (bytes.data == nullptr || !read_bitmap(bytes.data, bytes.size, view)) return 0;
  return about_create_bitmap({view.pixels, view.width, view.height, view.row_stride, view.bottom_up});
}

}  // namespace

void about_window_proc(NativeWindow window, AboutMessage message, const AboutMessageData& data) {
  switch (message) {
    case AboutMessage::Paint:
      about_fill_client(window, background_colour);
      about_draw_bitmap(window, about.logo, logo_x, logo_y);
      break;
    case AboutMessage::StaticColours:
      data.colours->text = data.control == about.heading ? heading_colour : notice_colour;
      data.colours->background = background_colour;
      break;
    case AboutMessage::Command:
      if (data.control_id == button_id) open_link(maker_website_link);
      break;
    case AboutMessage::Close:
      about_destroy_window(window);
      break;
    case AboutMessage::Destroy:
      about_delete_bitmap(about.logo);
      about.logo = 0;
      about_post_quit();
      break;
  }
}

AboutWindow::AboutWindow(int show_command)
    : caption("About"),
      class_name("LumoraWindowClass"),
      button_class_name("LumoraButtonClass"),
      button_text("Visit website"),
      notice_text(maker_notice),
      title_text("3D Tamsel's Screensaver") {
  if (!about_register_class(class_name, about_window_proc)) {
    show_message_box("Window Registration Failed!", "Error!", BoxIcon::Warning);
  }

  // Centred on the primary monitor, in double precision truncated toward zero.
  const ScreenArea screen = about_primary_screen();
  const int x = screen.x + static_cast<int>((screen.width - window_width) * 0.5);
  const int y = screen.y + static_cast<int>((screen.height - window_height) * 0.5);
  about.window = about_create_window(class_name, caption, x, y, window_width, window_height);
  if (about.window == 0) {
    // Nothing could ever close a window that does not exist: end the run.
    show_message_box("Window Creation Failed!", "Error!", BoxIcon::Warning);
    return;
  }

  about.logo = load_logo();
  if (about.body_font == 0) about.body_font = about_create_font({"Arial", 16, 6, false, false});
  if (about.heading_font == 0) about.heading_font = about_create_font({"Arial", 18, 8, true, true});

  about.notice = about_create_static(about.window, "ST_U", 20, 150, 380, 80, notice_id);
  about_set_text(about.notice, notice_text);
  about_set_font(about.notice, about.body_font, true);
  about.heading = about_create_static(about.window, "ST_U", 110, 20, 280, 20, heading_id);
  about_set_text(about.heading, title_text);
  about_set_font(about.heading, about.heading_font, true);
  about.button = about_create_button(about.window, button_text, 150, 210, 100, 32, button_id);
  about_set_font(about.button, about.body_font, true);

  about_show_window(about.window, show_command);
  about_run_loop();
}
