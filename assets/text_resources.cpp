#include "assets/text_resources.h"

#include "platform/platform.h"

void load_text_resource(std::uint16_t id, char* destination, std::size_t capacity) {
  if (destination == nullptr || capacity == 0) {
    return;
  }
  const ResourceBytes text = find_resource(ResourceType::TextFile, id);
  std::size_t n = 0;
  if (text.data != nullptr) {
    // Leave room for the terminating zero.
    while (n < text.size && n + 1 < capacity && text.data[n] != text_end_marker) {
      destination[n] = static_cast<char>(text.data[n]);
      ++n;
    }
  }
  destination[n] = '\0';
}

std::string read_resource_text(std::uint16_t id) {
  const ResourceBytes text = find_resource(ResourceType::TextFile, id);
  if (text.data == nullptr) {
    return {};
  }
  return std::string(reinterpret_cast<const char*>(text.data), text.size);
}
