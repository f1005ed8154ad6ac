// The context every window of the frame asks for.
#pragma once

// The requested GL version and, where the configuration asks for it, a robust
// context; the hints stay set for the next window made.
void apply_context_hints();
