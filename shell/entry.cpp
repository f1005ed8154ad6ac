// Program entry: read the host's command line once, pick the run mode, apply the
// single-instance guard, and hand over to the About window or the frame.
#include <string>

#include "frame/app_info.h"
#include "frame/run_frame.h"
#include "platform/platform.h"
#include "shell/about_window.h"
#include "shell/command_line.h"
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
  install_display_fault_handlers();
  const std::string command_line = joined_arguments(argc, argv);
  const CommandLine chosen = parse_command_line(command_line.c_str(), app_info.force_configure);
  run_mode = chosen.mode;
  host_window = handle_to_window(chosen.handle);

  if ((run_mode == Preview || run_mode == Default) && !acquire_single_instance()) return 0;

  if (run_mode == Configure) {
    // Lives until the process ends, as the window's handles do.
    new AboutWindow(1);
    return 0;
  }
  run_frame();
  return 0;
}
