// Message boxes: a small window of its own connection with the text, an icon and
// an OK button. It blocks until the button, Enter, Escape or the window manager's
// close dismisses it. Without a display the text goes to standard error.
#include <X11/Xatom.h>
#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/x11/display_faults.h"

namespace {

constexpr int padding = 16;
constexpr int icon_size = 32;
constexpr int button_width = 80;
constexpr int button_height = 26;
constexpr int max_lines = 16;

struct Line {
  const char* text;
  int length;
};

int split_lines(const char* text, Line (&lines)[max_lines]) {
  int count = 0;
  const char* start = text;
  for (const char* c = text;; ++c) {
    if (*c == '\n' || *c == '\0') {
      int length = static_cast<int>(c - start);
      if (length > 0 && start[length - 1] == '\r') --length;
      if (count < max_lines) lines[count++] = {start, length};
      if (*c == '\0') break;
      start = c + 1;
    }
  }
  return count;
}

struct Box {
  Display* display;
  Window window;
  XftDraw* draw;
  XftFont* font;
  XftColor text_colour;
  GC gc;
  Line lines[max_lines];
  int line_count;
  int width;
  int height;
  BoxIcon icon;
};

int text_width(Box& box, const char* text, int length) {
  XGlyphInfo extents = {};
  XftTextExtentsUtf8(box.display, box.font, reinterpret_cast<const FcChar8*>(text), length, &extents);
  return extents.xOff;
}

unsigned long rgb(int r, int g, int b) { return (static_cast<unsigned long>(r) << 16) | (g << 8) | b; }

void paint(Box& box) {
  XSetForeground(box.display, box.gc, rgb(240, 240, 240));
  XFillRectangle(box.display, box.window, box.gc, 0, 0, box.width, box.height);

  // Icon: a blue disc with "i", or an amber one with "!".
  const bool warning = box.icon == BoxIcon::Warning;
  XSetForeground(box.display, box.gc, warning ? rgb(235, 170, 20) : rgb(40, 110, 210));
  XFillArc(box.display, box.window, box.gc, padding, padding, icon_size, icon_size, 0, 360 * 64);
  XSetForeground(box.display, box.gc, rgb(255, 255, 255));
  const int mid = padding + icon_size / 2;
  if (warning) {
    XFillRectangle(box.display, box.window, box.gc, mid - 2, padding + 7, 4, 13);
    XFillRectangle(box.display, box.window, box.gc, mid - 2, padding + 23, 4, 4);
  } else {
    XFillRectangle(box.display, box.window, box.gc, mid - 2, padding + 6, 4, 4);
    XFillRectangle(box.display, box.window, box.gc, mid - 2, padding + 13, 4, 13);
  }

  const int line_height = box.font->ascent + box.font->descent + 2;
  const int text_x = padding * 2 + icon_size;
  for (int i = 0; i < box.line_count; ++i) {
    XftDrawStringUtf8(box.draw, &box.text_colour, box.font, text_x,
                      padding + box.font->ascent + i * line_height,
                      reinterpret_cast<const FcChar8*>(box.lines[i].text), box.lines[i].length);
  }

  const int bx = (box.width - button_width) / 2;
  const int by = box.height - padding - button_height;
  XSetForeground(box.display, box.gc, rgb(225, 225, 225));
  XFillRectangle(box.display, box.window, box.gc, bx, by, button_width, button_height);
  XSetForeground(box.display, box.gc, rgb(0, 120, 215));
  XDrawRectangle(box.display, box.window, box.gc, bx, by, button_width - 1, button_height - 1);
  const int ok_width = text_width(box, "OK", 2);
  XftDrawStringUtf8(box.draw, &box.text_colour, box.font, bx + (button_width - ok_width) / 2,
                    by + (button_height + box.font->ascent - box.font->descent) / 2,
                    reinterpret_cast<const FcChar8*>("OK"), 2);
}

bool on_button(const Box& box, int x, int y) {
  const int bx = (box.width - button_width) / 2;
  const int by = box.height - padding - button_height;
  return x >= bx && x < bx + button_width && y >= by && y < by + button_height;
}

void set_title_and_type(Display* display, Window window, const char* caption) {
  XStoreName(display, window, caption);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(caption),
                  static_cast<int>(std::strlen(caption)));
  const Atom dialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&dialog), 1);
  XClassHint class_hint = {const_cast<char*>("cubesaver"), const_cast<char*>("Cubesaver")};
  XSetClassHint(display, window, &class_hint);
}

