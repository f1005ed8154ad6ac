// The host's command line, both ways it is read: the slash-switch scan over one
// string and XScreenSaver's -root / -window-id over an argument vector.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/x11/host_arguments.h"
#include "shell/command_line.h"

namespace {

// Exactly as long as the text, so that a read past the terminator is caught.
std::unique_ptr<char[]> c_string(const std::string& text) {
  std::unique_ptr<char[]> copy(new char[text.size() + 1]);
  std::memcpy(copy.get(), text.c_str(), text.size() + 1);
  return copy;
}

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

// Byte 0 holds the flags (bit 0: force configure, bit 1: XSCREENSAVER_WINDOW is
// set to the last argument); the rest is the command line, whose LF bytes also
// split it into arguments.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool force_configure = (data[0] & 1) != 0;
  const bool window_variable = (data[0] & 2) != 0;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  const auto line = c_string(text);  // an inner NUL ends the line, as it would in C
  const CommandLine chosen = parse_command_line(line.get(), force_configure);
  check(chosen.mode == Preview || chosen.mode == Saver || chosen.mode == Configure || chosen.mode == Default);
  if (force_configure) check(chosen.mode == Configure);
  if (std::strchr(line.get(), '/') == nullptr) check(chosen.mode == (force_configure ? Configure : Default));
  if (chosen.mode == Default) check(chosen.handle == 0);
  (void)handle_to_window(chosen.handle);

  std::vector<std::unique_ptr<char[]>> arguments;
  arguments.push_back(c_string("cubesaver"));
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\n') {
      arguments.push_back(c_string(text.substr(start, i - start)));
      start = i + 1;
    }
  }
  std::vector<const char*> argv;
  for (const auto& a : arguments) argv.push_back(a.get());
  const char* variable = window_variable ? argv.back() : nullptr;
  const HostArguments host = parse_host_arguments(static_cast<int>(argv.size()), argv.data(), variable);
  check(host.window <= 0xFFFFFFFFu);
  if (!host.present) check(!host.root_window && host.window == 0);
  if (host.root_window) check(host.window == 0);
  return 0;
}
