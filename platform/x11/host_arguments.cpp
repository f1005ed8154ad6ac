#include "platform/x11/host_arguments.h"

#include <cstring>

namespace {

// X11 window ids are 29-bit; anything wider is no window.
constexpr NativeWindow largest_window_id = 0xFFFFFFFF;

bool is_option(const char* argument, const char* name) {
  if (argument[0] != '-') return false;
  const char* rest = argument[1] == '-' ? argument + 2 : argument + 1;
  return std::strcmp(rest, name) == 0;
}

int digit_value(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

}  // namespace

NativeWindow parse_window_id(const char* text) {
  if (text == nullptr) return 0;
  int base = 10;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text += 2;
  }
  if (*text == '\0') return 0;
  NativeWindow value = 0;
  for (; *text != '\0'; ++text) {
    const int digit = digit_value(*text, base);
    if (digit < 0) return 0;
    value = value * base + digit;
    if (value > largest_window_id) return 0;
  }
  return value;
}

HostArguments parse_host_arguments(int argc, const char* const* argv, const char* window_variable) {
  HostArguments result = {false, false, 0};
  bool root = false;
  bool window_id_given = false;
  for (int i = 1; i < argc; ++i) {
    if (is_option(argv[i], "root")) {
      root = true;
    } else if (is_option(argv[i], "window-id")) {
      window_id_given = true;
      result.window = i + 1 < argc ? parse_window_id(argv[++i]) : 0;
    }
  }
  result.present = root || window_id_given;
  if (root && !window_id_given) {
    const bool variable_set = window_variable != nullptr && window_variable[0] != '\0';
    result.root_window = !variable_set;
    result.window = variable_set ? parse_window_id(window_variable) : 0;
  }
  return result;
}
