// Every puzzle test starts from the process-start state of the simulation
// with the default 800 x 600 window, and counts draws from zero.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "common/app_info.h"
#include "puzzle/draw_frame_counter.h"
#include "puzzle/lattice.h"
#include "puzzle/simulation_reset.h"

class Simulation : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_simulation();
    draw_frame_count = 0;
    app_info.width = 800;
    app_info.height = 600;
  }
};

inline bool same_bits(const mat4& a, const mat4& b) { return std::memcmp(&a, &b, sizeof(mat4)) == 0; }

inline bool cubie_at_is_identity() {
  for (int i = 0; i < surface_slot_count; ++i) {
    const ivec3 s = surface_slot(i);
    if (!(lattice.cubie_at[s[0]][s[1]][s[2]] == s)) return false;
  }
  return true;
}

// The generator's state after n draws from a seed, computed independently.
inline std::uint32_t lcg_after(std::uint32_t seed, int n) {
  std::uint64_t s = seed;
  for (int i = 0; i < n; ++i) s = (s * 214013u + 2531011u) % 4294967296u;
  return static_cast<std::uint32_t>(s);
}