void run_box(Box& box) {
  const Atom delete_window = XInternAtom(box.display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(box.display, box.window, const_cast<Atom*>(&delete_window), 1);
  XMapRaised(box.display, box.window);
  while (wait_for_event(box.display)) {
    XEvent event;
    XNextEvent(box.display, &event);
    switch (event.type) {
      case Expose:
        if (event.xexpose.count == 0) paint(box);
        break;
      case ButtonRelease:
        if (event.xbutton.button == Button1 && on_button(box, event.xbutton.x, event.xbutton.y)) return;
        break;
      case KeyPress: {
        const KeySym key = XLookupKeysym(&event.xkey, 0);
        if (key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space) return;
        break;
      }
      case ClientMessage:
        if (static_cast<Atom>(event.xclient.data.l[0]) == delete_window) return;
        break;
      default:
        break;
    }
  }
}

}  // namespace

void show_message_box(const char* text, const char* caption, BoxIcon icon) {
  if (text == nullptr) text = "";
  if (caption == nullptr) caption = "";
  release_host();  // the box needs the server
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    return;
  }
  const int screen = DefaultScreen(display);
  Box box = {};
  box.display = display;
  box.icon = icon;
  box.font = XftFontOpenName(display, screen, "Liberation Sans,sans-serif:pixelsize=13");
  if (box.font == nullptr) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    XCloseDisplay(display);
    return;
  }
  box.line_count = split_lines(text, box.lines);
  int text_width_max = 0;
  for (int i = 0; i < box.line_count; ++i) {
    text_width_max = std::max(text_width_max, text_width(box, box.lines[i].text, box.lines[i].length));
  }
  const int line_height = box.font->ascent + box.font->descent + 2;
  box.width = std::clamp(padding * 3 + icon_size + text_width_max, 240, 800);
  box.height = padding * 3 + std::max(icon_size, box.line_count * line_height) + button_height;

  const int x = (DisplayWidth(display, screen) - box.width) / 2;
  const int y = (DisplayHeight(display, screen) - box.height) / 2;
  box.window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y, box.width, box.height,
                                   1, BlackPixel(display, screen), WhitePixel(display, screen));
  XSelectInput(display, box.window, ExposureMask | KeyPressMask | ButtonReleaseMask);
  set_title_and_type(display, box.window, caption);
  XSizeHints* hints = XAllocSizeHints();
  hints->flags = PPosition | PMinSize | PMaxSize;
  hints->x = x;
  hints->y = y;
  hints->min_width = hints->max_width = box.width;
  hints->min_height = hints->max_height = box.height;
  XSetWMNormalHints(display, box.window, hints);
  XFree(hints);

  Visual* visual = DefaultVisual(display, screen);
  const Colormap colormap = DefaultColormap(display, screen);
  box.draw = XftDrawCreate(display, box.window, visual, colormap);
  XftColorAllocName(display, visual, colormap, "black", &box.text_colour);
  box.gc = XCreateGC(display, box.window, 0, nullptr);

  run_box(box);

  XFreeGC(display, box.gc);
  XftColorFree(display, visual, colormap, &box.text_colour);
  XftDrawDestroy(box.draw);
  XftFontClose(display, box.font);
  XDestroyWindow(display, box.window);
  XCloseDisplay(display);
}
