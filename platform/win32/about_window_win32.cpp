// The About window's primitives in plain Win32: a registered class whose window
// procedure turns the system's messages into the caller's AboutMessages, system
// "static" and "BUTTON" controls, GDI fonts and bitmaps, and the message loop.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "platform/about_platform.h"
#include "platform/win32/hwnd.h"

namespace {

constexpr int max_fonts = 4;
constexpr int max_bitmaps = 2;
constexpr int max_text = 512;
// The stock icon of user32.dll that the class shows in its caption.
constexpr int class_icon_resource = 104;

struct AboutWin32 {
  char class_name[64];
  AboutWindowProc procedure;
  HWND window;
  HDC paint_context;  // the window's context while Paint is being delivered
  HBRUSH static_brush;  // the statics' background, made again when its colour changes
  COLORREF static_brush_colour;
  HFONT fonts[max_fonts + 1];      // slot 0 unused: font 0 means none
  HBITMAP bitmaps[max_bitmaps + 1];  // slot 0 unused: bitmap 0 means none
};
AboutWin32 about = {};

COLORREF colour_ref(Colour colour) { return RGB(colour.r, colour.g, colour.b); }

NativeWindow native(HWND window) {
  return static_cast<NativeWindow>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window)));
}

void deliver(HWND window, AboutMessage message, const AboutMessageData& data) {
  if (about.procedure != nullptr) about.procedure(native(window), message, data);
}

LRESULT paint(HWND window) {
  PAINTSTRUCT paint_state;
  about.paint_context = BeginPaint(window, &paint_state);
  deliver(window, AboutMessage::Paint, {});
  EndPaint(window, &paint_state);
  about.paint_context = nullptr;
  return 0;
}

LRESULT static_colours(HWND window, HDC context, HWND control) {
  StaticColours colours = {{0, 0, 0}, {255, 255, 255}};
  deliver(window, AboutMessage::StaticColours, {native(control), GetDlgCtrlID(control), &colours});
  SetTextColor(context, colour_ref(colours.text));
  SetBkColor(context, colour_ref(colours.background));
  const COLORREF background = colour_ref(colours.background);
  if (about.static_brush == nullptr || about.static_brush_colour != background) {
    if (about.static_brush != nullptr) DeleteObject(about.static_brush);
    about.static_brush = CreateSolidBrush(background);
    about.static_brush_colour = background;
  }
  return reinterpret_cast<LRESULT>(about.static_brush);
}

LRESULT CALLBACK about_window_procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
  switch (message) {
    case WM_PAINT:
      return paint(window);
    case WM_CTLCOLORSTATIC:
      return static_colours(window, reinterpret_cast<HDC>(w_param), reinterpret_cast<HWND>(l_param));
    case WM_COMMAND:
      // Only push buttons send commands here: a static without SS_NOTIFY sends none.
      if (HIWORD(w_param) == BN_CLICKED && l_param != 0) {
        deliver(window, AboutMessage::Command,
                {native(reinterpret_cast<HWND>(l_param)), LOWORD(w_param), nullptr});
      }
      return 0;
    case WM_CLOSE:
      deliver(window, AboutMessage::Close, {});
      return 0;
    case WM_DESTROY:
      deliver(window, AboutMessage::Destroy, {});
      if (window == about.window) about.window = nullptr;
      return 0;
    default:
      return DefWindowProcA(window, message, w_param, l_param);
  }
}

HWND create_control(const char* control_class, DWORD style, NativeWindow parent, const char* text, int x, int y,
                    int width, int height, int control_id) {
  const HWND parent_window = as_hwnd(parent);
  if (parent_window == nullptr || parent_window != about.window) return nullptr;
  const HWND control = CreateWindowExA(0, control_class, "", WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                       parent_window, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(control_id)),
                                       GetModuleHandleA(nullptr), nullptr);
  if (control != nullptr) about_set_text(native(control), text);
  return control;
}

// The context to draw on: the one being painted, else the window's own.
HDC drawing_context(HWND window, bool& release) {
  release = about.paint_context == nullptr;
  return release ? GetDC(window) : about.paint_context;
}

}  // namespace

bool about_register_class(const char* class_name, AboutWindowProc procedure) {
  if (class_name == nullptr || procedure == nullptr || std::strlen(class_name) >= sizeof about.class_name) return false;
  if (about.procedure != nullptr) return false;  // one class, as the About window needs
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = about_window_procedure;
  window_class.hInstance = instance;
  window_class.hIcon = static_cast<HICON>(LoadImageA(GetModuleHandleA("user32.dll"),
                                                     MAKEINTRESOURCEA(class_icon_resource), IMAGE_ICON, 16, 16,
                                                     LR_SHARED));
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = class_name;
  if (RegisterClassA(&window_class) == 0) return false;
  std::strcpy(about.class_name, class_name);
  about.procedure = procedure;
  return true;
}

ScreenArea about_primary_screen() {
  // Physical pixels, whatever the display's scaling.
  SetProcessDPIAware();
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return {0, 0, 0, 0};
  const ScreenArea area = {0, 0, GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES)};
  ReleaseDC(nullptr, screen);
  return area;
}

