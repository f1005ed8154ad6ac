#include "platform/x11/dialog.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <unistd.h>

#include <cstring>

#include "platform/x11/display_faults.h"

namespace {

constexpr int max_lines = 32;

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

XftColor xft_colour(const Dialog& dialog, Colour colour) {
  XftColor result = {};
  result.pixel = dialog_pixel(dialog, colour);
  result.color = {static_cast<unsigned short>(colour.r * 257), static_cast<unsigned short>(colour.g * 257),
                  static_cast<unsigned short>(colour.b * 257), 0xFFFF};
  return result;
}

void set_property(const Dialog& d, const char* name, Atom type, int format, const void* data, int count) {
  XChangeProperty(d.display, d.window, XInternAtom(d.display, name, False), type, format, PropModeReplace,
                  static_cast<const unsigned char*>(data), count);
}

void set_caption_and_kind(const Dialog& d, const DialogFrame& frame) {
  XStoreName(d.display, d.window, frame.caption);
  set_property(d, "_NET_WM_NAME", XInternAtom(d.display, "UTF8_STRING", False), 8, frame.caption,
               static_cast<int>(std::strlen(frame.caption)));
  XClassHint class_hint = {const_cast<char*>("cubesaver"), const_cast<char*>(frame.class_name)};
  XSetClassHint(d.display, d.window, &class_hint);
  const long pid = getpid();
  set_property(d, "_NET_WM_PID", XA_CARDINAL, 32, &pid, 1);
  if (frame.dialog) {
    const Atom type = XInternAtom(d.display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    set_property(d, "_NET_WM_WINDOW_TYPE", XA_ATOM, 32, &type, 1);
  }
}

// Fixed size at a fixed place; a caption with the close control only.
void set_fixed_frame(const Dialog& d, const Place& place) {
  XSizeHints* size = XAllocSizeHints();
  size->flags = USPosition | PPosition | PSize | PMinSize | PMaxSize;
  size->x = place.x;
  size->y = place.y;
  size->width = size->min_width = size->max_width = place.width;
  size->height = size->min_height = size->max_height = place.height;
  XSetWMNormalHints(d.display, d.window, size);
  XFree(size);

  XWMHints* wm = XAllocWMHints();
  wm->flags = InputHint | StateHint;
  wm->input = True;
  wm->initial_state = NormalState;
  XSetWMHints(d.display, d.window, wm);
  XFree(wm);

  const MotifHints motif = {motif_functions | motif_decorations, motif_function_move | motif_function_close,
                            motif_decoration_border | motif_decoration_title | motif_decoration_menu, 0, 0};
  const Atom motif_atom = XInternAtom(d.display, "_MOTIF_WM_HINTS", False);
  set_property(d, "_MOTIF_WM_HINTS", motif_atom, 32, &motif, 5);
  Atom delete_window = d.wm_delete_window;
  XSetWMProtocols(d.display, d.window, &delete_window, 1);
}

// A font-unit length in whole pixels at the face's size (FreeType's 16.16 scale
// to 26.6 pixels, done here so that only Xft is linked).
int font_units_to_pixels(long units, long scale) {
  const long long fixed = (static_cast<long long>(units) * scale + 0x8000) >> 16;
  return static_cast<int>((fixed + 32) >> 6);
}

// Offset below the baseline and thickness of the face's underline, in pixels.
void underline_metrics(XftFont* face, int& offset, int& thickness) {
  offset = face->descent / 2;
  thickness = 1;
  FT_Face ft = XftLockFace(face);
  if (ft != nullptr && FT_IS_SCALABLE(ft)) {
    offset = font_units_to_pixels(-ft->underline_position, ft->size->metrics.y_scale);
    thickness = font_units_to_pixels(ft->underline_thickness, ft->size->metrics.y_scale);
  }
  if (ft != nullptr) XftUnlockFace(face);
  if (offset < 1) offset = 1;
  if (thickness < 1) thickness = 1;
}

void draw_line(Dialog& d, const DialogFont& font, XftColor& colour, int x, int baseline, const TextLine& line) {
  if (line.length <= 0) return;
  XftDrawStringUtf8(d.draw, &colour, font.face, x, baseline, reinterpret_cast<const FcChar8*>(line.text), line.length);
  if (font.underline) {
    int offset = 0, thickness = 0;
    underline_metrics(font.face, offset, thickness);
    const int width = text_width(d, font.face, line.text, line.length);
    XftDrawRect(d.draw, &colour, x, baseline + offset, static_cast<unsigned>(width), static_cast<unsigned>(thickness));
  }
}

// End of the longest run of whole words from start that fits in width; a single
// word wider than that stands on a line of its own.
const char* wrap_point(const Dialog& d, XftFont* face, const char* start, const char* stop, int width) {
  const char* fits = nullptr;
  for (const char* c = start; c <= stop; ++c) {
    if (c != stop && *c != ' ') continue;
    if (c > start && text_width(d, face, start, static_cast<int>(c - start)) > width) break;
    fits = c;
  }
  if (fits != nullptr && fits > start) return fits;
  const char* word_end = start;
  while (word_end < stop && *word_end != ' ') ++word_end;
  return word_end > start ? word_end : stop;
}

}  // namespace

bool connect_dialog(Dialog& d) {
  d.display = XOpenDisplay(nullptr);
  if (d.display == nullptr) return false;
  d.screen = DefaultScreen(d.display);
  d.visual = DefaultVisual(d.display, d.screen);
  d.colormap = DefaultColormap(d.display, d.screen);
  d.depth = DefaultDepth(d.display, d.screen);
  d.wm_delete_window = XInternAtom(d.display, "WM_DELETE_WINDOW", False);
  return true;
}

bool make_dialog_window(Dialog& d, const DialogFrame& frame) {
  if (d.display == nullptr || d.window != 0 || frame.place.width <= 0 || frame.place.height <= 0) return false;
  XSetWindowAttributes attributes = {};
  attributes.background_pixel = WhitePixel(d.display, d.screen);
  attributes.border_pixel = BlackPixel(d.display, d.screen);
  attributes.event_mask = ExposureMask | StructureNotifyMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask;
  XErrorTrap trap(d.display);  // the server refuses a window asynchronously
  const Place& p = frame.place;
  const Window window = XCreateWindow(d.display, RootWindow(d.display, d.screen), p.x, p.y,
                                      static_cast<unsigned>(p.width), static_cast<unsigned>(p.height),
                                      static_cast<unsigned>(frame.border), CopyFromParent, InputOutput, CopyFromParent,
                                      CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
  if (window == 0 || trap.failed()) return false;
  d.window = window;
  set_caption_and_kind(d, frame);
  set_fixed_frame(d, frame.place);
  XDefineCursor(d.display, window, XCreateFontCursor(d.display, XC_left_ptr));
  d.gc = XCreateGC(d.display, window, 0, nullptr);
  d.draw = XftDrawCreate(d.display, window, d.visual, d.colormap);
  return true;
}

void close_dialog(Dialog& d) {
  if (d.display == nullptr) return;
  if (d.window != 0) {
    XftDrawDestroy(d.draw);
    XFreeGC(d.display, d.gc);
    XSelectInput(d.display, d.window, NoEventMask);
    XDestroyWindow(d.display, d.window);  // fails harmlessly when it is already gone
  }
  XCloseDisplay(d.display);
  d = {};
}

bool is_close_request(const Dialog& d, const XEvent& event) {
  return event.type == ClientMessage && event.xclient.window == d.window &&
         static_cast<Atom>(event.xclient.data.l[0]) == d.wm_delete_window;
}

unsigned long dialog_pixel(const Dialog& d, Colour colour) {
  return scaled(colour.r, d.visual->red_mask) | scaled(colour.g, d.visual->green_mask) |
         scaled(colour.b, d.visual->blue_mask);
}

DialogFont open_font(const Dialog& d, const FontSpec& spec) {
  if (d.display == nullptr || spec.face == nullptr || spec.pixel_height <= 0) return {};
  XftFont* face = XftFontOpen(d.display, d.screen, XFT_FAMILY, XftTypeString, spec.face, XFT_PIXEL_SIZE,
                              XftTypeDouble, static_cast<double>(spec.pixel_height), XFT_WEIGHT, XftTypeInteger,
                              spec.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR, nullptr);
  return {face, spec.underline};
}

int text_width(const Dialog& d, XftFont* face, const char* text, int length) {
  if (length <= 0) return 0;
  XGlyphInfo extents = {};
  XftTextExtentsUtf8(d.display, face, reinterpret_cast<const FcChar8*>(text), length, &extents);
  return extents.xOff;
}

int break_lines(const Dialog& d, XftFont* face, const char* text, int width, TextLine* lines, int max) {
  int count = 0;
  const char* paragraph = text;
  while (*paragraph != '\0' && count < max) {
    const char* end = paragraph;
    while (*end != '\0' && *end != '\n') ++end;
    const char* stop = (end > paragraph && end[-1] == '\r') ? end - 1 : end;
    const char* line = paragraph;
    do {
      const char* line_end = wrap_point(d, face, line, stop, width);
      lines[count++] = {line, static_cast<int>(line_end - line)};
      line = line_end;
      while (line < stop && *line == ' ') ++line;
    } while (line < stop && count < max);
    paragraph = *end == '\0' ? end : end + 1;
  }
  return count;
}

void fill(Dialog& d, Colour colour, const Place& place) {
  XSetForeground(d.display, d.gc, dialog_pixel(d, colour));
  XFillRectangle(d.display, d.window, d.gc, place.x, place.y, static_cast<unsigned>(place.width),
                 static_cast<unsigned>(place.height));
}

void draw_text(Dialog& d, const DialogFont& font, Colour colour, const Place& place, int line_gap,
               const char* text) {
  XftFont* face = font.face;
  if (face == nullptr || text == nullptr) return;
  TextLine lines[max_lines];
  const int count = break_lines(d, face, text, place.width, lines, max_lines);
  XRectangle clip = {static_cast<short>(place.x), static_cast<short>(place.y),
                     static_cast<unsigned short>(place.width), static_cast<unsigned short>(place.height)};
  XftDrawSetClipRectangles(d.draw, 0, 0, &clip, 1);
  XftColor xft = xft_colour(d, colour);
  const int line_height = face->ascent + face->descent + line_gap;
  for (int i = 0; i < count && i * line_height < place.height; ++i) {
    draw_line(d, font, xft, place.x, place.y + i * line_height + face->ascent, lines[i]);
  }
  XftDrawSetClip(d.draw, nullptr);
}

void draw_button(Dialog& d, const DialogFont& font, const Place& place, const char* text, ButtonLook look) {
  const bool pressed = look == ButtonLook::Pressed;
  fill(d, pressed ? Colour{204, 228, 247} : Colour{225, 225, 225}, place);
  const Colour border = pressed ? Colour{0, 84, 153} : look == ButtonLook::Default ? Colour{0, 120, 215}
                                                                                     : Colour{173, 173, 173};
  XSetForeground(d.display, d.gc, dialog_pixel(d, border));
  XDrawRectangle(d.display, d.window, d.gc, place.x, place.y, static_cast<unsigned>(place.width - 1),
                 static_cast<unsigned>(place.height - 1));
  XftFont* face = font.face;
  if (face == nullptr) return;
  XftColor black = xft_colour(d, {0, 0, 0});
  const TextLine line = {text, static_cast<int>(std::strlen(text))};
  const int x = place.x + (place.width - text_width(d, face, text, line.length)) / 2;
  draw_line(d, font, black, x, place.y + (place.height + face->ascent - face->descent) / 2, line);
}

bool inside(const Place& place, int x, int y) {
  return x >= place.x && y >= place.y && x < place.x + place.width && y < place.y + place.height;
}
