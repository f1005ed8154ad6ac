// Covers for the monitors the full-screen window does not fill. They are plain
// windows, no GL: top-most so nothing shows above them, and never activated, so
// the saver's own window keeps the focus and its keys (a cover taking the focus
// would read as another program taking it). They belong to the frame's thread,
// so the windowing library's event polling dispatches their messages too.
#include <windows.h>

#include "platform/platform.h"

namespace {

constexpr int max_covers = 16;
constexpr wchar_t cover_class[] = L"cubesaver monitor cover";

struct Covers {
  HWND windows[max_covers];
  int count;
  HBRUSH ground;
  void (*end_run)();
};
Covers covers = {};

LRESULT CALLBACK cover_procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
      if (covers.end_run != nullptr) covers.end_run();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_SETCURSOR:  // hidden, as over the saver's own window
      SetCursor(nullptr);
      return TRUE;
    default:
      return DefWindowProcW(window, message, w, l);
  }
}

BOOL CALLBACK cover_monitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info) || (info.dwFlags & MONITORINFOF_PRIMARY) != 0) return TRUE;
  if (covers.count == max_covers) return FALSE;
  const RECT& area = info.rcMonitor;
  const HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, cover_class, L"",
                                      WS_POPUP, area.left, area.top, area.right - area.left,
                                      area.bottom - area.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return TRUE;
  covers.windows[covers.count++] = window;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  return TRUE;
}

BYTE channel(float value) { return static_cast<BYTE>(value * 255.0f + 0.5f); }

}  // namespace

void cover_other_monitors(float red, float green, float blue, void (*end_run)()) {
  if (GetSystemMetrics(SM_CMONITORS) < 2) return;
  covers.end_run = end_run;
  covers.ground = CreateSolidBrush(RGB(channel(red), channel(green), channel(blue)));
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = cover_procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hbrBackground = covers.ground;
  window_class.lpszClassName = cover_class;
  if (RegisterClassExW(&window_class) == 0) return;
  EnumDisplayMonitors(nullptr, nullptr, cover_monitor, 0);
}

void uncover_other_monitors() {
  for (int i = 0; i < covers.count; ++i) DestroyWindow(covers.windows[i]);
  if (covers.ground != nullptr) {
    UnregisterClassW(cover_class, GetModuleHandleW(nullptr));
    DeleteObject(covers.ground);
  }
  covers = {};
}
