// Opens a link the way the desktop does: through xdg-open, detached; a failure
// to start it is ignored.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/platform.h"

extern char** environ;

void open_link(const char* url) {
  if (url == nullptr || *url == '\0') return;
  // Start the opener from a short-lived child so that it is never left a zombie.
  const pid_t child = fork();
  if (child < 0) return;
  if (child == 0) {
    pid_t opener = 0;
    char* const argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(url), nullptr};
    const int status = posix_spawnp(&opener, "xdg-open", nullptr, nullptr, argv, environ);
    _exit(status == 0 ? 0 : 1);
  }
  waitpid(child, nullptr, 0);
}
