#include "fuzz/fuzz_resources.h"

namespace {

struct Served {
  ResourceType type;
  std::uint16_t id;
  ResourceBytes bytes;
};

constexpr std::size_t capacity = 4;
Served served[capacity];
std::size_t served_count = 0;

}  // namespace

void serve_resource(ResourceType type, std::uint16_t id, const unsigned char* data, std::size_t size) {
  for (std::size_t i = 0; i < served_count; ++i) {
    if (served[i].type == type && served[i].id == id) {
      served[i].bytes = {data, size};
      return;
    }
  }
  if (served_count < capacity) served[served_count++] = {type, id, {data, size}};
}

ResourceBytes find_resource(ResourceType type, std::uint16_t id) {
  for (std::size_t i = 0; i < served_count; ++i) {
    if (served[i].type == type && served[i].id == id) return served[i].bytes;
  }
  return {nullptr, 0};
}
