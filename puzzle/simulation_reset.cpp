#include "puzzle/simulation_reset.h"

#include "common/scene.h"
#include "puzzle/drift.h"
#include "puzzle/lattice.h"
#include "puzzle/random.h"
#include "puzzle/sequencer.h"

void reset_simulation() {
  sequencer = {};
  drift = {};
  lattice = {};
  scene = {};
  random_state = {};
}
