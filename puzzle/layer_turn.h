// A move is a quarter turn of one 7x7 layer. The turn step rotates the layer's
// cubies; the commit re-indexes the lattice once the quarter is complete.
#pragma once

// The angle the current step turns by: per frame while scrambling, scaled by
// the frame time while solving. The sequencer adds exactly this to its angle.
float turn_increment();
void apply_turn_step();
void commit_turn();
