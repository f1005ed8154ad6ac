// One line that says which path the renderer took and the GL state actually in
// force, read back from GL: "render <full|software> samples <n> cull
// <none|front|back|both> front-faces <line|fill|point> multisample <0|1>
// line-smooth <0|1> polygon-smooth <0|1> edge-smoothing <0|1> renderer <name>",
// the name last since it has spaces. The frame log writes it once, so a test or
// a benchmark can see from outside what the program chose.
#pragma once

// Kept in a static buffer, overwritten by the next call. Start-up only.
const char* render_state_report();
