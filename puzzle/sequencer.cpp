#include "puzzle/sequencer.h"

#include "common/scene.h"
#include "puzzle/drift.h"
#include "puzzle/lattice.h"
#include "puzzle/layer_turn.h"
#include "puzzle/random.h"

SequencerState sequencer;

namespace {

constexpr float scramble_speed = 90.0f;  // a whole quarter per frame
constexpr float solve_speed = 2.5f;      // per 1/60 s: 150 degrees per second
constexpr float scramble_pause = 0.1f;
constexpr float solve_pause = 0.5f;

void start(double time) {
  seed_random(seed_from_time(time));
  sequencer.start_time = time;
  sequencer.prev_time = time;
  init_lattice();
  init_drift();
  sequencer.seq_state = SeqState::InitialDelay;
}

void advance_clock(double time) {
  // Differences of the double readings, rounded once: a float clock loses the
  // step to rounding after a day or so of running.
  sequencer.frame_dt = static_cast<float>(time - sequencer.prev_time);
  sequencer.elapsed = time - sequencer.start_time;
  sequencer.prev_time = time;
}

void choose_scramble_move() {
  sequencer.turn_axis = draw_random() % 3;
  sequencer.turn_layer = draw_random() % 7;
  sequencer.turn_target = static_cast<float>((draw_random() % 2) * 180 - 90);
  if (sequencer.move_count >= history_capacity) {
    // The history is full: drop the drawn move and solve from the next frame.
    sequencer.scrambling = 0;
    return;
  }
  sequencer.history_axis[sequencer.move_count] = sequencer.turn_axis;
  sequencer.history_layer[sequencer.move_count] = sequencer.turn_layer;
  sequencer.history_angle[sequencer.move_count] = sequencer.turn_target;
  ++sequencer.move_count;
  sequencer.seq_state = SeqState::Turning;
  sequencer.turn_speed = scramble_speed;
  sequencer.pause_after = scramble_pause;
}

void choose_solve_move() {
  if (sequencer.move_count <= 0) {
    // Solved: every cubie is home, so shed the rounding the turns left behind
    // and scramble again from the next frame.
    rehome_cubies();
    sequencer.scrambling = 1;
    sequencer.turn_step = 0.0f;
    sequencer.turn_speed = 0.0f;
    sequencer.turn_angle = 0.0f;
    return;
  }
  --sequencer.move_count;
  sequencer.turn_axis = sequencer.history_axis[sequencer.move_count];
  sequencer.turn_layer = sequencer.history_layer[sequencer.move_count];
  sequencer.turn_target = -sequencer.history_angle[sequencer.move_count];
  sequencer.seq_state = SeqState::Turning;
  sequencer.turn_speed = solve_speed;
  sequencer.pause_after = solve_pause;
}

void choose_move() {
  if (sequencer.scrambling == 1)
    choose_scramble_move();
  else
    choose_solve_move();
  sequencer.turn_angle = 0.0f;
  sequencer.turn_step = sequencer.turn_target >= 0.0f ? sequencer.turn_speed : -sequencer.turn_speed;
}

void advance_turn() {
  apply_turn_step();
  sequencer.turn_angle += turn_increment();
  if (sequencer.turn_angle == sequencer.turn_target) {
    sequencer.seq_state = SeqState::TurnDone;
    return;
  }
  const bool overshot = (sequencer.turn_angle > sequencer.turn_target && sequencer.turn_target > 0.0f) ||
                        (sequencer.turn_angle < sequencer.turn_target && sequencer.turn_target < 0.0f);
  if (!overshot) return;
  // Turn back by exactly the overshoot within this frame.
  sequencer.next_move_time = sequencer.elapsed + sequencer.pause_after;
  sequencer.turn_step = sequencer.scrambling == 1
                            ? sequencer.turn_target - sequencer.turn_angle
                            : (sequencer.turn_target - sequencer.turn_angle) / (60.0f * sequencer.frame_dt);
  apply_turn_step();
  sequencer.turn_angle = sequencer.turn_target;
  sequencer.seq_state = SeqState::TurnDone;
}

}  // namespace

void update_frame(double time) {
  bounds_test();
  if (sequencer.seq_state == SeqState::NotStarted) start(time);
  advance_clock(time);

  if (sequencer.seq_state == SeqState::InitialDelay && sequencer.elapsed >= sequencer.initial_delay) {
    sequencer.next_move_time = sequencer.elapsed;
    sequencer.seq_state = SeqState::Pausing;
  }
  if (sequencer.seq_state == SeqState::Pausing && sequencer.elapsed > sequencer.next_move_time)
    sequencer.seq_state = SeqState::ChooseMove;
  if (sequencer.seq_state == SeqState::ChooseMove) choose_move();
  if (sequencer.seq_state == SeqState::Turning) advance_turn();

  update_drift();
  compute_model_views(scene.cube_translation, scene.cube_rotation);
  scene.layer_turning = sequencer.seq_state == SeqState::Turning;
  draw_frame();

  if (sequencer.seq_state == SeqState::TurnDone) {
    commit_turn();
    sequencer.seq_state = SeqState::Pausing;
    sequencer.next_move_time = sequencer.elapsed + sequencer.pause_after;
  }
}
