// Another user of this machine for the guard's tests: child processes that run
// as that user, and a squatter that sits on the guard's own names.
#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct OtherUser {
  uid_t uid;
  gid_t gid;
};

// "nobody", when this process may become it (it runs as root); otherwise empty,
// with the reason in `why_not`.
std::optional<OtherUser> other_user(std::string& why_not);

// True when the user can open the X display and run the program under test.
bool can_run_on_display(const OtherUser& user, const std::string& display, std::string& why_not);

// The argument vector that runs `argv` as the user (for Program::command).
std::vector<std::string> as_user(const OtherUser& user, const std::vector<std::string>& argv);

// A forked child, as the user when one is given, that runs `body`, reports its
// one-byte answer and then lives until this object ends (SIGKILL).
class Child {
 public:
  Child(const std::optional<OtherUser>& user, const std::function<char()>& body);
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  // The child's answer; 0 when it ended before answering.
  char answer() const { return answer_; }
  void kill_now();

 private:
  pid_t pid_ = -1;
  char answer_ = 0;
};

// How a squatter holds a name.
enum class Squat {
  Listening,    // listens, as a guard does, under its own user
  BoundOnly,    // binds and never listens
  FullBacklog,  // listens, with its backlog full of unaccepted connections
};

// The guard's abstract names of `owner` on `display` for slots [first, last).
std::vector<std::string> guard_names(const std::string& name, uid_t owner, const std::string& display, int first,
                                     int last);

// The user holds each of the abstract names in the given manner. Its answer is
// 'y' once it holds every one.
Child squatter(const OtherUser& user, const std::vector<std::string>& names, Squat how);

}  // namespace e2e
