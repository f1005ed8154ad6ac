// The About window of the configure mode: a fixed-size window with the title,
// the logo, a three-line notice and a button that opens the maker's website.
#pragma once

struct AboutWindow {
  // Builds the window, shows it and runs its event loop until it is closed.
  explicit AboutWindow(int show_command);

  const char* caption;
  const char* class_name;
  const char* button_class_name;  // kept for the record; the button is a stock one
  const char* button_text;
  const char* notice_text;
  const char* title_text;
};
