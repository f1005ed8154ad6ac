#include "assets/obj_face.h"

#include <string>

namespace objl {

namespace {

enum class TokenForm { Position, PositionTexture, PositionTextureNormal, PositionNormal };

TokenForm form_of(const std::vector<std::string>& parts) {
  if (parts.size() == 1) {
    return TokenForm::Position;
  }
  if (parts.size() == 2) {
    return TokenForm::PositionTexture;
  }
  return parts[1].empty() ? TokenForm::PositionNormal : TokenForm::PositionTextureNormal;
}

bool has_texture(TokenForm form) {
  return form == TokenForm::PositionTexture || form == TokenForm::PositionTextureNormal;
}

bool has_normal(TokenForm form) {
  return form == TokenForm::PositionTextureNormal || form == TokenForm::PositionNormal;
}

// Reads the parts the form names; a missing part makes the token unusable.
bool read_token(const std::vector<std::string>& parts, TokenForm form, const std::vector<Vector3>& positions,
                const std::vector<Vector2>& texcoords, const std::vector<Vector3>& normals, Vertex& out) {
  const std::size_t needed = form == TokenForm::Position ? 1 : form == TokenForm::PositionTexture ? 2 : 3;
  if (parts.size() < needed) {
    return false;
  }
  const Vector3* pos = resolve_index(positions, parts[0]);
  if (pos == nullptr) {
    return false;
  }
  out.pos = *pos;
  if (has_texture(form)) {
    const Vector2* t = resolve_index(texcoords, parts[1]);
    if (t == nullptr) {
      return false;
    }
    out.texcoord = *t;
  }
  if (has_normal(form)) {
    const Vector3* n = resolve_index(normals, parts[2]);
    if (n == nullptr) {
      return false;
    }
    out.normal = *n;
  }
  return true;
}

}  // namespace

std::vector<Vertex> build_face_vertices(std::string_view line, const std::vector<Vector3>& positions,
                                        const std::vector<Vector2>& texcoords,
                                        const std::vector<Vector3>& normals) {
  std::vector<Vertex> face;
  bool missing_normal = false;
  TokenForm previous = TokenForm::Position;
  for (const std::string& token : split_on(rest_of_line(line), " ")) {
    if (token.empty()) {
      return {};
    }
    const std::vector<std::string> parts = split_on(token, "/");
    if (parts.empty()) {
      return {};
    }
    TokenForm form = previous;
    if (parts.size() <= 3) {
      form = form_of(parts);
    } else if (face.empty()) {
      return {};  // nothing before it to take the form from
    }
    Vertex v;
    if (!read_token(parts, form, positions, texcoords, normals, v)) {
      return {};
    }
    missing_normal = missing_normal || !has_normal(form);
    previous = form;
    face.push_back(v);
  }
  if (missing_normal) {
    if (face.size() < 3) {
      return {};
    }
    const Vector3 n = cross(face[0].pos - face[1].pos, face[2].pos - face[1].pos);
    for (Vertex& v : face) {
      v.normal = n;
    }
  }
  return face;
}

bool point_in_triangle(const Vector3& p, const Vector3& t1, const Vector3& t2, const Vector3& t3) {
  const Vector3 u = t2 - t1;
  const Vector3 v = t3 - t1;
  const Vector3 w = p - t1;
  const Vector3 n = cross(u, v);
  const float nn = dot(n, n);
  if (!(nn > 0.0f)) {
    return false;
  }
  const float gamma = dot(cross(u, w), n) / nn;
  const float beta = dot(cross(w, v), n) / nn;
  const float alpha = 1.0f - gamma - beta;
  return alpha >= 0.0f && alpha <= 1.0f && beta >= 0.0f && beta <= 1.0f && gamma >= 0.0f && gamma <= 1.0f;
}

namespace {

// The working list holds input indices, so each triangle names exactly three
// input vertices even when two of them share a position.
void emit_triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::vector<std::uint32_t>& out) {
  if (a > b) std::swap(a, b);
  if (b > c) std::swap(b, c);
  if (a > b) std::swap(a, b);
  out.push_back(a);
  out.push_back(b);
  out.push_back(c);
}

// Newell's normal follows the polygon's winding whichever way it turns.
Vector3 polygon_normal(const std::vector<Vertex>& face) {
  Vector3 n;
  for (std::size_t i = 0; i < face.size(); ++i) {
    n = n + cross(face[i].pos, face[(i + 1) % face.size()].pos);
  }
  return n;
}

}  // namespace

std::vector<std::uint32_t> triangulate_face(const std::vector<Vertex>& face) {
  std::vector<std::uint32_t> out;
  if (face.size() < 3) {
    return out;
  }
  if (face.size() == 3) {
    out = {0, 1, 2};
    return out;
  }
  std::vector<std::uint32_t> working(face.size());
  for (std::size_t i = 0; i < face.size(); ++i) {
    working[i] = static_cast<std::uint32_t>(i);
  }
  const Vector3 normal = polygon_normal(face);
  const bool know_turn = dot(normal, normal) > 0.0f;

  for (std::size_t i = 0; i < working.size();) {
    const std::size_t count = working.size();
    const std::uint32_t prev = working[i == 0 ? count - 1 : i - 1];
    const std::uint32_t cur = working[i];
    const std::uint32_t next = working[i + 1 == count ? 0 : i + 1];
    if (count == 4) {
      const std::uint32_t fourth = working[(i + 2) % 4];
      emit_triangle(cur, prev, next, out);
      emit_triangle(prev, next, fourth, out);
      return out;
    }
    const Vector3& p = face[prev].pos;
    const Vector3& c = face[cur].pos;
    const Vector3& n = face[next].pos;
    // A reflex vertex is no ear even when no other vertex lies in its triangle.
    bool ear = !know_turn || dot(cross(c - p, n - c), normal) > 0.0f;
    for (std::size_t j = 0; ear && j < face.size(); ++j) {
      const Vector3& q = face[j].pos;
      if (q != p && q != c && q != n && point_in_triangle(q, p, c, n)) {
        ear = false;
      }
    }
    if (!ear) {
      ++i;
      continue;
    }
    emit_triangle(cur, prev, next, out);
    working.erase(working.begin() + static_cast<std::ptrdiff_t>(i));
    i = 0;
  }
  return out;
}

}  // namespace objl