NativeWindow about_create_window(const char* class_name, const char* caption, int x, int y, int width, int height) {
  if (class_name == nullptr || about.procedure == nullptr || std::strcmp(class_name, about.class_name) != 0) return 0;
  if (about.window != nullptr) return 0;
  about.window = CreateWindowExA(0, class_name, caption != nullptr ? caption : "", WS_SYSMENU, x, y, width, height,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  return native(about.window);
}

NativeWindow about_create_static(NativeWindow parent, const char* text, int x, int y, int width, int height,
                                 int control_id) {
  return native(create_control("static", WS_TABSTOP, parent, text, x, y, width, height, control_id));
}

NativeWindow about_create_button(NativeWindow parent, const char* text, int x, int y, int width, int height,
                                 int control_id) {
  return native(create_control("BUTTON", BS_PUSHBUTTON, parent, text, x, y, width, height, control_id));
}

void about_set_text(NativeWindow control, const char* text) {
  const HWND window = as_hwnd(control);
  if (window == nullptr) return;
  // The texts are UTF-8; the wide call keeps characters such as the copyright sign.
  static wchar_t wide[max_text];
  const int length = MultiByteToWideChar(CP_UTF8, 0, text != nullptr ? text : "", -1, wide, max_text);
  if (length == 0) wide[0] = L'\0';
  wide[max_text - 1] = L'\0';
  SetWindowTextW(window, wide);
}

void about_set_font(NativeWindow control, AboutFont font, bool redraw) {
  if (font < 1 || font > max_fonts || about.fonts[font] == nullptr) return;
  SendMessageA(as_hwnd(control), WM_SETFONT, reinterpret_cast<WPARAM>(about.fonts[font]), redraw ? TRUE : FALSE);
}

AboutFont about_create_font(const FontSpec& spec) {
  if (spec.face == nullptr || spec.pixel_height <= 0) return 0;
  int index = 1;
  while (index <= max_fonts && about.fonts[index] != nullptr) ++index;
  if (index > max_fonts) return 0;
  const HFONT font = CreateFontA(spec.pixel_height, spec.average_width, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                 spec.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_OUTLINE_PRECIS,
                                 CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH, spec.face);
  if (font == nullptr) return 0;
  about.fonts[index] = font;
  return index;
}

AboutBitmap about_create_bitmap(const PixelRows& pixels) {
  if (pixels.first_row == nullptr || pixels.width <= 0 || pixels.height <= 0) return 0;
  const std::size_t stride = (static_cast<std::size_t>(pixels.width) * 3 + 3) / 4 * 4;
  if (pixels.row_stride < static_cast<std::size_t>(pixels.width) * 3) return 0;
  int index = 1;
  while (index <= max_bitmaps && about.bitmaps[index] != nullptr) ++index;
  if (index > max_bitmaps) return 0;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) return 0;
  for (int y = 0; y < pixels.height; ++y) {
    const int stored = pixels.bottom_up ? pixels.height - 1 - y : y;
    std::memcpy(static_cast<unsigned char*>(bits) + static_cast<std::size_t>(y) * stride,
                pixels.first_row + static_cast<std::size_t>(stored) * pixels.row_stride,
                static_cast<std::size_t>(pixels.width) * 3);
  }
  about.bitmaps[index] = bitmap;
  return index;
}

void about_delete_bitmap(AboutBitmap bitmap) {
  if (bitmap < 1 || bitmap > max_bitmaps || about.bitmaps[bitmap] == nullptr) return;
  DeleteObject(about.bitmaps[bitmap]);
  about.bitmaps[bitmap] = nullptr;
}

void about_show_window(NativeWindow window, int show_command) {
  const HWND handle = as_hwnd(window);
  if (handle == nullptr || handle != about.window) return;
  ShowWindow(handle, show_command);
  UpdateWindow(handle);
}

void about_fill_client(NativeWindow window, Colour colour) {
  const HWND handle = as_hwnd(window);
  if (handle == nullptr) return;
  bool release = false;
  HDC context = drawing_context(handle, release);
  RECT client = {};
  GetClientRect(handle, &client);
  SetBkColor(context, colour_ref(colour));
  ExtTextOutA(context, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
  if (release) ReleaseDC(handle, context);
}

void about_draw_bitmap(NativeWindow window, AboutBitmap bitmap, int x, int y) {
  const HWND handle = as_hwnd(window);
  if (handle == nullptr || bitmap < 1 || bitmap > max_bitmaps || about.bitmaps[bitmap] == nullptr) return;
  bool release = false;
  HDC context = drawing_context(handle, release);
  HDC memory = CreateCompatibleDC(context);
  HGDIOBJ previous = SelectObject(memory, about.bitmaps[bitmap]);
  BITMAP shape = {};
  GetObjectA(about.bitmaps[bitmap], sizeof shape, &shape);
  BitBlt(context, x, y, shape.bmWidth, shape.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteDC(memory);
  if (release) ReleaseDC(handle, context);
}

void about_destroy_window(NativeWindow window) {
  const HWND handle = as_hwnd(window);
  if (handle != nullptr && handle == about.window) DestroyWindow(handle);  // WM_DESTROY delivers Destroy
}

void about_post_quit() { PostQuitMessage(0); }

void about_run_loop() {
  // Without a window nothing could ever end the wait.
  if (about.window == nullptr) return;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}
