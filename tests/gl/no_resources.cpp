// A program without embedded resources: every lookup finds nothing.
#include "platform/platform.h"

ResourceBytes find_resource(ResourceType, std::uint16_t) { return {nullptr, 0}; }
