// Reading the program's embedded text resources (type TextFile).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// End marker of texts read with load_text_resource; the shaders end in "//~".
constexpr char text_end_marker = '~';

// Copies the text in front of the first end marker into destination as a
// NUL-terminated string. Never reads past the resource nor writes past
// capacity: a text without a marker that does not fit is cut short and still
// terminated; a missing resource gives the empty string. Capacity 0 writes nothing.
void load_text_resource(std::uint16_t id, char* destination, std::size_t capacity);

// The whole resource, by its stored size; empty when the resource is missing.
std::string read_resource_text(std::uint16_t id);
