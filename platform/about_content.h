// What the About window shows, as plain data: texts, fonts, colours, the logo
// and the button with its link, each at its place. The portable side fills it;
// each platform draws it in its own idiom (system controls on Windows, Xlib and
// Xft drawing on X11).
#pragma once

#include <cstddef>
#include <cstdint>

struct Colour {
  std::uint8_t r;
  std::uint8_t g;
  std::uint8_t b;
};

// A rectangle in the window's client coordinates.
struct Place {
  int x;
  int y;
  int width;
  int height;
};

struct FontSpec {
  const char* face;  // a family name; the system picks the closest installed face
  int pixel_height;
  int average_width;  // of a character in pixels, where the system scales widths (Windows); 0: its choice
  bool bold;
  bool underline;
};

// 24-bit pixels stored blue, green, red, as a BMP stores them.
struct PixelRows {
  const unsigned char* first_row;  // the first stored row; null: no picture
  int width;
  int height;
  std::size_t row_stride;  // bytes from one stored row to the next
  bool bottom_up;          // the first stored row is the bottom row of the image
};

// UTF-8; lines break at CR LF (or LF) and wrap at word boundaries; what does not
// fit the place is clipped. The background shows behind the letters.
struct AboutText {
  const char* text;
  Place place;
  int font;  // index into AboutContent::fonts
  Colour colour;
};

struct AboutButton {
  const char* text;
  Place place;
  int font;
  const char* link;  // opened in the user's browser on each click
};

inline constexpr int about_font_count = 2;
inline constexpr int about_text_count = 2;

struct AboutContent {
  const char* caption;
  const char* class_name;  // the kind of window, as the system records it
  // The outer size where the system draws the frame (Windows), the client area
  // where a window manager adds one (X11). Fixed: the user cannot resize it.
  int width;
  int height;
  Colour background;
  FontSpec fonts[about_font_count];
  AboutText texts[about_text_count];  // made in this order; the button lies over them
  PixelRows logo;                     // drawn at its own size
  int logo_x;
  int logo_y;
  AboutButton button;
};

struct ScreenArea {
  int x;
  int y;
  int width;
  int height;
};

// Gets the system ready to show such a window (Windows registers its class, X11
// connects to the display); false when it cannot.
bool about_prepare(const AboutContent& content);
// The primary monitor in physical pixels; all zero when there is no display.
ScreenArea about_primary_screen();
// Makes the window at (x, y), shows it as the host's show command asks (0: hidden)
// and returns once the user has closed it; a click on the button opens its link.
// False at once when the window cannot be made. The content must stay unchanged
// until then.
bool about_show(const AboutContent& content, int x, int y, int show_command);
