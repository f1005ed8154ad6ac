#include "render/draw_order.h"

namespace {

DrawOrder make_list_order() {
  DrawOrder order = {};
  for (int i = 0; i < surface_slot_count; ++i) order.slot[i] = static_cast<std::int16_t>(i);
  return order;
}

const DrawOrder list = make_list_order();
DrawOrder by_depth = make_list_order();
int by_depth_count = surface_slot_count;
float depth_of_slot[surface_slot_count];

}  // namespace

const DrawOrder& list_order() { return list; }

const DrawOrder& nearest_first(int count) {
  if (count < 0) count = 0;
  if (count > surface_slot_count) count = surface_slot_count;
  if (count != by_depth_count) {
    by_depth = list;
    by_depth_count = count;
  }
  // The eye looks down -z: the larger z, the nearer.
  for (int i = 0; i < count; ++i) {
    const mat4& mv = scene.cubie_mv[scene.surface_slots.x[i]][scene.surface_slots.y[i]][scene.surface_slots.z[i]];
    depth_of_slot[i] = mv[3][2];
  }
  // Insertion sort, stable: a frame moves few cubies past each other.
  std::int16_t* slot = by_depth.slot;
  for (int i = 1; i < count; ++i) {
    const std::int16_t s = slot[i];
    const float z = depth_of_slot[s];
    int j = i - 1;
    while (j >= 0 && (depth_of_slot[slot[j]] < z || (depth_of_slot[slot[j]] == z && slot[j] > s))) {
      slot[j + 1] = slot[j];
      --j;
    }
    slot[j + 1] = s;
  }
  return by_depth;
}
