// The program's entry on X11: the host's signals and display faults are handled
// first, XScreenSaver's own arguments are read here, and the rest of argv is
// joined into the one command line a Windows host would hand over.
#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "platform/x11/display_faults.h"
#include "platform/x11/host_arguments.h"
#include "shell/entry.h"

namespace {

std::string joined_arguments(int argc, char** argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return text;
}

// The show command of a window shown normally, as Windows passes it.
constexpr int show_normally = 1;

}  // namespace

int main(int argc, char** argv) {
  // First of all, so that the host's SIGTERM ends every mode in order.
  install_termination_handlers();
  install_display_fault_handlers();
  const std::string command_line = joined_arguments(argc, argv);

  const HostArguments host = parse_host_arguments(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
  EmbeddingHost embedding = {host.present, host.window};
  if (host.present && host.root_window) embedding.window = default_root_window();
  return screensaver_main(command_line.c_str(), show_normally, embedding);
}
