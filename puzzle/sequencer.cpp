#include "puzzle/sequencer.h"

#include "puzzle/drift.h"
#include "puzzle/lattice.h"
#include "puzzle/layer_turn.h"
#include "puzzle/random.h"
#include "render/frame_renderer.h"

SeqState seq_state = SeqState::NotStarted;
std::int32_t scrambling = 1;
float initial_delay = 2.0f;
std::int32_t move_count;
std::int32_t history_axis[history_capacity];
std::int32_t history_layer[history_capacity];
float history_angle[history_capacity];

std::int32_t turn_axis = -1;
std::int32_t turn_layer = -1;
float turn_target;
float turn_angle;
float turn_speed;
float turn_step;
float pause_after;

double start_time;
double prev_time;
double elapsed;
double next_move_time;
float frame_dt;

namespace {

constexpr float scramble_speed = 90.0f;  // a whole quarter per frame
constexpr float solve_speed = 2.5f;      // per 1/60 s: 150 degrees per second
constexpr float scramble_pause = 0.1f;
constexpr float solve_pause = 0.5f;

void start(double time) {
  seed_random(seed_from_time(time));
  start_time = time;
  prev_time = time;
  init_lattice();
  init_drift();
  seq_state = SeqState::InitialDelay;
}

void advance_clock(double time) {
  // Differences of the double readings, rounded once: a float clock loses the
  // step to rounding after a day or so of running.
  frame_dt = static_cast<float>(time - prev_time);
  elapsed = time - start_time;
  prev_time = time;
}

void choose_scramble_move() {
  turn_axis = draw_random() % 3;
  turn_layer = draw_random() % 7;
  turn_target = static_cast<float>((draw_random() % 2) * 180 - 90);
  if (move_count >= history_capacity) {
    // The history is full: drop the drawn move and solve from the next frame.
    scrambling = 0;
    return;
  }
  history_axis[move_count] = turn_axis;
  history_layer[move_count] = turn_layer;
  history_angle[move_count] = turn_target;
  ++move_count;
  seq_state = SeqState::Turning;
  turn_speed = scramble_speed;
  pause_after = scramble_pause;
}

void choose_solve_move() {
  if (move_count <= 0) {
    // Solved: every cubie is home, so shed the rounding the turns left behind
    // and scramble again from the next frame.
    rehome_cubies();
    scrambling = 1;
    turn_step = 0.0f;
    turn_speed = 0.0f;
    turn_angle = 0.0f;
    return;
  }
  --move_count;
  turn_axis = history_axis[move_count];
  turn_layer = history_layer[move_count];
  turn_target = -history_angle[move_count];
  seq_state = SeqState::Turning;
  turn_speed = solve_speed;
  pause_after = solve_pause;
}

void choose_move() {
  if (scrambling == 1)
    choose_scramble_move();
  else
    choose_solve_move();
  turn_angle = 0.0f;
  turn_step = turn_target >= 0.0f ? turn_speed : -turn_speed;
}

void advance_turn() {
  apply_turn_step();
  turn_angle += turn_increment();
  if (turn_angle == turn_target) {
    seq_state = SeqState::TurnDone;
    return;
  }
  const bool overshot = (turn_angle > turn_target && turn_target > 0.0f) ||
                        (turn_angle < turn_target && turn_target < 0.0f);
  if (!overshot) return;
  // Turn back by exactly the overshoot within this frame.
  next_move_time = elapsed + pause_after;
  turn_step = scrambling == 1 ? turn_target - turn_angle : (turn_target - turn_angle) / (60.0f * frame_dt);
  apply_turn_step();
  turn_angle = turn_target;
  seq_state = SeqState::TurnDone;
}

}  // namespace

void update_frame(double time) {
  bounds_test();
  if (seq_state == SeqState::NotStarted) start(time);
  advance_clock(time);

  if (seq_state == SeqState::InitialDelay && elapsed >= initial_delay) {
    next_move_time = elapsed;
    seq_state = SeqState::Pausing;
  }
  if (seq_state == SeqState::Pausing && elapsed > next_move_time) seq_state = SeqState::ChooseMove;
  if (seq_state == SeqState::ChooseMove) choose_move();
  if (seq_state == SeqState::Turning) advance_turn();

  update_drift();
  compute_model_views(cube_translation, cube_rotation);
  draw_frame();

  if (seq_state == SeqState::TurnDone) {
    commit_turn();
    seq_state = SeqState::Pausing;
    next_move_time = elapsed + pause_after;
  }
}
