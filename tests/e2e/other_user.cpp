#include "tests/e2e/other_user.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>

#include "platform/x11/guard_name.h"
#include "tests/e2e/harness.h"

namespace e2e {

namespace {

bool become(const OtherUser& user) {
  return setgroups(0, nullptr) == 0 && setgid(user.gid) == 0 && setuid(user.uid) == 0 && geteuid() == user.uid;
}

// The answer of a forked check that runs as the user.
bool check_as(const OtherUser& user, const std::function<bool()>& check) {
  const pid_t pid = fork();
  if (pid == 0) _exit(become(user) && check() ? 0 : 1);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

sockaddr_un abstract_address(const std::string& name, socklen_t& size) {
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  const std::size_t length = std::min(name.size(), sizeof address.sun_path - 1);
  std::memcpy(address.sun_path + 1, name.data(), length);
  size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
  return address;
}

// One name held in the given manner; false when the name could not be had.
bool hold(const std::string& name, Squat how) {
  socklen_t size = 0;
  const sockaddr_un address = abstract_address(name, size);
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  if (fd < 0 || bind(fd, reinterpret_cast<const sockaddr*>(&address), size) != 0) return false;
  if (how == Squat::BoundOnly) return true;
  if (how == Squat::Listening) return listen(fd, SOMAXCONN) == 0;
  // A backlog of none takes one connection; later ones find it full.
  if (listen(fd, 0) != 0) return false;
  const int filler = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
  if (filler < 0 || connect(filler, reinterpret_cast<const sockaddr*>(&address), size) != 0) return false;
  const int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
  const bool full = connect(probe, reinterpret_cast<const sockaddr*>(&address), size) != 0 && errno == EAGAIN;
  close(probe);
  return full;
}

}  // namespace

std::optional<OtherUser> other_user(std::string& why_not) {
  if (geteuid() != 0) {
    why_not = "becoming another user needs root";
    return std::nullopt;
  }
  const passwd* entry = getpwnam("nobody");
  if (entry == nullptr || entry->pw_uid == 0) {
    why_not = "this machine has no unprivileged user \"nobody\"";
    return std::nullopt;
  }
  return OtherUser{entry->pw_uid, entry->pw_gid};
}

bool can_run_on_display(const OtherUser& user, const std::string& display, std::string& why_not) {
  if (!check_as(user, [&] { return access(program_path(), X_OK) == 0; })) {
    why_not = std::string("user nobody cannot run ") + program_path();
    return false;
  }
  const bool opened = check_as(user, [&] {
    Display* connection = XOpenDisplay(display.c_str());
    if (connection == nullptr) return false;
    XCloseDisplay(connection);
    return true;
  });
  if (!opened) why_not = "user nobody cannot open the test's X display " + display;
  return opened;
}

std::vector<std::string> as_user(const OtherUser& user, const std::vector<std::string>& argv) {
  std::vector<std::string> result = {"setpriv", "--reuid=" + std::to_string(user.uid),
                                     "--regid=" + std::to_string(user.gid), "--clear-groups", "--"};
  result.insert(result.end(), argv.begin(), argv.end());
  return result;
}

Child::Child(const std::optional<OtherUser>& user, const std::function<char()>& body) {
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    close(report[0]);
    char answer = 0;
    if (!user || become(*user)) {
      // Set after the change of user, which clears it: the child never outlives the test.
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      answer = body();
    }
    if (answer == 0 || write(report[1], &answer, 1) != 1) _exit(1);
    for (;;) pause();
  }
  close(report[1]);
  pollfd wait_for_answer{report[0], POLLIN, 0};
  if (pid_ > 0 && poll(&wait_for_answer, 1, 20000) == 1 && read(report[0], &answer_, 1) != 1) answer_ = 0;
  close(report[0]);
}

Child::~Child() { kill_now(); }

void Child::kill_now() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

std::vector<std::string> guard_names(const std::string& name, uid_t owner, const std::string& display, int first,
                                     int last) {
  std::vector<std::string> names;
  for (int slot = first; slot < last; ++slot) {
    const GuardName guard_name = guard_socket_name(name.c_str(), owner, display.c_str(), slot);
    names.emplace_back(guard_name.bytes, guard_name.length);
  }
  return names;
}

Child squatter(const OtherUser& user, const std::vector<std::string>& names, Squat how) {
  return Child(user, [&] {
    for (const auto& name : names) {
      if (!hold(name, how)) return 'n';
    }
    return 'y';
  });
}

}  // namespace e2e
