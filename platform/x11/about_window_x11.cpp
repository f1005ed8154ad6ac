// The About window on X11: the content drawn with Xlib and Xft on one window,
// the button's press followed by hand, and the wait for the user to close it.
#include <GLFW/glfw3.h>

#include <cstdint>

#include "platform/about_content.h"
#include "platform/platform.h"
#include "platform/x11/dialog.h"
#include "platform/x11/display_faults.h"

namespace {

constexpr int max_picture_width = 1024;

struct AboutX11 {
  Dialog dialog;
  DialogFont fonts[about_font_count];
  bool pressed;  // the button held down by the first mouse button
};
AboutX11 about = {};

DialogFont font(int index) { return index >= 0 && index < about_font_count ? about.fonts[index] : DialogFont{}; }

// One row at a time through a fixed buffer.
void draw_picture(Dialog& d, const PixelRows& pixels, int x, int y) {
  if (pixels.first_row == nullptr || pixels.width <= 0 || pixels.width > max_picture_width) return;
  static std::uint32_t row[max_picture_width];
  XImage* image = XCreateImage(d.display, d.visual, static_cast<unsigned>(d.depth), ZPixmap, 0,
                               reinterpret_cast<char*>(row), static_cast<unsigned>(pixels.width), 1, 32, 0);
  if (image == nullptr) return;
  for (int j = 0; j < pixels.height; ++j) {
    const int stored = pixels.bottom_up ? pixels.height - 1 - j : j;
    const unsigned char* bgr = pixels.first_row + static_cast<std::size_t>(stored) * pixels.row_stride;
    for (int i = 0; i < pixels.width; ++i) {
      XPutPixel(image, i, 0, dialog_pixel(d, {bgr[3 * i + 2], bgr[3 * i + 1], bgr[3 * i]}));
    }
    XPutImage(d.display, d.window, d.gc, image, 0, 0, x, y + j, static_cast<unsigned>(pixels.width), 1);
  }
  image->data = nullptr;  // the buffer is ours, not Xlib's to free
  XDestroyImage(image);
}

void draw_button(const AboutContent& content) {
  const AboutButton& button = content.button;
  draw_button(about.dialog, font(button.font), button.place, button.text,
              about.pressed ? ButtonLook::Pressed : ButtonLook::Normal);
}

void paint(const AboutContent& content) {
  Dialog& d = about.dialog;
  fill(d, content.background, {0, 0, content.width, content.height});
  draw_picture(d, content.logo, content.logo_x, content.logo_y);
  for (const AboutText& text : content.texts) {
    draw_text(d, font(text.font), text.colour, text.place, 0, text.text);
  }
  draw_button(content);
}

// False once the window is to close.
bool handle_event(const AboutContent& content, const XEvent& event) {
  const Place& button = content.button.place;
  switch (event.type) {
    case Expose:
      if (event.xexpose.count == 0) paint(content);
      return true;
    case ButtonPress:
      if (event.xbutton.button != Button1 || !inside(button, event.xbutton.x, event.xbutton.y)) return true;
      about.pressed = true;
      draw_button(content);
      return true;
    case ButtonRelease:
      if (event.xbutton.button != Button1 || !about.pressed) return true;
      about.pressed = false;
      draw_button(content);
      // A press that is dragged off the button and released elsewhere is no click.
      if (inside(button, event.xbutton.x, event.xbutton.y)) open_link(content.button.link);
      return true;
    case DestroyNotify:
      // Destroyed from outside (another client killed it): end as a close would.
      return event.xdestroywindow.window != about.dialog.window;
    default:
      return !is_close_request(about.dialog, event);
  }
}

}  // namespace

bool about_prepare(const AboutContent&) { return connect_dialog(about.dialog); }

ScreenArea about_primary_screen() {
  Dialog& d = about.dialog;
  ScreenArea area = {};
  if (d.display == nullptr) return area;
  area = {0, 0, DisplayWidth(d.display, d.screen), DisplayHeight(d.display, d.screen)};
  // The whole X screen may span several monitors; the library knows which is primary.
  if (glfwInit() == GLFW_TRUE) {
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor != nullptr ? glfwGetVideoMode(monitor) : nullptr;
    if (mode != nullptr) {
      glfwGetMonitorPos(monitor, &area.x, &area.y);
      area.width = mode->width;
      area.height = mode->height;
    }
    glfwTerminate();
  }
  return area;
}

bool about_show(const AboutContent& content, int x, int y, int show_command) {
  Dialog& d = about.dialog;
  if (!make_dialog_window(d, {content.caption, content.class_name, {x, y, content.width, content.height}, 0, false})) {
    return false;
  }
  for (int i = 0; i < about_font_count; ++i) {
    if (about.fonts[i].face == nullptr) about.fonts[i] = open_font(d, content.fonts[i]);
  }
  if (show_command != 0) XMapRaised(d.display, d.window);
  XFlush(d.display);
  // Shown or not, the window lives until it is closed or the host ends the run.
  while (wait_for_event(d.display)) {
    XEvent event;
    XNextEvent(d.display, &event);
    if (!handle_event(content, event)) break;
  }
  for (DialogFont& opened : about.fonts) {
    if (opened.face != nullptr) XftFontClose(d.display, opened.face);
    opened = {};
  }
  close_dialog(d);
  return true;
}
