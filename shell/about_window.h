// The About window of the configure mode.
#pragma once

struct AboutWindow {
  // Builds the window, shows it and runs its event loop until it is closed.
  explicit AboutWindow(int show_command);

  const char* caption;
  const char* class_name;
  const char* button_class_name;
  const char* button_text;
  const char* notice_text;
  const char* title_text;
};
