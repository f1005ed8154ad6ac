// find_resource over the table compiled into the program: nothing is read from disk.
#include "resources/resource_table.h"

ResourceBytes find_resource(ResourceType type, std::uint16_t id) {
  for (std::size_t i = 0; i < embedded_resource_count; ++i) {
    const EmbeddedResource& r = embedded_resources[i];
    if (r.type == type && r.id == id) {
      return {r.data, r.size};
    }
  }
  return {nullptr, 0};
}
