// The single-instance guard: a Unix socket bound to an abstract name. The name
// lives exactly as long as a process holds the socket and leaves nothing on disk.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>

#include "platform/platform.h"

GuardResult create_named_guard(const char* name) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return GuardResult::Failed;

  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  const std::size_t length = std::min(std::strlen(name), sizeof address.sun_path - 1);
  std::memcpy(address.sun_path + 1, name, length);  // leading NUL: abstract namespace
  const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);

  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), size) == 0) {
    return GuardResult::Created;  // held open until the process ends
  }
  const int error = errno;
  close(fd);
  return error == EADDRINUSE ? GuardResult::AlreadyExists : GuardResult::Failed;
}
