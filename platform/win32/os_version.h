// The Windows version as major * 10 + minor, from GetVersion's word.
#pragma once

#include <windows.h>

// The lowest byte is the major version, the next the minor; the build number in
// the high word is not used. Windows 6.0 gives 60.
inline int os_version_from(DWORD version) {
  const int major = static_cast<int>(version & 0xFF);
  const int minor = static_cast<int>((version >> 8) & 0xFF);
  return major * 10 + minor;
}

int os_version_number();
