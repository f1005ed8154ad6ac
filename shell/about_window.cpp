#include "shell/about_window.h"

#include <cstdint>

#include "assets/bitmap_reader.h"
#include "platform/about_content.h"
#include "platform/platform.h"
#include "resources/resource_ids.h"
#include "shell/maker.h"

namespace {

constexpr std::uint16_t logo_resource = resource_id::about_logo_bmp;
enum Font { body, heading };

// No logo (none embedded, or not a 24-bit BMP) leaves its place to the background.
PixelRows logo_pixels() {
  const ResourceBytes bytes = find_resource(ResourceType::Bitmap, logo_resource);
  BitmapView view = {};
  if (bytes.data == nullptr || !read_bitmap(bytes.data, bytes.size, view)) return {};
  return {view.pixels, view.width, view.height, view.row_stride, view.bottom_up};
}

}  // namespace

AboutWindow::AboutWindow(int show_command)
    : caption("About"),
      class_name("LumoraWindowClass"),
      button_class_name("LumoraButtonClass"),
      button_text("Visit website"),
      notice_text(maker_notice),
      title_text("3D Tamsel's Screensaver") {
  const AboutContent content = {
      caption,
      class_name,
      400,
      300,
      {177, 232, 179},
      {{"Arial", 16, 6, false, false}, {"Arial", 18, 8, true, true}},
      {{notice_text, {20, 150, 380, 80}, body, {0, 51, 255}}, {title_text, {110, 20, 280, 20}, heading, {0, 0, 0}}},
      logo_pixels(),
      142,
      55,
      {button_text, {150, 210, 100, 32}, body, maker_website_link},
  };

  if (!about_prepare(content)) show_message_box("Window Registration Failed!", "Error!", BoxIcon::Warning);
  // Centred on the primary monitor, in double precision truncated toward zero.
  const ScreenArea screen = about_primary_screen();
  const int x = screen.x + static_cast<int>((screen.width - content.width) * 0.5);
  const int y = screen.y + static_cast<int>((screen.height - content.height) * 0.5);
  // Nothing could ever close a window that does not exist: the run ends after the box.
  if (!about_show(content, x, y, show_command)) {
    show_message_box("Window Creation Failed!", "Error!", BoxIcon::Warning);
  }
}
