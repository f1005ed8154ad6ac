// The operations the system takes from the operating system. Portable code calls
// these by name and never includes a system header of its own; the build links
// exactly one implementation (platform/x11/ on Linux).
#pragma once

#include <cstddef>
#include <cstdint>

struct GLFWwindow;

// A native window handle (an X11 window id on Linux, an HWND on Windows).
using NativeWindow = std::uint64_t;

// ---- Display faults -----------------------------------------------------------
// Protocol errors (a vanished host window, a bogus id) are recorded, never fatal;
// losing the display server ends the process with exit code 0.
void install_display_fault_handlers();

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
// The root window of the default display; 0 when there is no display.
NativeWindow default_root_window();
// False once the host window is destroyed or no longer viewable.
bool host_window_enabled(NativeWindow host);
// Wraps the host's window in a library window with a current-able context that
// fills the host's client area; null when that cannot be done.
GLFWwindow* adopt_host_window(NativeWindow host, GLFWwindow* share);
// Hands the host's window back before the library window is destroyed.
void release_host_window(GLFWwindow* window);
// Holds the display server for this client alone (no-op before the windowing
// library is up); a message box lets go of it before it shows.
void hold_display();
void release_display();
// A frame drawn into a host's window holds the display so that the host cannot
// vanish half-way; false (and nothing held) when the host is already gone.
// The adopted window also follows the host's size here.
bool begin_host_frame(GLFWwindow* window, NativeWindow host);
void end_host_frame();

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

// ---- Input ------------------------------------------------------------------
// True when a key event for the window waits in the queue. The windowing library
// drops the release of a key it never saw pressed (one held down before the
// saver started), so the frame looks for key events itself as well.
bool key_event_pending(GLFWwindow* window);

// ---- Shell ------------------------------------------------------------------
// Opens a link in the user's default browser; failures are ignored.
void open_link(const char* url);

// ---- Termination requests (SIGTERM, SIGINT, SIGHUP from the host) -----------
void install_termination_handlers();
bool termination_requested();
