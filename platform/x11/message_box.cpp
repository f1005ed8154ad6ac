// Message boxes: a small window of its own connection with the text, an icon and
// an OK button. It blocks until the button, Enter, Escape or the window manager's
// close dismisses it. Without a display the text goes to standard error.
#include <X11/keysym.h>

#include <algorithm>
#include <climits>
#include <cstdio>

#include "platform/platform.h"
#include "platform/x11/dialog.h"
#include "platform/x11/display_faults.h"

namespace {

constexpr int padding = 16;
constexpr int icon_size = 32;
constexpr int button_width = 80;
constexpr int button_height = 26;
constexpr int line_gap = 2;
constexpr int max_lines = 16;
constexpr Colour box_face = {240, 240, 240};
constexpr Colour white = {255, 255, 255};

// A blue disc with "i", or an amber one with "!".
void draw_icon(Dialog& box, BoxIcon icon) {
  const bool warning = icon == BoxIcon::Warning;
  XSetForeground(box.display, box.gc, dialog_pixel(box, warning ? Colour{235, 170, 20} : Colour{40, 110, 210}));
  XFillArc(box.display, box.window, box.gc, padding, padding, icon_size, icon_size, 0, 360 * 64);
  const int mid = padding + icon_size / 2;
  fill(box, white, {mid - 2, padding + (warning ? 7 : 13), 4, 13});
  fill(box, white, {mid - 2, padding + (warning ? 23 : 6), 4, 4});
}

}  // namespace

void show_message_box(const char* text, const char* caption, BoxIcon icon) {
  if (text == nullptr) text = "";
  if (caption == nullptr) caption = "";
  release_host();  // the box needs the server
  Dialog box = {};
  XftFont* face = nullptr;
  if (connect_dialog(box)) face = XftFontOpenName(box.display, box.screen, "Liberation Sans,sans-serif:pixelsize=13");
  if (face == nullptr) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    close_dialog(box);
    return;
  }
  TextLine lines[max_lines];
  const int line_count = break_lines(box, face, text, INT_MAX, lines, max_lines);
  int widest = 0;
  for (int i = 0; i < line_count; ++i) widest = std::max(widest, text_width(box, face, lines[i].text, lines[i].length));
  const int line_height = face->ascent + face->descent + line_gap;
  const int width = std::clamp(padding * 3 + icon_size + widest, 240, 800);
  const int height = padding * 3 + std::max(icon_size, line_count * line_height) + button_height;
  const Place text_place = {padding * 2 + icon_size, padding, width - padding * 2 - icon_size, height - padding};
  const Place button = {(width - button_width) / 2, height - padding - button_height, button_width, button_height};

  const int x = (DisplayWidth(box.display, box.screen) - width) / 2;
  const int y = (DisplayHeight(box.display, box.screen) - height) / 2;
  if (make_dialog_window(box, {caption, "Cubesaver", {x, y, width, height}, 1, true})) {
    XMapRaised(box.display, box.window);
    while (wait_for_event(box.display)) {
      XEvent event;
      XNextEvent(box.display, &event);
      if (event.type == Expose && event.xexpose.count == 0) {
        fill(box, box_face, {0, 0, width, height});
        draw_icon(box, icon);
        draw_text(box, {face, false}, {0, 0, 0}, text_place, line_gap, text);
        draw_button(box, {face, false}, button, "OK", ButtonLook::Default);
      }
      if (event.type == ButtonRelease && event.xbutton.button == Button1 &&
          inside(button, event.xbutton.x, event.xbutton.y)) {
        break;
      }
      if (event.type == KeyPress) {
        const KeySym key = XLookupKeysym(&event.xkey, 0);
        if (key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space) break;
      }
      if (is_close_request(box, event)) break;
    }
  }
  XftFontClose(box.display, face);
  close_dialog(box);
}
