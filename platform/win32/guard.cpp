// The single-instance guard: a named event, manual reset, not signalled. Its
// handle stays open until the process ends; its existence alone is the guard.
#include <windows.h>

#include "platform/platform.h"

GuardResult create_named_guard(const char* name) {
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, name);
  if (event == nullptr) return GuardResult::Failed;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(event);
    return GuardResult::AlreadyExists;
  }
  return GuardResult::Created;
}
