#include "frame/frame_log.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

std::FILE* frame_log = nullptr;
long frames_presented = 0;
// The stream's buffer is ours, so writing a line never asks for memory; the
// buffer is flushed when full and when the process ends.
char frame_log_buffer[1 << 16];

}  // namespace

void open_frame_log() {
  const char* path = std::getenv("CUBESAVER_FRAME_LOG");
  if (path == nullptr || path[0] == '\0') return;
  frame_log = std::fopen(path, "w");
  if (frame_log != nullptr) std::setvbuf(frame_log, frame_log_buffer, _IOFBF, sizeof frame_log_buffer);
}

void log_frame_presented() {
  if (frame_log == nullptr) return;
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  std::fprintf(frame_log, "frame %ld %.6f\n", frames_presented++,
               std::chrono::duration<double>(now).count());
}

void log_frame_line(const char* (*make_line)()) {
  if (frame_log == nullptr || make_line == nullptr) return;
  const char* text = make_line();
  if (text != nullptr) std::fprintf(frame_log, "%s\n", text);
}

void log_frame_pace(int refresh_rate, int divisor, int previous_divisor, double cpu_seconds_per_frame) {
  if (frame_log == nullptr || divisor <= 0) return;
  std::fprintf(frame_log, "pace %.2f fps refresh %d divisor %d was %d cpu %.3f ms/frame\n",
               static_cast<double>(refresh_rate) / divisor, refresh_rate, divisor, previous_divisor,
               cpu_seconds_per_frame * 1000.0);
}
