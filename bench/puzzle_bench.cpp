// The cost of the simulation per frame, without drawing.

#include <benchmark/benchmark.h>

#include "common/app_info.h"
#include "puzzle/drift.h"
#include "puzzle/lattice.h"
#include "puzzle/sequencer.h"
#include "puzzle/simulation_reset.h"

namespace {

void start_show() {
  reset_simulation();
  app_info.width = 800;
  app_info.height = 600;
}

// A running show at 60 fps: pauses, jumps and animated turns in their natural mix.
void update_frame_without_drawing(benchmark::State& state) {
  start_show();
  long frame = 0;
  for (auto _ : state) {
    update_frame(0.01234 + static_cast<double>(frame) / 60.0);
    ++frame;
  }
  benchmark::DoNotOptimize(scene.cubie_mv);
}
BENCHMARK(update_frame_without_drawing);

// Frames in which a solving layer turns: the heaviest kind.
void update_frame_while_a_layer_turns(benchmark::State& state) {
  start_show();
  long frame = 0;
  const auto next = [&frame] { update_frame(static_cast<double>(frame++) / 60.0); };
  for (auto _ : state) {
    state.PauseTiming();
    while (sequencer.scrambling == 1 || sequencer.seq_state != SeqState::Turning) next();
    state.ResumeTiming();
    next();
  }
  benchmark::DoNotOptimize(scene.cubie_mv);
}
BENCHMARK(update_frame_while_a_layer_turns);

void compute_model_views_of_all_surface_cubies(benchmark::State& state) {
  start_show();
  update_frame(0.0);
  for (auto _ : state) {
    compute_model_views(scene.cube_translation, scene.cube_rotation);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(compute_model_views_of_all_surface_cubies);

}  // namespace
