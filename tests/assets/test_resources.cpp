#include "tests/assets/test_resources.h"

#include <map>
#include <utility>

namespace {

std::map<std::pair<ResourceType, std::uint16_t>, std::string>& table() {
  static std::map<std::pair<ResourceType, std::uint16_t>, std::string> resources;
  return resources;
}

}  // namespace

void set_test_resource(ResourceType type, std::uint16_t id, const std::string& bytes) {
  table()[{type, id}] = bytes;
}

void clear_test_resources() { table().clear(); }

ResourceBytes find_resource(ResourceType type, std::uint16_t id) {
  const auto it = table().find({type, id});
  if (it == table().end()) {
    return {nullptr, 0};
  }
  // An empty string still has a valid data pointer, as an empty resource would.
  return {reinterpret_cast<const unsigned char*>(it->second.data()), it->second.size()};
}
