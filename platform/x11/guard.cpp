// The single-instance guard: a listening Unix socket bound to an abstract name.
// The name lives exactly as long as a process holds the socket, even one killed
// with SIGKILL, and leaves nothing on disk.
//
// Abstract names carry no permissions, so a name that is taken may be held by
// anyone. The guard asks the holder who it is (the kernel's SO_PEERCRED of a
// listening socket) and counts only a holder of this user as a guard; past a
// name held by another user, or by one that does not answer, it tries the next
// slot. Nothing here waits on a holder for more than a few milliseconds.
#include <sys/socket.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/x11/guard_name.h"

namespace {

struct GuardAddress {
  sockaddr_un address;
  socklen_t size;
};

GuardAddress guard_address(const char* name, int slot) {
  const GuardName guard_name = guard_socket_name(name, geteuid(), std::getenv("DISPLAY"), slot);
  GuardAddress result = {};
  result.address.sun_family = AF_UNIX;
  // Leading NUL: the abstract namespace.
  std::memcpy(result.address.sun_path + 1, guard_name.bytes, guard_name.length);
  result.size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + guard_name.length);
  return result;
}

// Ours: a listening holder of this user. Silent: nothing listens there (a holder
// between its bind and its listen, one just gone, or a squatter that only binds).
// Foreign: a holder of another user, or one that cannot take a connection now
// (a full backlog), which cannot be told from one.
enum class Holder { Ours, Silent, Foreign };

Holder ask_holder(const GuardAddress& guard) {
  // Non-blocking: a connection to a listening socket completes without accept,
  // and a full backlog fails at once instead of waiting.
  const int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (probe < 0) return Holder::Foreign;
  Holder holder = Holder::Foreign;
  if (connect(probe, reinterpret_cast<const sockaddr*>(&guard.address), guard.size) == 0) {
    ucred credentials = {};
    socklen_t length = sizeof credentials;
    if (getsockopt(probe, SOL_SOCKET, SO_PEERCRED, &credentials, &length) == 0 && length == sizeof credentials &&
        credentials.uid == geteuid()) {
      holder = Holder::Ours;
    }
  } else if (errno == ECONNREFUSED) {
    holder = Holder::Silent;
  }
  close(probe);
  return holder;
}

void pause_briefly() {
  const timespec millisecond = {0, 1000000};
  nanosleep(&millisecond, nullptr);
}

enum class Claim { Held, Ours, Taken, Error };

// Binds the slot and listens on it, or tells who holds it. A silent holder gets
// a few milliseconds to start listening: a guarded run of this user that has
// just bound the name does so at once.
Claim claim_slot(const GuardAddress& guard, int& held) {
  constexpr int attempts = 4;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (attempt > 0) pause_briefly();
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return Claim::Error;
    if (bind(fd, reinterpret_cast<const sockaddr*>(&guard.address), guard.size) == 0) {
      if (listen(fd, SOMAXCONN) != 0) {
        close(fd);
        return Claim::Error;
      }
      held = fd;
      return Claim::Held;
    }
    const int error = errno;
    close(fd);
    if (error != EADDRINUSE) return Claim::Error;
    switch (ask_holder(guard)) {
      case Holder::Ours: return Claim::Ours;
      case Holder::Foreign: return Claim::Taken;
      case Holder::Silent: break;
    }
  }
  return Claim::Taken;
}

// A run of this user in a later slot got there while the slots before it were
// held by others; it is the guard, and one taking a slot freed since then yields.
bool ours_in_later_slot(const char* name, int slot) {
  for (int later = slot + 1; later < guard_slot_count; ++later) {
    if (ask_holder(guard_address(name, later)) == Holder::Ours) return true;
  }
  return false;
}

}  // namespace

GuardResult create_named_guard(const char* name) {
  for (int slot = 0; slot < guard_slot_count; ++slot) {
    int held = -1;
    switch (claim_slot(guard_address(name, slot), held)) {
      case Claim::Held:
        if (ours_in_later_slot(name, slot)) {
          close(held);
          return GuardResult::AlreadyExists;
        }
        return GuardResult::Created;  // held open until the process ends
      case Claim::Ours: return GuardResult::AlreadyExists;
      case Claim::Taken: break;
      case Claim::Error: return GuardResult::Failed;
    }
  }
  return GuardResult::Failed;  // every slot held by others: no guard, the run goes ahead
}
