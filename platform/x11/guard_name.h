// The abstract socket names of the single-instance guard. Abstract names are
// machine-wide and anyone may bind any of them, so a name alone proves nothing:
// it carries the user and the display it guards, and numbered slots let the
// guard move on past a name that another user sits on.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

// A handful is enough to step past a stray holder. No number of slots stops a
// determined squatter (any user may bind thousands of names), but one that fills
// them all only turns the guard off: the run then goes ahead unguarded.
inline constexpr int guard_slot_count = 16;

// The bytes of an abstract name after its leading NUL (sockaddr_un has 108).
inline constexpr std::size_t guard_name_capacity = 107;

struct GuardName {
  char bytes[guard_name_capacity];
  std::size_t length;
};

// The display a guard belongs to: "host:number" of the DISPLAY value. The screen
// is dropped (the screens of one server are one session) and so is the "unix"
// host, another spelling of the local one. No display at all gives "".
inline std::size_t guard_display_part(const char* display, char* out, std::size_t capacity) {
  if (display == nullptr || capacity == 0) return 0;
  const char* colon = std::strrchr(display, ':');
  std::size_t length = std::strlen(display);
  if (colon != nullptr) {
    const char* dot = std::strchr(colon, '.');
    if (dot != nullptr) length = static_cast<std::size_t>(dot - display);
    if (colon - display == 4 && std::strncmp(display, "unix", 4) == 0) {
      display += 4;
      length -= 4;
    }
  }
  if (length > capacity) length = capacity;
  std::memcpy(out, display, length);
  return length;
}

// "<name> uid=<uid> slot=<slot> display=<display>". The user and the slot are
// never cut; a name or display too long for the address is shortened instead.
inline GuardName guard_socket_name(const char* name, uid_t uid, const char* display, int slot) {
  GuardName result = {};
  char owner[40];
  const int owner_length = std::snprintf(owner, sizeof owner, " uid=%u slot=%d", static_cast<unsigned>(uid), slot);
  const std::size_t owner_size = owner_length > 0 ? static_cast<std::size_t>(owner_length) : 0;

  std::size_t name_length = std::strlen(name);
  if (name_length > guard_name_capacity - owner_size) name_length = guard_name_capacity - owner_size;
  std::memcpy(result.bytes, name, name_length);
  std::memcpy(result.bytes + name_length, owner, owner_size);
  result.length = name_length + owner_size;

  static constexpr char label[] = " display=";
  const std::size_t label_size = sizeof label - 1;
  if (guard_name_capacity - result.length >= label_size) {
    std::memcpy(result.bytes + result.length, label, label_size);
    result.length += label_size;
    result.length += guard_display_part(display, result.bytes + result.length, guard_name_capacity - result.length);
  }
  return result;
}
