// A full-screen run (Saver or Default with the fullscreen flag) on a desktop:
// the display's mode is never switched, the other monitors are covered, and the
// run ends as soon as nobody can see it.
#pragma once

struct GLFWmonitor;
struct GLFWwindow;
struct GLFWvidmode;

struct FullScreenHints {
  int red_bits;
  int green_bits;
  int blue_bits;
  int refresh_rate;
};

// Pure: the colour bits and refresh rate a full-screen window asks for, given
// the monitor's current mode (null when it is unknown). Asking for the current
// mode's own values is how the library makes a full-screen window without a
// mode change; with none asked it picks the monitor's highest refresh rate.
FullScreenHints full_screen_hints(const GLFWvidmode* current);

// Sets those hints for a window about to be made full screen on the monitor.
void ask_for_current_mode(GLFWmonitor* monitor);

// Called once the window exists: a run whose window loses the focus to another
// program, or is iconified, ends (nothing would show it, and no key would reach
// it); the other monitors are covered in the ground colour.
void watch_full_screen_window(GLFWwindow* window);
// Takes the covers away again before the window goes.
void end_full_screen_run();
