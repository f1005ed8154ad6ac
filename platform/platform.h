// The operations the system takes from the operating system. Portable code calls
// these by name and never includes a system header of its own; the build links
// exactly one implementation (platform/x11/ on Linux).
#pragma once

#include <cstddef>
#include <cstdint>

// A native window handle (an X11 window id on Linux, an HWND on Windows).
using NativeWindow = std::uint64_t;

// ---- Single-instance guard -------------------------------------------------
enum class GuardResult { Created, AlreadyExists, Failed };
// Creates the process-lifetime named object; it vanishes when its last holder ends.
GuardResult create_named_guard(const char* name);

// ---- Message boxes ----------------------------------------------------------
enum class BoxIcon { Information, Warning };
// Blocks until the user closes the box. Without a display the text goes to stderr.
void show_message_box(const char* text, const char* caption, BoxIcon icon);

// ---- Operating-system version ----------------------------------------------
// major * 10 + minor, in the numbering where 60 is the first version that reports
// the primary monitor's current video mode.
int os_version_number();

// ---- Host (preview) window ---------------------------------------------------
struct ClientSize {
  bool ok;  // false when the handle names no window
  int width;
  int height;
};
ClientSize host_client_size(NativeWindow host);
// False once the host window is destroyed or no longer viewable.
bool host_window_enabled(NativeWindow host);

// ---- The program's own resources, embedded at build time -------------------
enum class ResourceType { TextFile, Bitmap };
struct ResourceBytes {
  const unsigned char* data;  // null when there is no such resource
  std::size_t size;
};
ResourceBytes find_resource(ResourceType type, std::uint16_t id);

// ---- The system's OpenGL library --------------------------------------------
bool gl_library_open();
void gl_library_close();
// The library's own export of that name, null when it has none.
void* gl_library_symbol(const char* name);
// The current context's function of that name, null when the context has none.
void* gl_context_proc(const char* name);

// ---- Shell ------------------------------------------------------------------
// Opens a link in the user's default browser; failures are ignored.
void open_link(const char* url);

// ---- Termination requests (SIGTERM, SIGINT, SIGHUP from the host) -----------
void install_termination_handlers();
bool termination_requested();
