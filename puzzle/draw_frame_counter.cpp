#include "puzzle/draw_frame_counter.h"

#include "common/scene.h"

long draw_frame_count;

void draw_frame() { ++draw_frame_count; }
