// Program entry: read the host's command line once, pick the run mode, apply the
// single-instance guard, and hand over to the About window or the frame.
#include "shell/entry.h"

#include "common/app_info.h"
#include "common/run_mode.h"
#include "frame/run_frame.h"
#include "shell/about_window.h"
#include "shell/command_line.h"
#include "shell/single_instance.h"

int screensaver_main(const char* command_line, int show_command, EmbeddingHost embedding) {
  const CommandLine chosen = parse_command_line(command_line, app_info.force_configure);
  run_mode = chosen.mode;
  host_window = handle_to_window(chosen.handle);

  // An embedding host runs one saver per screen and manages their lives, so the
  // guard does not apply; a slash switch still takes precedence.
  if (embedding.present && run_mode == Default) {
    run_mode = Preview;
    host_window = embedding.window;
    run_frame();
    return 0;
  }

  if ((run_mode == Preview || run_mode == Default) && !acquire_single_instance()) return 0;

  if (run_mode == Configure) {
    // Lives until the process ends, as the window's handles do.
    static AboutWindow* about_window = new AboutWindow(show_command);
    (void)about_window;
    return 0;
  }
  run_frame();
  return 0;
}
