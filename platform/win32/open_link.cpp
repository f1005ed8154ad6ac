// Opens a link with the shell's "open" verb: the user's default browser.
#include <windows.h>
#include <shellapi.h>

#include "platform/platform.h"

void open_link(const char* url) {
  if (url == nullptr || *url == '\0') return;
  ShellExecuteA(nullptr, "open", url, nullptr, nullptr, SW_SHOWNORMAL);
}
