// The one GL program everything is drawn with, built from the embedded vertex
// and fragment shaders, and the locations its users look up once.
#pragma once

#include <cstdint>

#include "resources/resource_ids.h"

// Attribute slots, bound by name before linking.
enum AttribSlot : int {
  PositionSlot = 0,
  PositionTexSlot = 1,
  PositionNormalSlot = 2,
  PositionTangentSlot = 3,
  PositionBitangentSlot = 4,
  MvMatrixInstanceSlot = 5,
};
inline constexpr int attrib_slot_count = 6;
extern const char* const attrib_names[attrib_slot_count];

inline constexpr std::uint16_t vertex_shader_resource = resource_id::cubie_vert;
inline constexpr std::uint16_t fragment_shader_resource = resource_id::cubie_frag;
inline constexpr int shader_source_capacity = 2048;

extern std::uint32_t shader_program;
extern std::int32_t mv_matrix_location;
extern std::int32_t proj_matrix_location;
extern std::int32_t light_pos_location;
// As the linked program reports them: -1 for a name it does not use.
extern std::int32_t attrib_locations[attrib_slot_count];

// Nothing is checked: a stage that fails to compile is deleted and the program
// is linked without it; the locations are whatever GL then reports.
void build_shader_program();
