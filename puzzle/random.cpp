#include "puzzle/random.h"

#include <cmath>

std::uint32_t random_state;

void seed_random(std::uint32_t seed) { random_state = seed; }

std::int32_t draw_random() {
  random_state = random_state * 214013u + 2531011u;
  return static_cast<std::int32_t>((random_state >> 16) & 0x7FFFu);
}

std::uint32_t seed_from_time(double time) {
  // Converting a double beyond the range of uint32 is undefined, and a clock
  // passes 2^32 tenths of a millisecond after five days: wrap explicitly.
  const double ticks = std::trunc(time * 10000.0);
  if (!std::isfinite(ticks)) return 0;
  double wrapped = std::fmod(ticks, 4294967296.0);
  if (wrapped < 0.0) wrapped += 4294967296.0;
  return static_cast<std::uint32_t>(wrapped) % 100u;
}
