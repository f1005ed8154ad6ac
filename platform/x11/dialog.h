// The X11 side's one drawing helper for the program's own small windows, the
// About window and the message boxes: a fixed-size top-level window on a
// connection of its own, colours in the visual's pixels, blocks of text in Xft
// faces and push buttons.
#pragma once

#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>

#include "platform/about_content.h"

struct Dialog {
  Display* display;
  int screen;
  Visual* visual;
  Colormap colormap;
  int depth;
  Atom wm_delete_window;
  Window window;
  GC gc;
  XftDraw* draw;
};

struct DialogFrame {
  const char* caption;
  const char* class_name;
  Place place;  // on the screen, inside the border
  int border;   // width of a black border of the window's own
  bool dialog;  // tell the window manager it is a dialog
};

struct DialogFont {
  XftFont* face;  // null: the text is not drawn
  bool underline;
};

enum class ButtonLook { Normal, Default, Pressed };

// Opens the connection; false without a display.
bool connect_dialog(Dialog& dialog);
// Makes the window, not yet mapped: a caption with the close control only, not
// resizable; it reports exposure, keys, the mouse buttons and its own
// destruction. False when the server refuses it.
bool make_dialog_window(Dialog& dialog, const DialogFrame& frame);
// Destroys the window, if any, and closes the connection.
void close_dialog(Dialog& dialog);
// True when the window manager's close was asked for.
bool is_close_request(const Dialog& dialog, const XEvent& event);

unsigned long dialog_pixel(const Dialog& dialog, Colour colour);
DialogFont open_font(const Dialog& dialog, const FontSpec& spec);
int text_width(const Dialog& dialog, XftFont* face, const char* text, int length);

struct TextLine {
  const char* text;
  int length;
};
// Lines break at CR LF (or LF) and wrap at word boundaries within width; a word
// wider than that stands on a line of its own. Returns the number of lines kept.
int break_lines(const Dialog& dialog, XftFont* face, const char* text, int width, TextLine* lines, int max_lines);

void fill(Dialog& dialog, Colour colour, const Place& place);
// The text's lines from the top of the place down, each line_gap pixels below
// the one before; clipped to the place.
void draw_text(Dialog& dialog, const DialogFont& font, Colour colour, const Place& place, int line_gap,
               const char* text);
// A face with a border and a centred caption.
void draw_button(Dialog& dialog, const DialogFont& font, const Place& place, const char* text, ButtonLook look);
bool inside(const Place& place, int x, int y);
