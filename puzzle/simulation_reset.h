// Puts the whole simulation back to its process-start state, so that tests,
// tools and benchmarks can run several shows in one process.
#pragma once

void reset_simulation();
