// A find_resource for the fuzz targets: serves the bytes a target hands it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

// The bytes are not copied; they must outlive the calls that read them.
// size 0 with null data makes the resource missing.
void serve_resource(ResourceType type, std::uint16_t id, const unsigned char* data, std::size_t size);
