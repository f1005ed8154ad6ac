// Runs the puzzle simulation headless on given clock readings and prints each
// move as it is chosen and the final state, for debugging and for checking
// that the show is the same on every machine.
//
//   simtrace --t0 T --fps F --seconds S [--width W --height H] [--times FILE]

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/app_info.h"
#include "puzzle/drift.h"
#include "puzzle/lattice.h"
#include "puzzle/sequencer.h"

namespace {

struct Options {
  double t0 = 0.0;
  double fps = 0.0;
  double seconds = 0.0;
  int width = 800;
  int height = 600;
  const char* times_file = nullptr;
  bool has_t0 = false, has_fps = false, has_seconds = false;
};

void usage() {
  std::fprintf(stderr,
               "usage: simtrace --t0 T --fps F --seconds S [--width W --height H] [--times FILE]\n"
               "  feeds update_frame the times T + k/F for S seconds, or the times in FILE (one a line)\n");
}

bool parse_double(const char* text, double* out) {
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(text, &end);
  if (end == text || errno == ERANGE || !std::isfinite(v)) return false;
  while (*end == ' ' || *end == '\t' || *end == '\r' || *end == '\n') ++end;
  if (*end != '\0') return false;
  *out = v;
  return true;
}

bool parse_int(const char* text, int* out) {
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || errno == ERANGE || v < -2147483647L - 1 || v > 2147483647L) return false;
  *out = static_cast<int>(v);
  return true;
}

bool parse_options(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    const char* name = argv[i];
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    bool ok = false;
    if (std::strcmp(name, "--t0") == 0)
      ok = o->has_t0 = parse_double(value, &o->t0);
    else if (std::strcmp(name, "--fps") == 0)
      ok = o->has_fps = parse_double(value, &o->fps) && o->fps > 0.0;
    else if (std::strcmp(name, "--seconds") == 0)
      ok = o->has_seconds = parse_double(value, &o->seconds);
    else if (std::strcmp(name, "--width") == 0)
      ok = parse_int(value, &o->width);
    else if (std::strcmp(name, "--height") == 0)
      ok = parse_int(value, &o->height);
    else if (std::strcmp(name, "--times") == 0)
      ok = (o->times_file = value) != nullptr;
    if (!ok) return false;
  }
  return o->times_file != nullptr || (o->has_t0 && o->has_fps && o->has_seconds);
}

// Calls update_frame once and reports a move if this frame chose one: the
// stack grows by one for a scramble move and shrinks by one for an undo, and a
// frame chooses at most one move.
void run_frame(long frame, double time) {
  const std::int32_t count_before = sequencer.move_count;
  update_frame(time);
  if (sequencer.move_count == count_before) return;
  std::printf("move frame=%ld scrambling=%d axis=%d layer=%d target=%d count=%d\n", frame, sequencer.scrambling,
              sequencer.turn_axis, sequencer.turn_layer, static_cast<int>(sequencer.turn_target), sequencer.move_count);
}

void print_end(long last_frame) {
  std::printf("end frame=%ld cubie_at=", last_frame);
  for (int i = 0; i < surface_slot_count; ++i) {
    const ivec3 s = surface_slot(i);
    const ivec3 c = lattice.cubie_at[s[0]][s[1]][s[2]];
    std::printf(i == 0 ? "%d%d%d" : " %d%d%d", c[0], c[1], c[2]);
  }
  std::printf(" position=%.9g %.9g %.9g angles=%.9g %.9g %.9g\n", drift.cube_position[0], drift.cube_position[1],
              drift.cube_position[2], drift.cube_angles[0], drift.cube_angles[1], drift.cube_angles[2]);
}

long run_times_file(const char* path) {
  std::FILE* f = std::fopen(path, "r");
  if (f == nullptr) {
    std::fprintf(stderr, "simtrace: cannot open %s: %s\n", path, std::strerror(errno));
    std::exit(1);
  }
  char line[256];
  long frame = 0;
  long line_number = 0;
  while (std::fgets(line, sizeof line, f) != nullptr) {
    ++line_number;
    if (std::strspn(line, " \t\r\n") == std::strlen(line)) continue;
    double time = 0.0;
    if (!parse_double(line, &time)) {
      std::fprintf(stderr, "simtrace: %s:%ld: not a time: %s", path, line_number, line);
      std::exit(1);
    }
    run_frame(frame++, time);
  }
  std::fclose(f);
  return frame;
}

long run_steady(const Options& o) {
  long frame = 0;
  for (;; ++frame) {
    const double offset = static_cast<double>(frame) / o.fps;
    if (!(offset < o.seconds)) break;
    run_frame(frame, o.t0 + offset);
  }
  return frame;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!parse_options(argc, argv, &o)) {
    usage();
    return 2;
  }
  app_info.width = o.width;
  app_info.height = o.height;

  const long frames = o.times_file != nullptr ? run_times_file(o.times_file) : run_steady(o);
  if (frames == 0) {
    std::fprintf(stderr, "simtrace: no frames to run\n");
    return 1;
  }
  print_end(frames - 1);
  return 0;
}
