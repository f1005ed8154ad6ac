// Message boxes without an owner window; MessageBoxA blocks until closed.
#include <windows.h>

#include "platform/platform.h"

void show_message_box(const char* text, const char* caption, BoxIcon icon) {
  const UINT style = MB_OK | (icon == BoxIcon::Warning ? MB_ICONWARNING : MB_ICONINFORMATION);
  MessageBoxA(nullptr, text != nullptr ? text : "", caption != nullptr ? caption : "", style);
}
