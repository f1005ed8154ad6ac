// Shared by the About window's X11 files: the one connection, the window, its
// controls, fonts and bitmaps, all in fixed-size fields.
#pragma once

#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>

#include "platform/about_platform.h"

constexpr int about_max_classes = 2;
constexpr int about_max_controls = 8;
constexpr int about_max_fonts = 4;
constexpr int about_max_bitmaps = 2;
constexpr int about_max_text = 512;
constexpr int about_max_bitmap_width = 1024;

enum class ControlKind { Static, Button };

struct ControlSlot {
  Window window;  // 0 when the slot is free
  ControlKind kind;
  int id;
  int width;
  int height;
  AboutFont font;
  XftDraw* draw;
  bool pressed;  // a button held down by the first mouse button
  char text[about_max_text];
};

struct ClassSlot {
  char name[64];
  AboutWindowProc procedure;
};

struct FontSlot {
  XftFont* face;
  bool underline;
};

struct BitmapSlot {
  Pixmap pixmap;  // 0 when the slot is free
  int width;
  int height;
};

struct AboutX11 {
  Display* display;
  int screen;
  Visual* visual;
  Colormap colormap;
  int depth;
  Atom wm_protocols;
  Atom wm_delete_window;
  ClassSlot classes[about_max_classes];
  int class_count;
  Window window;
  AboutWindowProc procedure;
  GC gc;
  ControlSlot controls[about_max_controls];
  FontSlot fonts[about_max_fonts + 1];        // slot 0: the face of controls without a font
  BitmapSlot bitmaps[about_max_bitmaps + 1];  // slot 0 unused: bitmap 0 means none
  bool quit;
};

extern AboutX11 about_x11;

// The visual's pixel value of a colour (a true-colour visual).
unsigned long about_pixel(Colour colour);
ControlSlot* about_control(Window window);
// Draws a control in full; called on its Expose and after its text or state changes.
void about_draw_control(ControlSlot& control);
// Lets go of the control's drawing resources; the window goes with its parent.
void about_release_control(ControlSlot& control);
