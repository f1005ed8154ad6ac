// The MTL material parser: fills ModelLoader::materials.
#pragma once

#include <string>
#include <string_view>

#include "assets/obj_loader.h"
#include "assets/obj_records.h"

namespace objl {

// Cuts trailing CRs and LFs; a text made only of them comes back unchanged.
std::string trim_line_end(std::string_view text);

}  // namespace objl
