#pragma once

// True when this process created the guard (or the guard could not be made at
// all, which lets the run go ahead); false when another guarded run holds it.
bool acquire_single_instance();
