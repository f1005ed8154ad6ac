// The About window's controls on X11: static texts and push buttons as child
// windows that draw themselves with Xft, and the fonts they use.
#include <X11/Xutil.h>

#include <cstring>

#include "platform/x11/about_x11.h"

namespace {

AboutX11& s = about_x11;

constexpr Colour button_face = {225, 225, 225};
constexpr Colour button_border = {173, 173, 173};
constexpr Colour pressed_face = {204, 228, 247};
constexpr Colour pressed_border = {0, 84, 153};
constexpr Colour button_text = {0, 0, 0};

XftColor xft_colour(Colour colour) {
  XftColor result = {};
  result.pixel = about_pixel(colour);
  result.color = {static_cast<unsigned short>(colour.r * 257), static_cast<unsigned short>(colour.g * 257),
                  static_cast<unsigned short>(colour.b * 257), 0xFFFF};
  return result;
}

const FontSlot& font_of(const ControlSlot& control) {
  if (control.font >= 1 && control.font <= about_max_fonts && s.fonts[control.font].face != nullptr) {
    return s.fonts[control.font];
  }
  // Controls that were never given a font use a plain default face.
  if (s.fonts[0].face == nullptr) s.fonts[0].face = XftFontOpenName(s.display, s.screen, "sans-serif:pixelsize=13");
  return s.fonts[0];
}

int text_width(XftFont* face, const char* text, int length) {
  if (length <= 0) return 0;
  XGlyphInfo extents = {};
  XftTextExtentsUtf8(s.display, face, reinterpret_cast<const FcChar8*>(text), length, &extents);
  return extents.xOff;
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

void draw_text_line(ControlSlot& control, const FontSlot& font, XftColor& colour, int x, int baseline, const char* text,
                    int length) {
  if (length <= 0) return;
  XftDrawStringUtf8(control.draw, &colour, font.face, x, baseline, reinterpret_cast<const FcChar8*>(text), length);
  if (font.underline) {
    int offset = 0, thickness = 0;
    underline_metrics(font.face, offset, thickness);
    XftDrawRect(control.draw, &colour, x, baseline + offset, static_cast<unsigned>(text_width(font.face, text, length)),
                static_cast<unsigned>(thickness));
  }
}

// End of the longest run of whole words from start that fits in width; a single
// word wider than the control stands on a line of its own and is clipped.
const char* wrap_point(XftFont* face, const char* start, const char* stop, int width) {
  const char* fits = nullptr;
  for (const char* c = start; c <= stop; ++c) {
    if (c != stop && *c != ' ') continue;
    if (c > start && text_width(face, start, static_cast<int>(c - start)) > width) break;
    fits = c;
  }
  if (fits != nullptr && fits > start) return fits;
  const char* word_end = start;
  while (word_end < stop && *word_end != ' ') ++word_end;
  return word_end > start ? word_end : stop;
}

void draw_static(ControlSlot& control) {
  StaticColours colours = {{0, 0, 0}, {255, 255, 255}};
  if (s.procedure != nullptr)
    s.procedure(s.window, AboutMessage::StaticColours, {control.window, control.id, &colours});
  XSetForeground(s.display, s.gc, about_pixel(colours.background));
  XFillRectangle(s.display, control.window, s.gc, 0, 0, static_cast<unsigned>(control.width),
                 static_cast<unsigned>(control.height));
  const FontSlot& font = font_of(control);
  if (font.face == nullptr) return;
  XftColor colour = xft_colour(colours.text);
  const int line_height = font.face->ascent + font.face->descent;
  int top = 0;
  const char* paragraph = control.text;
  while (*paragraph != '\0' && top < control.height) {
    const char* end = paragraph;
    while (*end != '\0' && *end != '\n') ++end;
    const char* stop = (end > paragraph && end[-1] == '\r') ? end - 1 : end;
    const char* line = paragraph;
    do {
      const char* line_end = wrap_point(font.face, line, stop, control.width);
      draw_text_line(control, font, colour, 0, top + font.face->ascent, line, static_cast<int>(line_end - line));
      top += line_height;
      line = line_end;
      while (line < stop && *line == ' ') ++line;
    } while (line < stop && top < control.height);
    paragraph = *end == '\0' ? end : end + 1;
  }
}

void draw_button(ControlSlot& control) {
  const unsigned width = static_cast<unsigned>(control.width);
  const unsigned height = static_cast<unsigned>(control.height);
  XSetForeground(s.display, s.gc, about_pixel(control.pressed ? pressed_face : button_face));
  XFillRectangle(s.display, control.window, s.gc, 0, 0, width, height);
  XSetForeground(s.display, s.gc, about_pixel(control.pressed ? pressed_border : button_border));
  XDrawRectangle(s.display, control.window, s.gc, 0, 0, width - 1, height - 1);
  const FontSlot& font = font_of(control);
  if (font.face == nullptr) return;
  XftColor colour = xft_colour(button_text);
  const int length = static_cast<int>(std::strlen(control.text));
  const int x = (control.width - text_width(font.face, control.text, length)) / 2;
  const int baseline = (control.height + font.face->ascent - font.face->descent) / 2;
  draw_text_line(control, font, colour, x, baseline, control.text, length);
}

NativeWindow create_control(ControlKind kind, NativeWindow parent, const char* text, int x, int y, int width,
                            int height, int control_id) {
  if (s.display == nullptr || parent == 0 || parent != s.window || width <= 0 || height <= 0) return 0;
  ControlSlot* slot = nullptr;
  for (ControlSlot& candidate : s.controls) {
    if (candidate.window == 0) {
      slot = &candidate;
      break;
    }
  }
  if (slot == nullptr) return 0;

  XSetWindowAttributes attributes = {};
  attributes.background_pixmap = None;  // each control paints all of itself
  attributes.event_mask = ExposureMask;
  if (kind == ControlKind::Button) attributes.event_mask |= ButtonPressMask | ButtonReleaseMask;
  const Window window =
      XCreateWindow(s.display, parent, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                    CopyFromParent, InputOutput, CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
  if (window == 0) return 0;
  *slot = {};
  slot->window = window;
  slot->kind = kind;
  slot->id = control_id;
  slot->width = width;
  slot->height = height;
  slot->draw = XftDrawCreate(s.display, window, s.visual, s.colormap);
  about_set_text(window, text);
  XMapWindow(s.display, window);
  return window;
}

}  // namespace

ControlSlot* about_control(Window window) {
  if (window == 0) return nullptr;
  for (ControlSlot& control : s.controls) {
    if (control.window == window) return &control;
  }
  return nullptr;
}

void about_draw_control(ControlSlot& control) {
  if (control.kind == ControlKind::Button) {
    draw_button(control);
  } else {
    draw_static(control);
  }
}

void about_release_control(ControlSlot& control) {
  if (control.draw != nullptr) XftDrawDestroy(control.draw);
  control = {};
}

NativeWindow about_create_static(NativeWindow parent, const char* text, int x, int y, int width, int height,
                                 int control_id) {
  return create_control(ControlKind::Static, parent, text, x, y, width, height, control_id);
}

NativeWindow about_create_button(NativeWindow parent, const char* text, int x, int y, int width, int height,
                                 int control_id) {
  return create_control(ControlKind::Button, parent, text, x, y, width, height, control_id);
}

void about_set_text(NativeWindow window, const char* text) {
  ControlSlot* control = about_control(window);
  if (control == nullptr) return;
  if (text == nullptr) text = "";
  std::size_t length = std::strlen(text);
  if (length >= about_max_text) {
    length = about_max_text - 1;
    // Never cut a UTF-8 sequence in half.
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  }
  std::memcpy(control->text, text, length);
  control->text[length] = '\0';
  XClearArea(s.display, control->window, 0, 0, 0, 0, True);
}

void about_set_font(NativeWindow window, AboutFont font, bool redraw) {
  ControlSlot* control = about_control(window);
  if (control == nullptr) return;
  control->font = font;
  if (redraw) XClearArea(s.display, control->window, 0, 0, 0, 0, True);
}

AboutFont about_create_font(const FontSpec& spec) {
  if (s.display == nullptr || spec.face == nullptr || spec.pixel_height <= 0) return 0;
  int index = 1;
  while (index <= about_max_fonts && s.fonts[index].face != nullptr) ++index;
  if (index > about_max_fonts) return 0;
  XftFont* face = XftFontOpen(s.display, s.screen, XFT_FAMILY, XftTypeString, spec.face, XFT_PIXEL_SIZE, XftTypeDouble,
                              static_cast<double>(spec.pixel_height), XFT_WEIGHT, XftTypeInteger,
                              spec.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR, nullptr);
  if (face == nullptr) return 0;
  s.fonts[index] = {face, spec.underline};
  return index;
}
