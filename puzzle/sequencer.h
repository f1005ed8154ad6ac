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

extern SeqState seq_state;
extern std::int32_t scrambling;  // 1 while scrambling, 0 while solving
extern float initial_delay;      // seconds from the first frame to the first move
extern std::int32_t move_count;  // moves on the history stack
extern std::int32_t history_axis[history_capacity];
extern std::int32_t history_layer[history_capacity];
extern float history_angle[history_capacity];

// The current move.
extern std::int32_t turn_axis;   // 0 turns about z, 1 about y, 2 about x; -1 before the first move
extern std::int32_t turn_layer;  // 0..6 along that axis; -1 before the first move
extern float turn_target;        // +90 or -90 degrees
extern float turn_angle;         // degrees turned so far
extern float turn_speed;         // 90 per frame (scramble) or 2.5 per 1/60 s (solve)
extern float turn_step;          // turn_speed with the sign of the target
extern float pause_after;        // seconds of pause after the current move

// The clock. Readings and times since the first frame are kept in double so
// that steps and pauses stay exact however long the saver runs.
extern double start_time;      // the clock reading of the first frame
extern double prev_time;       // the clock reading of the previous frame
extern double elapsed;         // seconds since the first frame
extern double next_move_time;  // elapsed after which the next move may start
extern float frame_dt;         // seconds since the previous frame

// Runs one frame: drift, sequencer, layer turn, model views, then draw_frame.
void update_frame(double time);
