// The About window in plain Win32: a registered class, system "static" controls
// for the texts and a "BUTTON" for the button, GDI fonts, the logo painted on
// the window's own area, and the message loop.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "platform/about_content.h"
#include "platform/platform.h"

namespace {

// The ids the controls have always had; the first text shares the button's,
// harmless since a static without SS_NOTIFY sends no command.
constexpr int text_ids[about_text_count] = {10, 30};
constexpr int button_id = 10;
constexpr int max_text = 512;
// The stock icon of user32.dll that the class shows in its caption.
constexpr int class_icon_resource = 104;

struct AboutWin32 {
  const AboutContent* content;
  HWND window;
  HWND texts[about_text_count];
  HWND button;
  HFONT fonts[about_font_count];  // kept for the life of the process
  HBITMAP logo;
  HBRUSH background;  // made on the procedure's first call, kept for the life of the process
};
AboutWin32 about = {};

COLORREF colour_ref(Colour colour) { return RGB(colour.r, colour.g, colour.b); }

HBITMAP make_bitmap(const PixelRows& pixels) {
  if (pixels.first_row == nullptr || pixels.width <= 0 || pixels.height <= 0) return nullptr;
  if (pixels.row_stride < static_cast<std::size_t>(pixels.width) * 3) return nullptr;
  const std::size_t stride = (static_cast<std::size_t>(pixels.width) * 3 + 3) / 4 * 4;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) return nullptr;
  for (int y = 0; y < pixels.height; ++y) {
    const int stored = pixels.bottom_up ? pixels.height - 1 - y : y;
    std::memcpy(static_cast<unsigned char*>(bits) + static_cast<std::size_t>(y) * stride,
                pixels.first_row + static_cast<std::size_t>(stored) * pixels.row_stride,
                static_cast<std::size_t>(pixels.width) * 3);
  }
  return bitmap;
}

HFONT make_font(const FontSpec& spec) {
  return CreateFontA(spec.pixel_height, spec.average_width, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE,
                     spec.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_OUTLINE_PRECIS, CLIP_DEFAULT_PRECIS,
                     CLEARTYPE_QUALITY, VARIABLE_PITCH, spec.face);
}

// A child control with its text and font; the texts are UTF-8, and the wide call
// keeps characters such as the copyright sign.
HWND make_control(const char* control_class, DWORD style, const char* first_text, const Place& place, int id,
                  const char* text, int font) {
  const HWND control = CreateWindowExA(0, control_class, first_text, WS_CHILD | WS_VISIBLE | style, place.x, place.y,
                                       place.width, place.height, about.window,
                                       reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)),
                                       GetModuleHandleA(nullptr), nullptr);
  if (control == nullptr) return nullptr;
  static wchar_t wide[max_text];
  if (MultiByteToWideChar(CP_UTF8, 0, text != nullptr ? text : "", -1, wide, max_text) == 0) wide[0] = L'\0';
  wide[max_text - 1] = L'\0';
  SetWindowTextW(control, wide);
  if (font >= 0 && font < about_font_count && about.fonts[font] != nullptr) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(about.fonts[font]), TRUE);
  }
  return control;
}

LRESULT paint(HWND window, const AboutContent& content) {
  PAINTSTRUCT paint_state;
  const HDC context = BeginPaint(window, &paint_state);
  RECT client = {};
  GetClientRect(window, &client);
  SetBkColor(context, colour_ref(content.background));
  ExtTextOutA(context, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
  if (about.logo != nullptr) {
    const HDC memory = CreateCompatibleDC(context);
    const HGDIOBJ previous = SelectObject(memory, about.logo);
    BITMAP shape = {};
    GetObjectA(about.logo, sizeof shape, &shape);
    BitBlt(context, content.logo_x, content.logo_y, shape.bmWidth, shape.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
  }
  EndPaint(window, &paint_state);
  return 0;
}

LRESULT static_colours(HDC context, HWND control, const AboutContent& content) {
  Colour text = {0, 0, 0};
  for (int i = 0; i < about_text_count; ++i) {
    if (control == about.texts[i]) text = content.texts[i].colour;
  }
  SetTextColor(context, colour_ref(text));
  SetBkColor(context, colour_ref(content.background));
  return reinterpret_cast<LRESULT>(about.background);
}

LRESULT CALLBACK about_window_proc(HWND window, UINT message, WPARAM w_param, LPARAM l_param) {
  if (about.content == nullptr) return DefWindowProcA(window, message, w_param, l_param);
  const AboutContent& content = *about.content;
  if (about.background == nullptr) about.background = CreateSolidBrush(colour_ref(content.background));
  switch (message) {
    case WM_PAINT:
      return paint(window, content);
    case WM_CTLCOLORSTATIC:
      return static_colours(reinterpret_cast<HDC>(w_param), reinterpret_cast<HWND>(l_param), content);
    case WM_COMMAND:
      if (HIWORD(w_param) == BN_CLICKED && l_param != 0 && reinterpret_cast<HWND>(l_param) == about.button) {
        open_link(content.button.link);
      }
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      if (about.logo != nullptr) DeleteObject(about.logo);
      about.logo = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, w_param, l_param);
  }
}

}  // namespace

bool about_prepare(const AboutContent& content) {
  about.content = &content;
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = about_window_proc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hIcon = static_cast<HICON>(LoadImageA(GetModuleHandleA("user32.dll"),
                                                     MAKEINTRESOURCEA(class_icon_resource), IMAGE_ICON, 16, 16,
                                                     LR_SHARED));
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = content.class_name;
  return RegisterClassA(&window_class) != 0;
}

ScreenArea about_primary_screen() {
  // Physical pixels, whatever the display's scaling.
  SetProcessDPIAware();
  const HDC screen = GetDC(nullptr);
  if (screen == nullptr) return {0, 0, 0, 0};
  const ScreenArea area = {0, 0, GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES)};
  ReleaseDC(nullptr, screen);
  return area;
}

bool about_show(const AboutContent& content, int x, int y, int show_command) {
  about.content = &content;
  about.window = CreateWindowExA(0, content.class_name, content.caption, WS_SYSMENU, x, y, content.width,
                                 content.height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (about.window == nullptr) return false;
  about.logo = make_bitmap(content.logo);
  for (int i = 0; i < about_font_count; ++i) {
    if (about.fonts[i] == nullptr) about.fonts[i] = make_font(content.fonts[i]);
  }
  for (int i = 0; i < about_text_count; ++i) {
    const AboutText& text = content.texts[i];
    about.texts[i] = make_control("static", WS_TABSTOP, "ST_U", text.place, text_ids[i], text.text, text.font);
  }
  const AboutButton& button = content.button;
  about.button = make_control("BUTTON", BS_PUSHBUTTON, button.text, button.place, button_id, button.text, button.font);
  ShowWindow(about.window, show_command);
  UpdateWindow(about.window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}
