// NativeWindow and HWND: the host writes a handle as a 32-bit signed decimal, and
// Windows widens 32-bit handles by sign extension, as done here.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/platform.h"

inline HWND as_hwnd(NativeWindow window) {
  const auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(window));
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(low));
}
