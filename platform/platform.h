// The operations the system takes from the operating system. Portable code calls
// these by name and never includes a system header of its own; the build links
// exactly one implementation (platform/x11/ on Linux, platform/win32/ on Windows),
// chosen in platform/CMakeLists.txt. Each platform also owns the program's entry
// point, which hands the host's command line to screensaver_main (shell/entry.h).
#pragma once

#include <cstddef>
#include <cstdint>

struct GLFWwindow;

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

// ---- Full-screen size ---------------------------------------------------------
// True when a full-screen window takes the primary monitor's current video mode;
// systems too old to report it (Windows before 6.0) get 800 x 600 instead.
bool full_screen_uses_monitor_mode();

// ---- Other monitors -----------------------------------------------------------
// A full-screen window fills the primary monitor only. These cover every other
// monitor for the run with plain windows of the given colour that stay above
// everything and never take the focus; a key or mouse button on one of them
// calls end_run, pointer motion does nothing. Where the host starts one program
// per monitor itself (XScreenSaver) there is nothing to cover.
void cover_other_monitors(float red, float green, float blue, void (*end_run)());
void uncover_other_monitors();

// ---- Host (preview) window ---------------------------------------------------
struct ClientSize {
  bool ok;  // false when the handle names no window
  int width;
  int height;
};
ClientSize host_client_size(NativeWindow host);
// False once the host window is destroyed or no longer viewable.
bool host_window_enabled(NativeWindow host);
// Wraps the host's window in a library window with a current-able context that
// fills the host's client area; null when that cannot be done.
GLFWwindow* adopt_host_window(NativeWindow host, GLFWwindow* share);
// Hands the host's window back before the library window is destroyed.
void release_host_window(GLFWwindow* window);
// Holds the host steady while the program sets up or tears down its window in
// the host's: the host cannot take its window away half-way. Where windows
// cannot vanish under a client's feet this does nothing. A message box lets go
// before it shows.
void hold_host();
void release_host();
// A frame drawn into a host's window holds the host likewise; false (and nothing
// held) when the host is already gone. The adopted window also follows the
// host's size here.
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

// ---- Termination requests (on X11: SIGTERM, SIGINT, SIGHUP from the host) -----
void install_termination_handlers();
bool termination_requested();

// ---- Software rasterisers ---------------------------------------------------
// Asks a software rasteriser (Mesa's llvmpipe) to draw on the thread that
// calls GL instead of on worker threads of its own; called before the first GL
// context, when the rasteriser reads its settings. Its frames are held to half
// a core anyway, and one thread does the same work without the hand-offs
// (about a tenth less CPU a frame). A setting the user made stands; other
// drivers do not read it.
void keep_software_rasteriser_on_calling_thread();

// ---- Process time -----------------------------------------------------------
// CPU seconds the whole process has used since it started, every thread's
// together (a software rasteriser's worker threads too).
double process_cpu_seconds();
