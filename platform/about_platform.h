// The About window's primitives: one fixed-size top-level window of a registered
// class, static texts, push buttons and a bitmap, driven by the caller's window
// procedure. Windows, statics and buttons are native windows; fonts and bitmaps
// are small numbers (0 means none).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

struct Colour {
  std::uint8_t r;
  std::uint8_t g;
  std::uint8_t b;
};

enum class AboutMessage {
  Paint,          // draw the window's own area (the controls draw themselves)
  StaticColours,  // a static control is about to draw: fill data.colours
  Command,        // a push button was clicked
  Close,          // the user or the window manager asked to close the window
  Destroy,        // the window is being destroyed
};

struct StaticColours {
  Colour text;
  Colour background;
};

// What a message carries; fields a message does not use are zero.
struct AboutMessageData {
  NativeWindow control;    // StaticColours, Command: the control concerned
  int control_id;          // StaticColours, Command: its id
  StaticColours* colours;  // StaticColours: filled by the procedure
};

using AboutWindowProc = void (*)(NativeWindow window, AboutMessage message, const AboutMessageData& data);

using AboutFont = int;
using AboutBitmap = int;

struct FontSpec {
  const char* face;  // a family name; the system picks the closest installed face
  int pixel_height;
  int average_width;  // of a character in pixels, where the system scales widths (Windows); 0: its choice
  bool bold;
  bool underline;
};

// 24-bit pixels stored blue, green, red, as a BMP stores them.
struct PixelRows {
  const unsigned char* first_row;  // the first stored row
  int width;
  int height;
  std::size_t row_stride;  // bytes from one stored row to the next
  bool bottom_up;          // the first stored row is the bottom row of the image
};

struct ScreenArea {
  int x;
  int y;
  int width;
  int height;
};

// False when the class cannot be registered (no display, or no room for another).
bool about_register_class(const char* class_name, AboutWindowProc procedure);
// The primary monitor in physical pixels; all zero when there is no display.
ScreenArea about_primary_screen();
// A top-level window with a caption and a close control only, not resizable, at
// (x, y) and width x height in size: the outer size where the system draws the
// frame (Windows), the client area where a window manager adds one (X11); 0 when
// the class is unknown or the window cannot be made.
NativeWindow about_create_window(const char* class_name, const char* caption, int x, int y, int width, int height);
// The controls' positions are client coordinates of the parent; 0 on failure.
NativeWindow about_create_static(NativeWindow parent, const char* text, int x, int y, int width, int height,
                                 int control_id);
NativeWindow about_create_button(NativeWindow parent, const char* text, int x, int y, int width, int height,
                                 int control_id);
// Texts are UTF-8 and copied; a static breaks lines at CR LF (or LF) and wraps at
// word boundaries; what does not fit is clipped.
void about_set_text(NativeWindow control, const char* text);
void about_set_font(NativeWindow control, AboutFont font, bool redraw);
AboutFont about_create_font(const FontSpec& spec);
AboutBitmap about_create_bitmap(const PixelRows& pixels);
void about_delete_bitmap(AboutBitmap bitmap);
// Shows (show_command != 0) or hides the window; painting follows in the loop.
void about_show_window(NativeWindow window, int show_command);

// Drawing, for the Paint message.
void about_fill_client(NativeWindow window, Colour colour);
void about_draw_bitmap(NativeWindow window, AboutBitmap bitmap, int x, int y);

// Sends Destroy to the procedure, then destroys the window and its controls.
void about_destroy_window(NativeWindow window);
// Makes about_run_loop return once the current message is handled.
void about_post_quit();
// Delivers messages to the procedure until about_post_quit or until the window is
// gone; returns at once when no window exists.
void about_run_loop();
