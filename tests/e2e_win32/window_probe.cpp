// What the tests ask Windows about a top-level window, found by its caption:
//   window_probe texts CAPTION   the texts of its child windows, one a line
//   window_probe rect CAPTION    its outer rectangle: x y width height
//   window_probe client CAPTION  its client area on the screen: x y width height
//   window_probe desktop         the desktop window's handle in decimal
//   window_probe monitors        each monitor: x y width height, "primary" on the primary's line
//   window_probe rates           the primary's refresh rate now ("current <Hz>"), then each
//                                rate it offers at its current size and depth, one a line
// Exit code 1 when no such window exists.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

BOOL CALLBACK print_text(HWND child, LPARAM) {
  char text[512] = {};
  if (GetWindowTextA(child, text, sizeof text) > 0) std::printf("%s\n", text);
  return TRUE;
}

BOOL CALLBACK print_monitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return TRUE;
  const RECT& r = info.rcMonitor;
  std::printf("%ld %ld %ld %ld%s\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
              (info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? " primary" : "");
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "desktop") == 0) {
    std::printf("%ld\n", static_cast<long>(reinterpret_cast<LONG_PTR>(GetDesktopWindow())));
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "monitors") == 0) {
    EnumDisplayMonitors(nullptr, nullptr, print_monitor, 0);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "rates") == 0) {
    DEVMODEA now = {}, mode = {};
    now.dmSize = mode.dmSize = sizeof(DEVMODEA);
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &now)) return 1;
    std::printf("current %lu\n", now.dmDisplayFrequency);
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i) {
      if (mode.dmPelsWidth == now.dmPelsWidth && mode.dmPelsHeight == now.dmPelsHeight &&
          mode.dmBitsPerPel == now.dmBitsPerPel) {
        std::printf("%lu\n", mode.dmDisplayFrequency);
      }
    }
    return 0;
  }
  if (argc != 3) return 2;
  HWND window = FindWindowA(nullptr, argv[2]);
  if (window == nullptr) return 1;
  if (std::strcmp(argv[1], "texts") == 0) {
    EnumChildWindows(window, print_text, 0);
    return 0;
  }
  if (std::strcmp(argv[1], "rect") == 0) {
    RECT r = {};
    GetWindowRect(window, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  if (std::strcmp(argv[1], "client") == 0) {
    RECT r = {};
    GetClientRect(window, &r);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  return 2;
}
