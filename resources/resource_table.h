// The table of embedded resources that the build generates from resources.list.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

struct EmbeddedResource {
  ResourceType type;
  std::uint16_t id;
  const unsigned char* data;
  std::size_t size;
};

extern const EmbeddedResource embedded_resources[];
extern const std::size_t embedded_resource_count;
