// Prints the texts of the child windows of the top-level window with the given
// caption, one per line: how the tests read what a message box says.
#include <windows.h>

#include <cstdio>

namespace {

BOOL CALLBACK print_text(HWND child, LPARAM) {
  char text[512] = {};
  if (GetWindowTextA(child, text, sizeof text) > 0) std::printf("%s\n", text);
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  HWND window = FindWindowA(nullptr, argv[1]);
  if (window == nullptr) return 1;
  EnumChildWindows(window, print_text, 0);
  return 0;
}
