#include "shell/about_window.h"

// Placeholder until the About window lands: returns at once, ending the run.
AboutWindow::AboutWindow(int)
    : caption("About"),
      class_name("LumoraWindowClass"),
      button_class_name("LumoraButtonClass"),
      button_text("Visit website"),
      notice_text(""),
      title_text("3D Tamsel's Screensaver") {}
