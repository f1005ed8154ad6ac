// A framebuffer of its own: a colour texture that a later pass can read, and a
// depth buffer, both of one size.
#pragma once

#include "common/gl_entry_points.h"

struct OffscreenTarget {
  GLuint framebuffer;
  GLuint colour;  // an RGBA8 texture, linear filtering, clamped to its edges
  GLuint depth;   // a 24-bit depth renderbuffer
  int width;
  int height;
  bool complete;  // as GL reports the framebuffer
};

// Makes the target, with the colour texture bound on texture_unit (unit 0 is
// active again afterwards) and the window's framebuffer bound again at the
// end. The target's complete flag says whether it can be drawn to.
void make_offscreen_target(OffscreenTarget& target, int width, int height, GLint texture_unit);
// Deletes what was made and empties the record.
void release_offscreen_target(OffscreenTarget& target);
