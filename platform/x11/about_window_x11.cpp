// The About window on X11: its class table, the fixed-size top-level window, the
// bitmaps, the drawing of its own area and the event loop that feeds the
// caller's window procedure. The controls live in about_controls_x11.cpp.
#include <GLFW/glfw3.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "platform/x11/about_x11.h"
#include "platform/x11/display_faults.h"

AboutX11 about_x11 = {};

namespace {

AboutX11& s = about_x11;

// Motif hints: the decorations and functions a window manager should offer.
struct MotifHints {
  unsigned long flags;
  unsigned long functions;
  unsigned long decorations;
  long input_mode;
  unsigned long status;
};
constexpr unsigned long motif_functions = 1, motif_decorations = 2;
constexpr unsigned long motif_function_move = 4, motif_function_close = 32;
constexpr unsigned long motif_decoration_border = 2, motif_decoration_title = 8, motif_decoration_menu = 16;

int mask_shift(unsigned long mask) {
  int shift = 0;
  while (mask != 0 && (mask & 1) == 0) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

unsigned long scaled(std::uint8_t value, unsigned long mask) {
  const unsigned long top = mask >> mask_shift(mask);
  return ((value * top + 127) / 255) << mask_shift(mask);
}

const ClassSlot* find_class(const char* name) {
  for (int i = 0; i < s.class_count; ++i) {
    if (std::strcmp(s.classes[i].name, name) == 0) return &s.classes[i];
  }
  return nullptr;
}

void set_caption_and_class(Window window, const char* caption, const char* class_name) {
  XStoreName(s.display, window, caption);
  XChangeProperty(s.display, window, XInternAtom(s.display, "_NET_WM_NAME", False),
                  XInternAtom(s.display, "UTF8_STRING", False), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(caption), static_cast<int>(std::strlen(caption)));
  XClassHint class_hint = {const_cast<char*>("cubesaver"), const_cast<char*>(class_name)};
  XSetClassHint(s.display, window, &class_hint);
  const long pid = getpid();
  XChangeProperty(s.display, window, XInternAtom(s.display, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);
}

// Fixed size at a fixed place; a caption with the close control only.
void set_fixed_frame(Window window, int x, int y, int width, int height) {
  XSizeHints* size = XAllocSizeHints();
  size->flags = USPosition | PPosition | PSize | PMinSize | PMaxSize;
  size->x = x;
  size->y = y;
  size->width = size->min_width = size->max_width = width;
  size->height = size->min_height = size->max_height = height;
  XSetWMNormalHints(s.display, window, size);
  XFree(size);

  XWMHints* wm = XAllocWMHints();
  wm->flags = InputHint | StateHint;
  wm->input = True;
  wm->initial_state = NormalState;
  XSetWMHints(s.display, window, wm);
  XFree(wm);

  const MotifHints motif = {motif_functions | motif_decorations, motif_function_move | motif_function_close,
                            motif_decoration_border | motif_decoration_title | motif_decoration_menu, 0, 0};
  const Atom motif_atom = XInternAtom(s.display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(s.display, window, motif_atom, motif_atom, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&motif), 5);

  XSetWMProtocols(s.display, window, &s.wm_delete_window, 1);
}

void deliver(AboutMessage message, const AboutMessageData& data) {
  if (s.procedure != nullptr && s.window != 0) s.procedure(s.window, message, data);
}

void handle_event(const XEvent& event) {
  switch (event.type) {
    case Expose:
      if (event.xexpose.count != 0) break;
      if (event.xexpose.window == s.window) {
        deliver(AboutMessage::Paint, {});
      } else if (ControlSlot* control = about_control(event.xexpose.window)) {
        about_draw_control(*control);
      }
      break;
    case ButtonPress: {
      ControlSlot* control = about_control(event.xbutton.window);
      if (control == nullptr || control->kind != ControlKind::Button || event.xbutton.button != Button1) break;
      control->pressed = true;
      about_draw_control(*control);
      break;
    }
    case ButtonRelease: {
      ControlSlot* control = about_control(event.xbutton.window);
      if (control == nullptr || !control->pressed || event.xbutton.button != Button1) break;
      control->pressed = false;
      about_draw_control(*control);
      // A press that is dragged off the button and released elsewhere is no click.
      const bool inside = event.xbutton.x >= 0 && event.xbutton.y >= 0 && event.xbutton.x < control->width &&
                          event.xbutton.y < control->height;
      if (inside) deliver(AboutMessage::Command, {control->window, control->id, nullptr});
      break;
    }
    case ClientMessage:
      if (event.xclient.window == s.window && event.xclient.message_type == s.wm_protocols &&
          static_cast<Atom>(event.xclient.data.l[0]) == s.wm_delete_window) {
        deliver(AboutMessage::Close, {});
      }
      break;
    case DestroyNotify:
      // Destroyed from outside (another client killed it): end as a close would.
      if (event.xdestroywindow.window == s.window) about_destroy_window(s.window);
      break;
    default:
      break;
  }
}

}  // namespace

unsigned long about_pixel(Colour colour) {
  return scaled(colour.r, s.visual->red_mask) | scaled(colour.g, s.visual->green_mask) |
         scaled(colour.b, s.visual->blue_mask);
}

bool about_register_class(const char* class_name, AboutWindowProc procedure) {
  if (class_name == nullptr || procedure == nullptr) return false;
  if (std::strlen(class_name) >= sizeof(s.classes[0].name)) return false;
  if (find_class(class_name) != nullptr || s.class_count == about_max_classes) return false;
  if (s.display == nullptr) {
    s.display = XOpenDisplay(nullptr);
    if (s.display == nullptr) return false;
    s.screen = DefaultScreen(s.display);
    s.visual = DefaultVisual(s.display, s.screen);
    s.colormap = DefaultColormap(s.display, s.screen);
    s.depth = DefaultDepth(s.display, s.screen);
    s.wm_protocols = XInternAtom(s.display, "WM_PROTOCOLS", False);
    s.wm_delete_window = XInternAtom(s.display, "WM_DELETE_WINDOW", False);
  }
  ClassSlot& slot = s.classes[s.class_count++];
  std::strcpy(slot.name, class_name);
  slot.procedure = procedure;
  return true;
}

ScreenArea about_primary_screen() {
  ScreenArea area = {};
  if (s.display == nullptr) return area;
  area = {0, 0, DisplayWidth(s.display, s.screen), DisplayHeight(s.display, s.screen)};
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

NativeWindow about_create_window(const char* class_name, const char* caption, int x, int y, int width, int height) {
  if (s.display == nullptr || s.window != 0 || class_name == nullptr || width <= 0 || height <= 0) return 0;
  const ClassSlot* window_class = find_class(class_name);
  if (window_class == nullptr) return 0;
  if (caption == nullptr) caption = "";

  XSetWindowAttributes attributes = {};
  attributes.background_pixel = WhitePixel(s.display, s.screen);
  attributes.event_mask = ExposureMask | StructureNotifyMask;
  XErrorTrap trap(s.display);  // the server refuses a window asynchronously
  const Window window = XCreateWindow(s.display, RootWindow(s.display, s.screen), x, y, static_cast<unsigned>(width),
                                      static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                      CWBackPixel | CWEventMask, &attributes);
  if (window == 0 || trap.failed()) return 0;
  set_caption_and_class(window, caption, class_name);
  set_fixed_frame(window, x, y, width, height);
  XDefineCursor(s.display, window, XCreateFontCursor(s.display, XC_left_ptr));  // the class's arrow
  s.gc = XCreateGC(s.display, window, 0, nullptr);
  s.window = window;
  s.procedure = window_class->procedure;
  return window;
}

AboutBitmap about_create_bitmap(const PixelRows& pixels) {
  if (s.display == nullptr || s.window == 0 || pixels.first_row == nullptr) return 0;
  if (pixels.width <= 0 || pixels.height <= 0 || pixels.width > about_max_bitmap_width) return 0;
  int index = 1;
  while (index <= about_max_bitmaps && s.bitmaps[index].pixmap != 0) ++index;
  if (index > about_max_bitmaps) return 0;

  const Pixmap pixmap = XCreatePixmap(s.display, s.window, static_cast<unsigned>(pixels.width),
                                      static_cast<unsigned>(pixels.height), static_cast<unsigned>(s.depth));
  // One row at a time through a fixed buffer: the server keeps the image.
  static std::uint32_t row[about_max_bitmap_width];
  XImage* image = XCreateImage(s.display, s.visual, static_cast<unsigned>(s.depth), ZPixmap, 0,
                               reinterpret_cast<char*>(row), static_cast<unsigned>(pixels.width), 1, 32, 0);
  if (image == nullptr) {
    XFreePixmap(s.display, pixmap);
    return 0;
  }
  for (int y = 0; y < pixels.height; ++y) {
    const int stored = pixels.bottom_up ? pixels.height - 1 - y : y;
    const unsigned char* bgr = pixels.first_row + static_cast<std::size_t>(stored) * pixels.row_stride;
    for (int x = 0; x < pixels.width; ++x) {
      XPutPixel(image, x, 0, about_pixel({bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]}));
    }
    XPutImage(s.display, pixmap, s.gc, image, 0, 0, 0, y, static_cast<unsigned>(pixels.width), 1);
  }
  image->data = nullptr;  // the buffer is ours, not Xlib's to free
  XDestroyImage(image);
  s.bitmaps[index] = {pixmap, pixels.width, pixels.height};
  return index;
}

void about_delete_bitmap(AboutBitmap bitmap) {
  if (s.display == nullptr || bitmap < 1 || bitmap > about_max_bitmaps || s.bitmaps[bitmap].pixmap == 0) return;
  XFreePixmap(s.display, s.bitmaps[bitmap].pixmap);
  s.bitmaps[bitmap] = {};
}

void about_show_window(NativeWindow window, int show_command) {
  if (s.display == nullptr || window == 0 || window != s.window) return;
  if (show_command != 0) {
    XMapRaised(s.display, window);
  } else {
    XUnmapWindow(s.display, window);
  }
  XFlush(s.display);
}

void about_fill_client(NativeWindow window, Colour colour) {
  if (s.display == nullptr || window == 0 || window != s.window) return;
  XWindowAttributes attributes;
  if (XGetWindowAttributes(s.display, window, &attributes) == 0) return;
  XSetForeground(s.display, s.gc, about_pixel(colour));
  XFillRectangle(s.display, window, s.gc, 0, 0, static_cast<unsigned>(attributes.width),
                 static_cast<unsigned>(attributes.height));
}

void about_draw_bitmap(NativeWindow window, AboutBitmap bitmap, int x, int y) {
  if (s.display == nullptr || window == 0 || window != s.window) return;
  if (bitmap < 1 || bitmap > about_max_bitmaps || s.bitmaps[bitmap].pixmap == 0) return;
  const BitmapSlot& slot = s.bitmaps[bitmap];
  XCopyArea(s.display, slot.pixmap, window, s.gc, 0, 0, static_cast<unsigned>(slot.width),
            static_cast<unsigned>(slot.height), x, y);
}

void about_destroy_window(NativeWindow window) {
  if (s.display == nullptr || window == 0 || window != s.window) return;
  deliver(AboutMessage::Destroy, {});
  for (ControlSlot& control : s.controls) {
    if (control.window != 0) about_release_control(control);
  }
  XSelectInput(s.display, s.window, NoEventMask);
  XDestroyWindow(s.display, s.window);  // fails harmlessly when it is already gone
  XFreeGC(s.display, s.gc);
  s.gc = nullptr;
  s.window = 0;
  s.procedure = nullptr;
  XFlush(s.display);
}

void about_post_quit() { s.quit = true; }

void about_run_loop() {
  if (s.display == nullptr || s.window == 0) return;
  s.quit = false;
  // Without a window nothing could ever end the wait.
  while (!s.quit && s.window != 0 && wait_for_event(s.display)) {
    XEvent event;
    XNextEvent(s.display, &event);
    handle_event(event);
  }
}
