#include "assets/mtl_loader.h"

#include <cstdint>
#include <new>
#include <sstream>
#include <vector>

#include "assets/obj_text.h"
#include "assets/text_resources.h"

namespace objl {

std::string trim_line_end(std::string_view text) {
  const std::size_t last = text.find_last_not_of("\r\n");
  if (last == std::string_view::npos) {
    return std::string(text);
  }
  return std::string(text.substr(0, last + 1));
}

namespace {

// Exactly three fields, all numbers, or the colour stays as it was.
void read_colour(const std::string& line, Vector3& colour) {
  const std::vector<std::string> fields = split_on(rest_of_line(line), " ");
  float c[3];
  if (fields.size() != 3 || !read_float(fields[0], c[0]) || !read_float(fields[1], c[1]) ||
      !read_float(fields[2], c[2])) {
    return;
  }
  colour = {c[0], c[1], c[2]};
}

void read_scalar(const std::string& line, float& value) {
  float v = 0.0f;
  if (read_float(rest_of_line(line), v)) {
    value = v;
  }
}

void read_illum(const std::string& line, int& value) {
  std::int64_t v = 0;
  if (read_integer(rest_of_line(line), v) && v >= INT32_MIN && v <= INT32_MAX) {
    value = static_cast<int>(v);
  }
}

void read_material_line(const std::string& line, std::vector<Material>& out, Material& m, bool& named) {
  // A keyword alone on a CR LF line still counts ("newmtl" then CR names "none").
  const std::string word = trim_line_end(first_word(line));
  if (word == "newmtl") {
    if (named) {
      out.push_back(m);
      m = Material();
    }
    named = true;
    m.name = line.size() > 7 ? trim_line_end(rest_of_line(line)) : "none";
  } else if (word == "Ka") {
    read_colour(line, m.Ka);
  } else if (word == "Kd") {
    read_colour(line, m.Kd);
  } else if (word == "Ks") {
    read_colour(line, m.Ks);
  } else if (word == "Ns") {
    read_scalar(line, m.Ns);
  } else if (word == "Ni") {
    read_scalar(line, m.Ni);
  } else if (word == "d") {
    read_scalar(line, m.d);
  } else if (word == "illum") {
    read_illum(line, m.illum);
  } else if (word == "map_Ka") {
    m.map_Ka = rest_of_line(line);
  } else if (word == "map_Kd") {
    m.map_Kd = rest_of_line(line);
  } else if (word == "map_Ks") {
    m.map_Ks = rest_of_line(line);
  } else if (word == "map_Ns") {
    m.map_Ns = rest_of_line(line);
  } else if (word == "map_d") {
    m.map_d = rest_of_line(line);
  } else if (word == "map_Bump" || word == "map_bump" || word == "bump") {
    m.map_bump = rest_of_line(line);
  }
}

}  // namespace

bool ModelLoader::load_materials(std::uint16_t mtl_id) {
  // Read into a list of our own first so that a failed allocation leaves materials unchanged.
  std::vector<Material> read;
  try {
    std::istringstream text(read_resource_text(mtl_id));
    Material current;
    bool named = false;
    std::string line;
    while (std::getline(text, line)) {
      read_material_line(line, read, current, named);
    }
    read.push_back(current);
    materials.insert(materials.end(), read.begin(), read.end());
  } catch (const std::bad_alloc&) {
    return false;
  }
  return !materials.empty();
}

}  // namespace objl
