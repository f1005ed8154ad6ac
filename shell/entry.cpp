// Program entry: read the host's command line once, pick the run mode, apply the
// single-instance guard, and hand over to the About window or the frame.
#include <cstdlib>
#include <string>

#include "frame/app_info.h"
#include "frame/run_frame.h"
#include "platform/platform.h"
#include "shell/about_window.h"
#include "shell/command_line.h"
#include "shell/host_arguments.h"
#include "shell/run_mode.h"
#include "shell/single_instance.h"

namespace {

// The host hands Windows programs one command-line string; rebuild it from argv.
std::string joined_arguments(int argc, char** argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  // First of all, so that the host's SIGTERM ends every mode in order.
  install_termination_handlers();
  install_display_fault_handlers();
  const std::string command_line = joined_arguments(argc, argv);
  const CommandLine chosen = parse_command_line(command_line.c_str(), app_info.force_configure);
  run_mode = chosen.mode;
  host_window = handle_to_window(chosen.handle);

  // XScreenSaver starts hacks with -root or -window-id and no slash switch. Such a
  // run draws into the host's window as a preview does, but the host runs one per
  // screen and manages their lives, so the guard does not apply.
  const HostArguments host = parse_host_arguments(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
  if (host.present && run_mode == Default) {
    run_mode = Preview;
    host_window = host.root_window ? default_root_window() : host.window;
    run_frame();
    return 0;
  }

  if ((run_mode == Preview || run_mode == Default) && !acquire_single_instance()) return 0;

  if (run_mode == Configure) {
    // Lives until the process ends, as the window's handles do.
    static AboutWindow* about_window = new AboutWindow(1);
    (void)about_window;
    return 0;
  }
  run_frame();
  return 0;
}
