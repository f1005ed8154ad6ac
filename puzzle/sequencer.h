// The scramble/solve cycle and the per-frame entry of the simulation: 25
// random quarter turns shown as jumps, then the same turns undone in reverse
// order at 150 degrees per second, for as long as the program runs.
#pragma once

#include <cstdint>

enum class SeqState : std::int32_t {
  NotStarted = 0,
  InitialDelay = 1,
  Pausing = 2,
  ChooseMove = 3,
  Turning = 4,
  TurnDone = 5,
};

constexpr int history_capacity = 25;

// The sequencer's state, with the values the process starts with; a reset is
// sequencer = {}.
struct SequencerState {
  SeqState seq_state = SeqState::NotStarted;
  std::int32_t scrambling = 1;   // 1 while scrambling, 0 while solving
  float initial_delay = 2.0f;    // seconds from the first frame to the first move
  std::int32_t move_count = 0;   // moves on the history stack
  std::int32_t history_axis[history_capacity] = {};
  std::int32_t history_layer[history_capacity] = {};
  float history_angle[history_capacity] = {};

  // The current move.
  std::int32_t turn_axis = -1;   // 0 turns about z, 1 about y, 2 about x; -1 before the first move
  std::int32_t turn_layer = -1;  // 0..6 along that axis; -1 before the first move
  float turn_target = 0.0f;      // +90 or -90 degrees
  float turn_angle = 0.0f;       // degrees turned so far
  float turn_speed = 0.0f;       // 90 per frame (scramble) or 2.5 per 1/60 s (solve)
  float turn_step = 0.0f;        // turn_speed with the sign of the target
  float pause_after = 0.0f;      // seconds of pause after the current move

  // The clock. Readings and times since the first frame are kept in double so
  // that steps and pauses stay exact however long the saver runs.
  double start_time = 0.0;      // the clock reading of the first frame
  double prev_time = 0.0;       // the clock reading of the previous frame
  double elapsed = 0.0;         // seconds since the first frame
  double next_move_time = 0.0;  // elapsed after which the next move may start
  float frame_dt = 0.0f;        // seconds since the previous frame
};

extern SequencerState sequencer;

// Runs one frame: drift, sequencer, layer turn, model views, then draw_frame.
void update_frame(double time);
