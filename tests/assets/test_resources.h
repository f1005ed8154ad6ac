// A find_resource for parser tests: serves the texts a test registers.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

void set_test_resource(ResourceType type, std::uint16_t id, const std::string& bytes);
void clear_test_resources();
