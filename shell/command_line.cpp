#include "shell/command_line.h"

#include <cstdint>

namespace {

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads a number as atoi does, except that a value beyond 32 bits saturates at
// INT32_MAX or INT32_MIN instead of being undefined.
std::int32_t read_decimal(const char* text) {
  while (is_space(*text)) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  std::int64_t value = 0;
  const std::int64_t limit = negative ? -std::int64_t{INT32_MIN} : INT32_MAX;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > limit) value = limit;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace

CommandLine parse_command_line(const char* command_line, bool force_configure) {
  CommandLine result = {Default, 0};
  for (const char* c = command_line; c != nullptr && *c != '\0'; ++c) {
    if (*c != '/') continue;
    switch (c[1]) {
      case 'p': result.mode = Preview; break;
      case 's': result.mode = Saver; break;
      case 'c': result.mode = Configure; break;
      default: break;
    }
    if (result.mode == Default) continue;
    // The number starts after the slash, the letter and one separator of any kind.
    const bool long_enough = c[1] != '\0' && c[2] != '\0';
    result.handle = long_enough ? read_decimal(c + 3) : 0;
  }
  if (force_configure) result.mode = Configure;
  return result;
}

NativeWindow handle_to_window(std::int32_t handle) {
  return static_cast<NativeWindow>(static_cast<std::uint32_t>(handle));
}
