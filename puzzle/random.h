// The one random generator of the simulation: a 32-bit linear congruential
// generator (multiplier 214013, increment 2531011, output bits 16..30), so
// the same seed gives the same show on every platform.
#pragma once

#include <cstdint>

extern std::uint32_t random_state;

void seed_random(std::uint32_t seed);
// A value in 0..32767.
std::int32_t draw_random();
// The seed a clock reading gives: the reading in units of 0.1 ms, taken
// modulo 2^32 and then modulo 100.
std::uint32_t seed_from_time(double time);
