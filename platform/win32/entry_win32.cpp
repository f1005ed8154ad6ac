// The program's entry on Windows: the host's command line arrives as one ANSI
// string without the program's name, exactly as the shell reads it.
#include <windows.h>

#include "shell/entry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int show_command) {
  return screensaver_main(command_line, show_command, {false, 0});
}
